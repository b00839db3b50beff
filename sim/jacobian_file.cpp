#include "jacobian_file.h"

#include "log.h"

namespace kinesim {

namespace {

int compare_reads(const std::string& path, const CodeFacts& code, const CodeFacts& jacobian) {
    for (const auto& [slot, label] : jacobian.bindings) {
        auto bound = code.bindings.find(slot);
        if (bound == code.bindings.end() || bound->second != label) {
            log_sys("%s binds '%s' to p->val[%d]; the C file does not.\n", path.c_str(),
                    label.c_str(), slot);
            return -1;
        }
    }
    for (const auto& [label, elements] : jacobian.elements) {
        auto read = code.elements.find(label);
        for (int element : elements) {
            if (read == code.elements.end() || read->second.count(element) == 0) {
                log_sys("%s reads %s[%d], which the C file does not read.\n", path.c_str(),
                        label.c_str(), element);
                return -1;
            }
        }
    }
    return 0;
}

}  // namespace

int check_jacobian_file(const std::string& path, const std::string& text, const CodeFacts& code,
                        int variableCount) {
    CodeFacts jacobian;
    if (scan_generated_code(text, jacobian) != 0) return -1;
    if (jacobian.largestVariable > variableCount) {
        log_sys("%s reads y[%d]; the model has %d variables.\n", path.c_str(),
                jacobian.largestVariable, variableCount);
        return -1;
    }
    return compare_reads(path, code, jacobian);
}

}  // namespace kinesim
