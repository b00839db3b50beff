#include "expr_compose.h"

#include <cmath>

#include "expr_functions.h"

namespace {

// The value of two numbers combined by op; false when it is zero or no finite number. Those
// stay unfolded: "inf" and "nan" are no numbers in the generated code, and a printed "0" could
// not be parsed again (the scanner refuses the value 0) when a temporary is substituted.
bool fold_numbers(char op, double left, double right, double& folded) {
    switch (op) {
        case '+':
            folded = left + right;
            break;
        case '-':
            folded = left - right;
            break;
        case '*':
            folded = left * right;
            break;
        case '/':
            folded = left / right;
            break;
        case '^':
            folded = std::pow(left, right);
            break;
        default:
            return false;
    }
    return std::isfinite(folded) && folded != 0;
}

ClassedText owned(TextRef t) {
    return {std::string(t.text), t.textClass};
}

ClassedText product_text(char op, TextRef left, TextRef right) {
    const std::string_view opText(&op, 1);
    if (op == '*' && left.textClass == TEXT_NUMBER) {
        double factor = text_value(left.text);
        if (factor == 1) return owned(right);
        if (factor == -1) return {concat({"-", right.text}), TEXT_SUM};
        return {concat({strip_outer_brackets(left.text), opText, right.text}), TEXT_PRODUCT};
    }
    if (right.textClass == TEXT_NUMBER) {
        double factor = text_value(right.text);
        if (factor == 1) return owned(left);
        if (factor == -1) return {concat({"-", left.text}), TEXT_SUM};
    }
    return {concat({left.text, opText, right.text}), TEXT_PRODUCT};
}

ClassedText power_row(TextRef left, TextRef right, bool cNotation) {
    if (left.textClass == TEXT_NUMBER && text_value(left.text) == 1) return {"1", TEXT_NUMBER};
    if (right.textClass == TEXT_NUMBER && text_value(right.text) == 1) return owned(left);
    std::string_view base =
        left.textClass == TEXT_NUMBER ? strip_outer_brackets(left.text) : left.text;
    // "-2^x" would read as -(2^x): a negative base keeps its brackets in the '^' notation.
    if (!cNotation && begins_with_minus(base)) base = left.text;
    std::string_view exponent =
        right.textClass == TEXT_NUMBER ? strip_outer_brackets(right.text) : right.text;
    return {power_text(base, exponent, cNotation), TEXT_POWER};
}

// Whether C reads the text as integer arithmetic: numbers without a point or exponent, brackets
// and operators only.
bool is_integer_arithmetic(std::string_view text) {
    for (char c : text) {
        const bool digit = c >= '0' && c <= '9';
        if (!digit && c != ' ' && c != '(' && c != ')' && c != '+' && c != '-' && c != '*' &&
            c != '/') {
            return false;
        }
    }
    return !text.empty();
}

// C divides integers as integers (6/4 is 1, and 1/0 stops the program), while every other
// notation divides numbers. A quotient of integers is only left unfolded when its value is 0,
// infinite or no number; its numerator is made a double so that C gets that value.
ClassedText quotient_text(TextRef left, TextRef right, bool cNotation) {
    ClassedText quotient = product_text('/', left, right);
    if (cNotation && quotient.textClass == TEXT_PRODUCT && is_integer_arithmetic(left.text) &&
        is_integer_arithmetic(right.text)) {
        quotient.text.insert(0, "(double)");
    }
    return quotient;
}

}  // namespace

bool is_unary_minus(const ExprNode& node) {
    return node.op == '-' && node.left == nullptr && node.leftText.empty();
}

ClassedText compose_text(const ExprNode& node, TextRef left, TextRef right, bool cNotation) {
    const char op = node.op;
    if (is_unary_minus(node)) return {concat({"-", right.text}), TEXT_SUM};
    if (op == 0) return {std::string(left.text), node.textClass};
    if (op == kCallOperator) return {call_text(node.function, right.text, cNotation), TEXT_NAME};
    if (op == kListOperator) return {concat({left.text, ", ", right.text}), TEXT_NAME};
    double folded = 0;
    if (left.textClass == TEXT_NUMBER && right.textClass == TEXT_NUMBER &&
        fold_numbers(op, text_value(left.text), text_value(right.text), folded)) {
        return {number_text(folded), TEXT_NUMBER};
    }
    if (op == '+' || op == '-') {
        return {concat({left.text, op == '+' ? " + " : " - ", right.text}), TEXT_SUM};
    }
    if (op == '*') return product_text(op, left, right);
    if (op == '/') return quotient_text(left, right, cNotation);
    return power_row(left, right, cNotation);
}

std::string power_text(std::string_view base, std::string_view exponent, bool cNotation) {
    if (cNotation) return concat({"pow(", base, ", ", exponent, ")"});
    if (begins_with_minus(exponent)) return concat({"(", base, "^(", exponent, "))"});
    return concat({"(", base, "^", exponent, ")"});
}

bool printer_needs_brackets(std::string_view text, int textClass, bool closed,
                            const NodePlace& place) {
    // A call's arguments stand in the call's own brackets, apart by commas.
    if (place.parent == nullptr || place.parent->op == kCallOperator ||
        place.parent->op == kListOperator) {
        return false;
    }
    const bool minusFirst = begins_with_minus(text);
    const int b = minusFirst ? TEXT_SUM : textClass;
    const int d = place.parent->priority;
    const char parentOp = place.parent->op;
    if (b < d) return true;
    if (b == d && closed) return true;
    if (b == d && place.isRight && (parentOp == '-' || parentOp == '/')) return true;
    // A text beginning with '-' never directly follows an operator ("a + -2*x"): the scanner
    // rejects that row when the text is parsed again.
    return minusFirst && place.isRight && parentOp != 0;
}
