#include "expr_functions.h"

#include <vector>

#include "expr_compose.h"
#include "expr_node.h"
#include "log.h"

namespace {

struct FunctionEntry {
    const char* name;   // in the DAE file and in MATLAB
    const char* cName;  // in C with math.h
};

constexpr FunctionEntry kFunctions[] = {
    {"exp", "exp"},     {"log", "log"},     {"log10", "log10"}, {"sqrt", "sqrt"},
    {"abs", "fabs"},    {"floor", "floor"}, {"ceil", "ceil"},   {"sin", "sin"},
    {"cos", "cos"},     {"tan", "tan"},     {"sinh", "sinh"},   {"cosh", "cosh"},
    {"tanh", "tanh"},   {"asin", "asin"},   {"acos", "acos"},   {"atan", "atan"},
};

const FunctionEntry* find_function(std::string_view name) {
    for (const FunctionEntry& f : kFunctions) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

// The argument as a factor or base: brackets unless it is a name, a number or a call.
std::string operand(TextRef argument) {
    const bool plain = argument.textClass == TEXT_NAME || argument.textClass == TEXT_NUMBER;
    if (plain && !begins_with_minus(argument.text)) return std::string(argument.text);
    return concat({"(", argument.text, ")"});
}

// f'(u) as a text and class, for u printed as `a`.
ClassedText outer_derivative(std::string_view f, TextRef argument, bool c) {
    const std::string a = operand(argument);
    const std::string call = call_text(f, argument.text, c);
    if (f == "exp") return {call, TEXT_NAME};
    if (f == "log") return {power_text(a, "-1", c), TEXT_POWER};
    if (f == "log10") return {"1/(" + a + "*2.302585092994046)", TEXT_PRODUCT};
    if (f == "sqrt") return {"0.5/" + call, TEXT_PRODUCT};
    if (f == "abs") return {c ? "((" + a + " > 0) - (" + a + " < 0))" : "sign(" + a + ")", TEXT_NAME};
    if (f == "sin") return {call_text("cos", argument.text, c), TEXT_NAME};
    if (f == "cos") return {"-" + call_text("sin", argument.text, c), TEXT_SUM};
    if (f == "tan") return {power_text(call_text("cos", argument.text, c), "-2", c), TEXT_POWER};
    if (f == "sinh") return {call_text("cosh", argument.text, c), TEXT_NAME};
    if (f == "cosh") return {call_text("sinh", argument.text, c), TEXT_NAME};
    if (f == "tanh") return {"(1 - " + power_text(call, "2", c) + ")", TEXT_NAME};
    const std::string square = power_text(a, "2", c);
    if (f == "asin") return {power_text("(1 - " + square + ")", "-0.5", c), TEXT_POWER};
    if (f == "acos") return {"-" + power_text("(1 - " + square + ")", "-0.5", c), TEXT_SUM};
    return {power_text("(1 + " + square + ")", "-1", c), TEXT_POWER};  // atan
}

}  // namespace

bool is_function_name(std::string_view name) {
    return find_function(name) != nullptr;
}

std::string call_text(std::string_view function, std::string_view argument, bool cNotation) {
    const FunctionEntry* f = find_function(function);
    std::string_view name = f == nullptr ? function : cNotation ? f->cName : f->name;
    return concat({name, "(", argument, ")"});
}

int call_derivative(std::string_view function, DiffSide&& argument, bool cNotation,
                    Derivative& out) {
    if (!is_function_name(function)) {
        log_sys("#  Unknown function '%s'.\n", std::string(function).c_str());
        return -1;
    }
    out = Derivative();
    // Steps have no slope where they are defined.
    if (function == "floor" || function == "ceil") return 0;
    ClassedText outer = outer_derivative(function, argument.value, cNotation);
    if (outer.textClass == TEXT_SUM) {
        outer.text = "(" + outer.text + ")";
        outer.textClass = TEXT_NAME;
    }
    out = mul(std::move(argument.derivative), outer);
    return 0;
}

bool tree_calls_function(const ExprNode* root) {
    std::vector<const ExprNode*> pending{root};
    while (!pending.empty()) {
        const ExprNode* node = pending.back();
        pending.pop_back();
        if (node == nullptr) continue;
        if (node->op == kCallOperator) return true;
        pending.push_back(node->left);
        pending.push_back(node->right);
    }
    return false;
}
