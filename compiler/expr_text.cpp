#include "expr_text.h"

#include <cctype>
#include <cstdlib>

#include "expr_node.h"
#include "format.h"

namespace {

bool is_digit_at(const std::string& text, std::size_t pos) {
    return pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) != 0;
}

std::size_t count_digits(const std::string& text, std::size_t pos) {
    std::size_t end = pos;
    while (is_digit_at(text, end)) ++end;
    return end - pos;
}

// Length of "e[+-]digits" at pos, or 0 when no complete exponent stands there.
std::size_t exponent_length(const std::string& text, std::size_t pos) {
    if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) return 0;
    std::size_t digitsAt = pos + 1;
    if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-')) ++digitsAt;
    std::size_t digits = count_digits(text, digitsAt);
    return digits == 0 ? 0 : digitsAt + digits - pos;
}

}  // namespace

std::string number_text(double value) { return zymorax::format("%g", value); }

std::string strip_outer_brackets(const std::string& text) {
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

bool begins_with_minus(const std::string& text) { return !text.empty() && text[0] == '-'; }

std::string without_leading_minus(const std::string& text) {
    return begins_with_minus(text) ? text.substr(1) : text;
}

std::size_t decimal_prefix_length(const std::string& text, std::size_t pos) {
    std::size_t integerDigits = count_digits(text, pos);
    std::size_t end = pos + integerDigits;
    std::size_t fractionDigits = 0;
    if (end < text.size() && text[end] == '.') {
        fractionDigits = count_digits(text, end + 1);
        if (integerDigits + fractionDigits > 0) end += 1 + fractionDigits;
    }
    if (integerDigits + fractionDigits == 0) return 0;
    end += exponent_length(text, end);
    return end - pos;
}

double text_value(const std::string& text) {
    std::string inner = strip_outer_brackets(text);
    std::size_t start = (!inner.empty() && (inner[0] == '-' || inner[0] == '+')) ? 1 : 0;
    std::size_t length = decimal_prefix_length(inner, start);
    if (length == 0) return 0.0;
    return std::strtod(inner.substr(0, start + length).c_str(), nullptr);
}

std::string op_text(char op) { return op == 0 ? std::string() : std::string(1, op); }
