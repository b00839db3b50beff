#include "temporary_order.h"

#include <map>

namespace kinelaw {

std::vector<std::string> mentioned_names(const std::string& text) {
    std::vector<std::string> names;
    std::string current;
    int indexDepth = 0;
    for (char c : text + " ") {
        bool separator = c == '(' || c == ')' || c == '+' || c == '-' || c == '*' || c == '/' ||
                         c == '^' || c == ',' || c == ' ';
        if (c == '[') ++indexDepth;
        if (c == ']') --indexDepth;
        if (indexDepth > 0 || c == ']') {
            current.clear();
            continue;
        }
        if (!separator) {
            current += c;
        } else if (!current.empty()) {
            names.push_back(current);
            current.clear();
        }
    }
    return names;
}

namespace {

enum Mark { kUnvisited, kVisiting, kDone };

struct Sorter {
    const std::vector<DaeDefinition>& input;
    std::map<std::string, std::size_t> byName;
    std::vector<Mark> marks;
    std::vector<DaeDefinition> output;
    std::string& problem;

    // Depth first with a stack of its own: a chain of rules may be as long as the model.
    int visit(std::size_t root) {
        struct Frame {
            std::size_t index;
            std::vector<std::size_t> reads;
            std::size_t next = 0;
        };
        std::vector<Frame> stack;
        auto enter = [&](std::size_t i) -> int {
            if (marks[i] == kDone) return 0;
            if (marks[i] == kVisiting) {
                problem = "the temporary '" + input[i].name + "' depends on itself";
                return -1;
            }
            marks[i] = kVisiting;
            Frame frame{i, {}};
            for (const std::string& name : mentioned_names(input[i].text)) {
                auto it = byName.find(name);
                if (it != byName.end()) frame.reads.push_back(it->second);
            }
            stack.push_back(std::move(frame));
            return 0;
        };
        if (enter(root) != 0) return -1;
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.next < top.reads.size()) {
                if (enter(top.reads[top.next++]) != 0) return -1;
                continue;
            }
            marks[top.index] = kDone;
            output.push_back(input[top.index]);
            stack.pop_back();
        }
        return 0;
    }
};

}  // namespace

int order_temporaries(std::vector<DaeDefinition>& temporaries, std::string& problem) {
    Sorter sorter{temporaries, {}, std::vector<Mark>(temporaries.size(), kUnvisited), {}, problem};
    for (std::size_t i = 0; i < temporaries.size(); ++i) sorter.byName[temporaries[i].name] = i;
    for (std::size_t i = 0; i < temporaries.size(); ++i) {
        if (sorter.visit(i) != 0) return -1;
    }
    temporaries = std::move(sorter.output);
    return 0;
}

}  // namespace kinelaw
