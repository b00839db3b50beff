#include "expr_functions.h"

#include <vector>

#include "expr_compose.h"
#include "expr_node.h"
#include "log.h"

namespace {

enum class Shape { Unary, Binary, Relation, Logical, Not, Piecewise };

struct FunctionEntry {
    const char* name;   // in the DAE file (and MATLAB, for the functions of one argument)
    const char* cName;  // in C with math.h; an operator for relations and logical functions
    const char* matlabName;
    Shape shape;
};

constexpr FunctionEntry kFunctions[] = {
    {"exp", "exp", "exp", Shape::Unary},         {"log", "log", "log", Shape::Unary},
    {"log10", "log10", "log10", Shape::Unary},   {"sqrt", "sqrt", "sqrt", Shape::Unary},
    {"abs", "fabs", "abs", Shape::Unary},        {"floor", "floor", "floor", Shape::Unary},
    {"ceil", "ceil", "ceil", Shape::Unary},      {"sin", "sin", "sin", Shape::Unary},
    {"cos", "cos", "cos", Shape::Unary},         {"tan", "tan", "tan", Shape::Unary},
    {"sinh", "sinh", "sinh", Shape::Unary},      {"cosh", "cosh", "cosh", Shape::Unary},
    {"tanh", "tanh", "tanh", Shape::Unary},      {"asin", "asin", "asin", Shape::Unary},
    {"acos", "acos", "acos", Shape::Unary},      {"atan", "atan", "atan", Shape::Unary},
    {"min", "fmin", "min", Shape::Binary},       {"max", "fmax", "max", Shape::Binary},
    {"lt", "<", "<", Shape::Relation},           {"leq", "<=", "<=", Shape::Relation},
    {"gt", ">", ">", Shape::Relation},           {"geq", ">=", ">=", Shape::Relation},
    {"eq", "==", "==", Shape::Relation},         {"neq", "!=", "~=", Shape::Relation},
    {"and", "&&", "&&", Shape::Logical},         {"or", "||", "||", Shape::Logical},
    {"xor", "^", "xor", Shape::Logical},         {"not", "!", "~", Shape::Not},
    {"piecewise", "", "", Shape::Piecewise},
};

bool matlabCalls = false;

const FunctionEntry* find_function(std::string_view name) {
    for (const FunctionEntry& f : kFunctions) {
        if (name == f.name) return &f;
    }
    return nullptr;
}

std::string joined(const std::vector<std::string_view>& parts, std::string_view separator) {
    std::string out;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) out += separator;
        out += parts[i];
    }
    return out;
}

std::string bracketed(std::string_view text) {
    return concat({"(", text, ")"});
}

// value if condition, else otherwise: C's conditional, or a MATLAB expression that picks one of
// the two without arithmetic on them (an infinite branch not taken stays out of the result).
std::string choice(std::string_view condition, std::string_view value, std::string_view otherwise,
                   bool c) {
    if (c) return concat({"(", condition, " ? ", value, " : ", otherwise, ")"});
    return concat({"subsref({", value, ", ", otherwise, "}, struct('type', '{}', 'subs', {{2 - ((",
                   condition, ") ~= 0)}}))"});
}

std::string piecewise_text(const std::vector<std::string_view>& a, bool c) {
    std::string text(a.back());
    for (std::size_t i = a.size() - 1; i >= 2; i -= 2) text = choice(a[i - 1], a[i - 2], text, c);
    return text;
}

std::string logical_text(const FunctionEntry& f, const std::vector<std::string_view>& a, bool c) {
    if (!c && f.shape == Shape::Logical && std::string_view(f.name) == "xor") {
        std::string text(a[0]);
        for (std::size_t i = 1; i < a.size(); ++i) text = concat({"xor(", text, ", ", a[i], ")"});
        return text;
    }
    std::vector<std::string> terms;
    for (std::string_view arg : a) {
        terms.push_back(std::string_view(f.name) == "xor" ? concat({"(", arg, " != 0)"})
                                                          : std::string(arg));
    }
    std::vector<std::string_view> views(terms.begin(), terms.end());
    return bracketed(joined(views, concat({" ", c ? f.cName : f.matlabName, " "})));
}

// The call in C or MATLAB.
std::string output_call(const FunctionEntry& f, const std::vector<std::string_view>& a, bool c) {
    switch (f.shape) {
        case Shape::Unary:
        case Shape::Binary:
            return concat({c ? f.cName : f.matlabName, "(", joined(a, ", "), ")"});
        case Shape::Relation:
            return concat({"(", a[0], " ", c ? f.cName : f.matlabName, " ", a[1], ")"});
        case Shape::Logical:
            return logical_text(f, a, c);
        case Shape::Not:
            return concat({"(", c ? f.cName : f.matlabName, "(", a[0], "))"});
        default:
            return piecewise_text(a, c);
    }
}

// The argument as a factor or base: brackets unless it is a name, a number or a call.
std::string operand(TextRef argument) {
    const bool plain = argument.textClass == TEXT_NAME || argument.textClass == TEXT_NUMBER;
    if (plain && !begins_with_minus(argument.text)) return std::string(argument.text);
    return bracketed(argument.text);
}

