// Text operations that the expression printer and the differentiation share.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// A printed text and its class (TextClass of expr_node.h), owned.
struct ClassedText {
    std::string text;
    int textClass = 0;
};

// A printed text and its class, seen in place: the sides of a node are read, never copied.
struct TextRef {
    std::string_view text;
    int textClass = 0;

    TextRef() = default;
    TextRef(std::string_view t, int c) : text(t), textClass(c) {}
    TextRef(const ClassedText& owned) : text(owned.text), textClass(owned.textClass) {}
};

// The parts joined into one new text.
std::string concat(std::initializer_list<std::string_view> parts);

// A number as every expression prints it: "%g", exponents with three digits.
std::string number_text(double value);

// The text without one pair of outer brackets when it begins with '(' and ends with ')'.
std::string_view strip_outer_brackets(std::string_view text);

// True when the text begins with '-'.
bool begins_with_minus(std::string_view text);

// The text without its first character when that is '-'.
std::string_view without_leading_minus(std::string_view text);

// text_value (expr_node.h) of a text seen in place.
double text_value(std::string_view text);

// Length of the unsigned decimal floating-point number (exponent included) that starts at pos;
// 0 when none starts there.
std::size_t decimal_prefix_length(std::string_view text, std::size_t pos);

// An operator character for a log line; the empty text for "no operator", so that no NUL byte
// ever reaches the log.
std::string op_text(char op);
