#include "expr_text.h"

#include <cctype>
#include <cstdlib>

#include "expr_node.h"
#include "format.h"

namespace {

bool is_digit_at(std::string_view text, std::size_t pos) {
    return pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos])) != 0;
}

std::size_t count_digits(std::string_view text, std::size_t pos) {
    std::size_t end = pos;
    while (is_digit_at(text, end)) ++end;
    return end - pos;
}

// Length of "e[+-]digits" at pos, or 0 when no complete exponent stands there.
std::size_t exponent_length(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || (text[pos] != 'e' && text[pos] != 'E')) return 0;
    std::size_t digitsAt = pos + 1;
    if (digitsAt < text.size() && (text[digitsAt] == '+' || text[digitsAt] == '-')) ++digitsAt;
    std::size_t digits = count_digits(text, digitsAt);
    return digits == 0 ? 0 : digitsAt + digits - pos;
}

}  // namespace

void GrowText::prepend(std::string_view text) {
    if (text.size() > begin_) {
        // Room in front for at least the text so far: each character is moved O(1) times.
        const std::size_t room = text.size() + size();
        std::string grown;
        grown.reserve(room + size());
        grown.append(room, '\0');
        grown.append(view());
        buffer_ = std::move(grown);
        begin_ = room;
    }
    begin_ -= text.size();
    buffer_.replace(begin_, text.size(), text);
}

std::string GrowText::release() {
    if (begin_ > 0) buffer_.erase(0, begin_);
    begin_ = 0;
    return std::move(buffer_);
}

GrowText assemble(std::initializer_list<TextPiece> pieces) {
    const TextPiece* base = nullptr;
    for (const TextPiece& piece : pieces) {
        if (piece.owned != nullptr && (base == nullptr || piece.text.size() > base->text.size()))
            base = &piece;
    }
    GrowText out = base != nullptr ? std::move(*base->owned) : GrowText();
    const TextPiece* first = pieces.begin();
    const TextPiece* start = base != nullptr ? base : first;
    for (const TextPiece* p = start; p != first;) out.prepend((--p)->text);
    for (const TextPiece* p = base != nullptr ? base + 1 : first; p != pieces.end(); ++p) {
        out.append(p->text);
    }
    return out;
}

std::string concat(std::initializer_list<std::string_view> parts) {
    std::size_t size = 0;
    for (std::string_view part : parts) size += part.size();
    std::string out;
    out.reserve(size);
    for (std::string_view part : parts) out.append(part);
    return out;
}

namespace {
bool extendedDialect = false;
}  // namespace

void set_extended_dialect(bool extended) {
    extendedDialect = extended;
}

bool extended_dialect() {
    return extendedDialect;
}

std::string number_text(double value) {
    return extendedDialect ? zymorax::shortest_number_text(value) : zymorax::format("%g", value);
}

std::string_view strip_outer_brackets(std::string_view text) {
    if (text.size() >= 2 && text.front() == '(' && text.back() == ')') {
        return text.substr(1, text.size() - 2);
    }
    return text;
}

bool begins_with_minus(std::string_view text) {
    return !text.empty() && text[0] == '-';
}

std::string_view without_leading_minus(std::string_view text) {
    return begins_with_minus(text) ? text.substr(1) : text;
}

std::size_t decimal_prefix_length(std::string_view text, std::size_t pos) {
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

double text_value(std::string_view text) {
    std::string_view inner = strip_outer_brackets(text);
    std::size_t start = (!inner.empty() && (inner[0] == '-' || inner[0] == '+')) ? 1 : 0;
    std::size_t length = decimal_prefix_length(inner, start);
    if (length == 0) return 0.0;
    return std::strtod(std::string(inner.substr(0, start + length)).c_str(), nullptr);
}

double text_value(const std::string& text) {
    return text_value(std::string_view(text));
}

std::string op_text(char op) {
    return op == 0 ? std::string() : std::string(1, op);
}
