#include "format.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace zymorax {
namespace {

// One parsed printf directive such as "%-12.4e".
struct Directive {
    std::string flags;
    int width = -1;      // -1: none
    int precision = -1;  // -1: none
    std::string length;  // hh, h, l, ll, j, z, t, L
    char conversion = 0;

    bool has_flag(char flag) const { return flags.find(flag) != std::string::npos; }

    // The directive rebuilt for snprintf, optionally without width and padding flags.
    std::string text(bool with_width) const {
        std::string directive = "%";
        for (char flag : flags) {
            if (with_width || (flag != '-' && flag != '0')) directive += flag;
        }
        if (with_width && width >= 0) directive += std::to_string(width);
        if (precision >= 0) directive += "." + std::to_string(precision);
        return directive;
    }
};

// Reads the directive after a '%'; returns the position after the conversion character.
const char* parse_directive(const char* p, va_list& args, Directive& directive) {
    while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) directive.flags += *p++;
    if (*p == '*') {
        directive.width = va_arg(args, int);
        if (directive.width < 0) {
            directive.flags += '-';
            directive.width = -directive.width;
        }
        ++p;
    } else if (std::isdigit(static_cast<unsigned char>(*p))) {
        directive.width = 0;
        while (std::isdigit(static_cast<unsigned char>(*p))) directive.width = directive.width * 10 + (*p++ - '0');
    }
    if (*p == '.') {
        ++p;
        directive.precision = 0;
        if (*p == '*') {
            directive.precision = va_arg(args, int);
            if (directive.precision < 0) directive.precision = -1;
            ++p;
        } else {
            while (std::isdigit(static_cast<unsigned char>(*p))) {
                directive.precision = directive.precision * 10 + (*p++ - '0');
            }
        }
    }
    while (*p != '\0' && std::strchr("hljztL", *p) != nullptr) directive.length += *p++;
    directive.conversion = *p;
    return *p != '\0' ? p + 1 : p;
}

std::string snprintf_string(const std::string& directive, ...) {
    va_list args;
    va_start(args, directive);
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, directive.c_str(), copy);
    va_end(copy);
    std::string out(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(out.data(), out.size() + 1, directive.c_str(), args);
    va_end(args);
    return out;
}

// Pads a finished floating text to the field width the way printf would.
std::string pad_to_width(std::string text, const Directive& directive) {
    if (directive.width < 0 || static_cast<int>(text.size()) >= directive.width) return text;
    size_t missing = static_cast<size_t>(directive.width) - text.size();
    bool finite = text.find_first_of("0123456789") != std::string::npos &&
                  text.find("inf") == std::string::npos && text.find("INF") == std::string::npos;
    if (directive.has_flag('-')) return text + std::string(missing, ' ');
    if (directive.has_flag('0') && finite) {
        size_t sign = (!text.empty() && std::strchr("+- ", text[0]) != nullptr) ? 1 : 0;
        return text.insert(sign, missing, '0');
    }
    return std::string(missing, ' ') + text;
}

std::string format_floating(const Directive& directive, va_list& args) {
    bool exponent_form = std::strchr("eEgG", directive.conversion) != nullptr;
    std::string base = directive.text(!exponent_form);
    std::string text;
    if (directive.length == "L") {
        text = snprintf_string(base + "L" + directive.conversion, va_arg(args, long double));
    } else {
        text = snprintf_string(base + directive.conversion, va_arg(args, double));
    }
    return exponent_form ? pad_to_width(widen_exponent(text), directive) : text;
}

std::string format_integer(const Directive& directive, va_list& args) {
    std::string base = directive.text(true);
    bool is_signed = directive.conversion == 'd' || directive.conversion == 'i';
    const std::string& len = directive.length;
    if (is_signed) {
        long long value = (len == "ll" || len == "j")               ? va_arg(args, long long)
                          : (len == "l" || len == "z" || len == "t") ? va_arg(args, long)
                                                                     : va_arg(args, int);
        if (len == "hh") value = static_cast<signed char>(value);
        if (len == "h") value = static_cast<short>(value);
        return snprintf_string(base + "ll" + directive.conversion, value);
    }
    unsigned long long value = (len == "ll" || len == "j")               ? va_arg(args, unsigned long long)
                               : (len == "l" || len == "z" || len == "t") ? va_arg(args, unsigned long)
                                                                          : va_arg(args, unsigned int);
    if (len == "hh") value = static_cast<unsigned char>(value);
    if (len == "h") value = static_cast<unsigned short>(value);
    return snprintf_string(base + "ll" + directive.conversion, value);
}

std::string format_one(const Directive& directive, va_list& args) {
    switch (directive.conversion) {
        case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
            return format_integer(directive, args);
        case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
            return format_floating(directive, args);
        case 'c':
            return snprintf_string(directive.text(true) + 'c', va_arg(args, int));
        case 's': {
            const char* text = va_arg(args, const char*);
            return snprintf_string(directive.text(true) + 's', text != nullptr ? text : "(null)");
        }
        case 'p':
            return snprintf_string(directive.text(true) + 'p', va_arg(args, void*));
        case '%':
            return "%";
        default:
            return "";  // %n and unknown conversions write nothing
    }
}

}  // namespace

std::string widen_exponent(const std::string& number) {
    size_t e = number.find_last_of("eE");
    if (e == std::string::npos || e + 1 >= number.size()) return number;
    size_t digits = e + 1;
    if (number[digits] == '+' || number[digits] == '-') ++digits;
    size_t count = 0;
    while (digits + count < number.size() && std::isdigit(static_cast<unsigned char>(number[digits + count]))) {
        ++count;
    }
    if (count == 0 || count >= 3) return number;
    std::string widened = number;
    widened.insert(digits, 3 - count, '0');
    return widened;
}

std::string vformat(const char* fmt, va_list args) {
    va_list cursor;
    va_copy(cursor, args);
    std::string out;
    for (const char* p = fmt; *p != '\0';) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        Directive directive;
        p = parse_directive(p + 1, cursor, directive);
        out += format_one(directive, cursor);
    }
    va_end(cursor);
    return out;
}

std::string format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string out = vformat(fmt, args);
    va_end(args);
    return out;
}

bool print(FILE* out, const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string text = vformat(fmt, args);
    va_end(args);
    return std::fwrite(text.data(), 1, text.size(), out) == text.size() && !std::ferror(out);
}

}  // namespace zymorax

namespace zymorax {

std::string shortest_number_text(double value) {
    std::string text;
    for (int digits = 1; digits <= 17; ++digits) {
        text = format("%.*g", digits, value);
        if (std::strtod(text.c_str(), nullptr) == value) break;
    }
    return text;
}

}  // namespace zymorax