// f'(u) of a function of one argument as a text and class, for u printed as `argument`.
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

int unary_derivative(std::string_view function, DiffSide&& argument, bool c, Derivative& out) {
    // Steps have no slope where they are defined.
    if (function == "floor" || function == "ceil") return 0;
    ClassedText outer = outer_derivative(function, argument.value, c);
    if (outer.textClass == TEXT_SUM) outer = {bracketed(outer.text), TEXT_NAME};
    Derivative& inner = argument.derivative;
    if (inner.textClass == TEXT_SUM) {
        inner.text.prepend("(");
        inner.text.append(")");
        inner.textClass = TEXT_NAME;
    }
    out = mul(std::move(inner), outer);
    return 0;
}

// min(a, b)' is a' where a is the smaller, else b'; max likewise.
std::string extremum_derivative(std::string_view f, const std::vector<std::string_view>& a,
                                const std::vector<std::string_view>& d, bool c) {
    const std::string condition = concat({"(", a[0], f == "min" ? " <= " : " >= ", a[1], ")"});
    return choice(condition, d[0], d[1], c);
}

// piecewise(v1, c1, ..., o)' is piecewise(v1', c1, ..., o').
std::string piecewise_derivative(const std::vector<std::string_view>& a,
                                 const std::vector<std::string_view>& d, bool c) {
    std::vector<std::string_view> parts(a);
    for (std::size_t i = 0; i < a.size(); i += 2) parts[i] = d[i];
    if (!c && !matlabCalls) return concat({"piecewise(", joined(parts, ", "), ")"});
    return piecewise_text(parts, c);
}

}  // namespace

bool is_function_name(std::string_view name) {
    return find_function(name) != nullptr;
}

bool accepts_argument_count(std::string_view function, std::size_t count) {
    const FunctionEntry* f = find_function(function);
    if (f == nullptr) return false;
    switch (f->shape) {
        case Shape::Unary:
        case Shape::Not:
            return count == 1;
        case Shape::Binary:
        case Shape::Relation:
            return count == 2;
        case Shape::Logical:
            return count >= 2;
        default:
            return count >= 3 && count % 2 == 1;
    }
}

void set_matlab_calls(bool matlab) {
    matlabCalls = matlab;
}

std::vector<std::string_view> split_arguments(std::string_view list) {
    std::vector<std::string_view> parts;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i < list.size(); ++i) {
        char ch = list[i];
        if (ch == '(' || ch == '[' || ch == '{') ++depth;
        if (ch == ')' || ch == ']' || ch == '}') --depth;
        if (ch == ',' && depth == 0) {
            parts.push_back(list.substr(start, i - start));
            start = i + 2 <= list.size() && list[i + 1] == ' ' ? i + 2 : i + 1;
        }
    }
    parts.push_back(list.substr(start));
    return parts;
}

std::string call_text(std::string_view function, std::string_view arguments, bool cNotation) {
    const FunctionEntry* f = find_function(function);
    if (f == nullptr || (!cNotation && !matlabCalls)) return concat({function, "(", arguments, ")"});
    return output_call(*f, split_arguments(arguments), cNotation);
}

int call_derivative(std::string_view function, DiffSide&& arguments, bool cNotation,
                    Derivative& out) {
    const FunctionEntry* f = find_function(function);
    if (f == nullptr) {
        log_sys("#  Unknown function '%s'.\n", std::string(function).c_str());
        return -1;
    }
    out = Derivative();
    if (arguments.derivative.textClass == TEXT_ZERO) return 0;
    if (f->shape == Shape::Unary) return unary_derivative(function, std::move(arguments), cNotation, out);
    if (f->shape != Shape::Binary && f->shape != Shape::Piecewise) return 0;  // steps: no slope
    const std::string derivatives(arguments.derivative.text.view());
    const std::vector<std::string_view> a = split_arguments(arguments.value.text);
    const std::vector<std::string_view> d = split_arguments(derivatives);
    if (a.size() != d.size()) {
        log_sys("#  The derivatives of '%s' do not match its arguments.\n", f->name);
        return -1;
    }
    std::string text = f->shape == Shape::Binary ? extremum_derivative(function, a, d, cNotation)
                                                 : piecewise_derivative(a, d, cNotation);
    out = {GrowText(text), TEXT_NAME};
    return 0;
}

namespace {

// The derivatives of one side of a list: its own, or a "0" for each of its arguments.
std::string side_derivatives(const DiffSide& side) {
    if (side.derivative.textClass != TEXT_ZERO) return std::string(side.derivative.text.view());
    std::string zeros = "0";
    for (std::size_t i = 1; i < split_arguments(side.value.text).size(); ++i) zeros += ", 0";
    return zeros;
}

}  // namespace

Derivative list_derivative(DiffSide&& left, DiffSide&& right) {
    if (left.derivative.textClass == TEXT_ZERO && right.derivative.textClass == TEXT_ZERO) {
        return Derivative();
    }
    return {GrowText(concat({side_derivatives(left), ", ", side_derivatives(right)})), TEXT_NAME};
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
