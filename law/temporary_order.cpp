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

    int visit(std::size_t i) {
        if (marks[i] == kDone) return 0;
        if (marks[i] == kVisiting) {
            problem = "the temporary '" + input[i].name + "' depends on itself";
            return -1;
        }
        marks[i] = kVisiting;
        for (const std::string& name : mentioned_names(input[i].text)) {
            auto it = byName.find(name);
            if (it != byName.end() && visit(it->second) != 0) return -1;
        }
        marks[i] = kDone;
        output.push_back(input[i]);
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
