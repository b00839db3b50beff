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

// A text that grows at either end in amortised constant time per character: derivatives are
// built by wrapping and joining their operands' derivatives, which copying would make quadratic.
class GrowText {
  public:
    GrowText() = default;
    explicit GrowText(std::string_view text) : buffer_(text) {}

    std::string_view view() const { return std::string_view(buffer_).substr(begin_); }
    std::size_t size() const { return buffer_.size() - begin_; }
    bool empty() const { return size() == 0; }

    void append(std::string_view text) { buffer_.append(text); }
    void prepend(std::string_view text);
    // Drops the first `count` characters.
    void drop_front(std::size_t count) { begin_ += count; }
    // The text, moved out.
    std::string release();

  private:
    std::string buffer_;  // the text is buffer_[begin_, end); what lies before it is free room
    std::size_t begin_ = 0;
};

// The pieces joined into one text: the largest owned piece becomes the result, the others are
// prepended and appended to it, so that only the smaller pieces are copied.
struct TextPiece {
    std::string_view text;
    GrowText* owned = nullptr;
    TextPiece(std::string_view t) : text(t) {}
    TextPiece(const char* t) : text(t) {}
    TextPiece(GrowText& o) : text(o.view()), owned(&o) {}
};
GrowText assemble(std::initializer_list<TextPiece> pieces);

// The parts joined into one new text.
std::string concat(std::initializer_list<std::string_view> parts);

// A number as every expression prints it: "%g", exponents with three digits; in the extended
// dialect the shortest text that reads back as the same value.
std::string number_text(double value);

// The extended dialect of symcode -X, process-wide: numbers at full precision (0 among them),
// negative initial values, values in the parameter file at full precision.
void set_extended_dialect(bool extended);
bool extended_dialect();

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
