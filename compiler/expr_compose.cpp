#include "expr_compose.h"

#include <cmath>

#include "expr_text.h"

namespace {

// The value of two numbers combined by op; false when it is zero or no finite number. Those
// stay unfolded: "inf" and "nan" are no numbers in the generated code, and a printed "0" could
// not be parsed again (the scanner refuses the value 0) when a temporary is substituted.
bool fold_numbers(char op, double left, double right, double& folded) {
    switch (op) {
        case '+': folded = left + right; break;
        case '-': folded = left - right; break;
        case '*': folded = left * right; break;
        case '/': folded = left / right; break;
        case '^': folded = std::pow(left, right); break;
        default: return false;
    }
    return std::isfinite(folded) && folded != 0;
}

ClassedText product_text(char op, const ClassedText& left, const ClassedText& right) {
    if (op == '*' && left.textClass == TEXT_NUMBER) {
        double factor = text_value(left.text);
        if (factor == 1) return right;
        if (factor == -1) return {"-" + right.text, TEXT_SUM};
        return {strip_outer_brackets(left.text) + op + right.text, TEXT_PRODUCT};
    }
    if (right.textClass == TEXT_NUMBER) {
        double factor = text_value(right.text);
        if (factor == 1) return left;
        if (factor == -1) return {"-" + left.text, TEXT_SUM};
    }
    return {left.text + op + right.text, TEXT_PRODUCT};
}

ClassedText power_row(const ClassedText& left, const ClassedText& right, bool cNotation) {
    if (left.textClass == TEXT_NUMBER && text_value(left.text) == 1) return {"1", TEXT_NUMBER};
    if (right.textClass == TEXT_NUMBER && text_value(right.text) == 1) return left;
    std::string base = left.textClass == TEXT_NUMBER ? strip_outer_brackets(left.text) : left.text;
    // "-2^x" would read as -(2^x): a negative base keeps its brackets in the '^' notation.
    if (!cNotation && begins_with_minus(base)) base = left.text;
    std::string exponent =
        right.textClass == TEXT_NUMBER ? strip_outer_brackets(right.text) : right.text;
    return {power_text(base, exponent, cNotation), TEXT_POWER};
}

}  // namespace

bool is_unary_minus(const ExprNode& node) {
    return node.op == '-' && node.left == nullptr && node.leftText.empty();
}

ClassedText compose_text(const ExprNode& node, const ClassedText& left, const ClassedText& right,
                         bool cNotation) {
    const char op = node.op;
    if (is_unary_minus(node)) return {"-" + right.text, TEXT_SUM};
    if (op == 0) return {left.text, node.textClass};
    double folded = 0;
    if (left.textClass == TEXT_NUMBER && right.textClass == TEXT_NUMBER &&
        fold_numbers(op, text_value(left.text), text_value(right.text), folded)) {
        return {number_text(folded), TEXT_NUMBER};
    }
    if (op == '+' || op == '-') return {left.text + " " + op + " " + right.text, TEXT_SUM};
    if (op == '*' || op == '/') return product_text(op, left, right);
    return power_row(left, right, cNotation);
}

std::string power_text(const std::string& base, const std::string& exponent, bool cNotation) {
    if (cNotation) return "pow(" + base + ", " + exponent + ")";
    if (begins_with_minus(exponent)) return "(" + base + "^(" + exponent + "))";
    return "(" + base + "^" + exponent + ")";
}

bool printer_needs_brackets(const ClassedText& printed, bool closed, const NodePlace& place) {
    if (place.parent == nullptr) return false;
    const bool minusFirst = begins_with_minus(printed.text);
    const int b = minusFirst ? TEXT_SUM : printed.textClass;
    const int d = place.parent->priority;
    const char parentOp = place.parent->op;
    if (b < d) return true;
    if (b == d && closed) return true;
    if (b == d && place.isRight && (parentOp == '-' || parentOp == '/')) return true;
    // A text beginning with '-' never directly follows an operator ("a + -2*x"): the scanner
    // rejects that row when the text is parsed again.
    return minusFirst && place.isRight && parentOp != 0;
}
