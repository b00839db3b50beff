#include "matlab_text.h"

#include <cctype>

namespace valscribe {
bool is_identifier(const std::string& text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
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
