#include "text_io.h"

#include <cmath>
#include <cstdlib>

namespace zymorax {

bool read_line(FILE* in, std::string& line) {
    line.clear();
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        line += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !line.empty();
}

std::string without_line_end(const std::string& line) {
    size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) --end;
    return line.substr(0, end);
}

std::string trim(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

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

bool is_decimal_literal(const std::string& text) {
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

bool parse_number(const std::string& text, double& value) {
    std::string trimmed = trim(text);
    // strtod alone would also take hexadecimal forms, "inf" and "nan".
    if (!is_decimal_literal(trimmed)) return false;
    char* end = nullptr;
    double parsed = std::strtod(trimmed.c_str(), &end);
    if (end != trimmed.c_str() + trimmed.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

bool parse_whole_number(const std::string& text, int& number) {
    std::string trimmed = trim(text);
    if (trimmed.empty() || trimmed.size() > 9) return false;
    for (char c : trimmed) {
        if (c < '0' || c > '9') return false;
    }
    number = std::atoi(trimmed.c_str());
    return true;
}

}  // namespace zymorax
