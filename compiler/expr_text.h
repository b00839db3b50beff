// Text operations that the expression printer and the differentiation share.
#pragma once

#include <cstddef>
#include <string>

// A number as every expression prints it: "%g", exponents with three digits.
std::string number_text(double value);

// The text without one pair of outer brackets when it begins with '(' and ends with ')'.
std::string strip_outer_brackets(const std::string& text);

// True when the text begins with '-'.
bool begins_with_minus(const std::string& text);

// The text without its first character when that is '-'.
std::string without_leading_minus(const std::string& text);

// Length of the unsigned decimal floating-point number (exponent included) that starts at pos;
// 0 when none starts there.
std::size_t decimal_prefix_length(const std::string& text, std::size_t pos);

// An operator character for a log line; the empty text for "no operator", so that no NUL byte
// ever reaches the log.
std::string op_text(char op);
