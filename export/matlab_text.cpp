#include "matlab_text.h"

#include <cctype>

namespace valscribe {
namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// Moves `at` past a run of digits; true when there was at least one.
bool skip_digits(const std::string& text, size_t& at) {
    size_t start = at;
    while (at < text.size() && is_digit(text[at])) ++at;
    return at > start;
}

}  // namespace

bool is_identifier(const std::string& text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

bool is_number_literal(const std::string& text) {
    size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    bool whole = skip_digits(text, at);
    bool fraction = false;
    if (at < text.size() && text[at] == '.') {
        ++at;
        fraction = skip_digits(text, at);
    }
    if (!whole && !fraction) return false;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
        if (!skip_digits(text, at)) return false;
    }
    return at == text.size();
}

bool is_printable(const std::string& text) {
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7f) return false;
    }
    return true;
}

std::string value_or_empty(const std::string& text) {
    return text.empty() ? "[]" : text;
}

std::string quoted(const std::string& text) {
    std::string result;
    for (char c : text) {
        result += c;
        if (c == '\'') result += '\'';
    }
    return result;
}

}  // namespace valscribe
