#include "power_law.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>

#include "log.h"

namespace kinesim {

namespace {

// The order of a term at the parameter file's values; NaN when it is an expression.
double order_of(const PowerTerm& term, const CodeFacts& code, ModelInputs& inputs) {
    if (term.label.empty()) {
        char* end = nullptr;
        double value = std::strtod(term.exponent.c_str(), &end);
        return end != nullptr && *end == '\0' ? value : NAN;
    }
    for (const auto& [slot, label] : code.bindings) {
        if (label == term.label) return inputs.parameters.at(slot, term.element);
    }
    return NAN;
}

std::string equation_name(int row, const ModelInputs& inputs) {
    if (row <= inputs.algebraicCount) return "algebraic equation " + std::to_string(row);
    return "the rate of variable " + std::to_string(row) + " (" + inputs.tags[row - 1] + ")";
}

}  // namespace

std::vector<int> power_law_bases(const CodeFacts& code) {
    std::set<int> bases;
    for (const PowerTerm& term : code.powerTerms) bases.insert(term.variable - 1);
    return {bases.begin(), bases.end()};
}

int check_power_laws_at_start(const CodeFacts& code, ModelInputs& inputs) {
    std::set<std::string> reported;  // terms, each named once (at its first equation)
    int status = 0;
    for (const PowerTerm& term : code.powerTerms) {
        if (term.row <= 0 || term.row > inputs.variableCount ||
            term.variable > inputs.variableCount || inputs.initial[term.variable - 1] != 0.0) {
            continue;
        }
        double order = order_of(term, code, inputs);
        std::string text = "pow(y[" + std::to_string(term.variable) + "], " + term.exponent + ")";
        if (!(order < 0.0) || !reported.insert(text).second) continue;
        const std::string& tag = inputs.tags[term.variable - 1];
        log_sys("The power law %s in %s is infinite at the start: variable %d (%s) starts at 0 "
                "and its order %s is %.6g. Give %s a positive initial value (its Y_START row), "
                "or %s an order of 0 or more.\n",
                text.c_str(), equation_name(term.row, inputs).c_str(), term.variable, tag.c_str(),
                term.exponent.c_str(), order, tag.c_str(), term.exponent.c_str());
        status = -1;
    }
    return status;
}

}  // namespace kinesim
