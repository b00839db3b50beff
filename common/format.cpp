#include "format.h"

#include <cctype>
#include <cstring>

namespace zymorax {
namespace {

// One parsed conversion specification such as "%-12.4e".
struct ConversionSpec {
    std::string flags;
    int width = -1;      // -1: none
    int precision = -1;  // -1: none
    std::string length;  // hh, h, l, ll, j, z, t, L
    char conversion = 0;

    bool has_flag(char flag) const { return flags.find(flag) != std::string::npos; }

    // The specification rebuilt for snprintf, optionally without width and padding flags.
    std::string text(bool with_width) const {
        std::string spec = "%";
        for (char flag : flags) {
            if (with_width || (flag != '-' && flag != '0')) spec += flag;
        }
        if (with_width && width >= 0) spec += std::to_string(width);
        if (precision >= 0) spec += "." + std::to_string(precision);
        return spec;
    }
};

// Reads the specification after a '%'; returns the position after the conversion character.
const char* parse_spec(const char* p, va_list& args, ConversionSpec& spec) {
    while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) spec.flags += *p++;
    if (*p == '*') {
        spec.width = va_arg(args, int);
        if (spec.width < 0) {
            spec.flags += '-';
            spec.width = -spec.width;
        }
        ++p;
    } else if (std::isdigit(static_cast<unsigned char>(*p))) {
        spec.width = 0;
        while (std::isdigit(static_cast<unsigned char>(*p))) spec.width = spec.width * 10 + (*p++ - '0');
    }
    if (*p == '.') {
        ++p;
        spec.precision = 0;
        if (*p == '*') {
            spec.precision = va_arg(args, int);
            if (spec.precision < 0) spec.precision = -1;
            ++p;
        } else {
            while (std::isdigit(static_cast<unsigned char>(*p))) {
                spec.precision = spec.precision * 10 + (*p++ - '0');
            }
        }
    }
    while (*p != '\0' && std::strchr("hljztL", *p) != nullptr) spec.length += *p++;
    spec.conversion = *p;
    return *p != '\0' ? p + 1 : p;
}

std::string snprintf_string(const std::string& spec, ...) {
    va_list args;
    va_start(args, spec);
    va_list copy;
    va_copy(copy, args);
    int size = std::vsnprintf(nullptr, 0, spec.c_str(), copy);
    va_end(copy);
    std::string out(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(out.data(), out.size() + 1, spec.c_str(), args);
    va_end(args);
    return out;
}

// Pads a finished floating text to the field width the way printf would.
std::string pad_to_width(std::string text, const ConversionSpec& spec) {
    if (spec.width < 0 || static_cast<int>(text.size()) >= spec.width) return text;
    size_t missing = static_cast<size_t>(spec.width) - text.size();
    bool finite = text.find_first_of("0123456789") != std::string::npos &&
                  text.find("inf") == std::string::npos && text.find("INF") == std::string::npos;
    if (spec.has_flag('-')) return text + std::string(missing, ' ');
    if (spec.has_flag('0') && finite) {
        size_t sign = (!text.empty() && std::strchr("+- ", text[0]) != nullptr) ? 1 : 0;
        return text.insert(sign, missing, '0');
    }
    return std::string(missing, ' ') + text;
}

std::string format_floating(const ConversionSpec& spec, va_list& args) {
    bool exponent_form = std::strchr("eEgG", spec.conversion) != nullptr;
    std::string base = spec.text(!exponent_form);
    std::string text;
    if (spec.length == "L") {
        text = snprintf_string(base + "L" + spec.conversion, va_arg(args, long double));
    } else {
        text = snprintf_string(base + spec.conversion, va_arg(args, double));
    }
    return exponent_form ? pad_to_width(widen_exponent(text), spec) : text;
}

std::string format_integer(const ConversionSpec& spec, va_list& args) {
    std::string base = spec.text(true);
    bool is_signed = spec.conversion == 'd' || spec.conversion == 'i';
    const std::string& len = spec.length;
    if (is_signed) {
        long long value = (len == "ll" || len == "j")               ? va_arg(args, long long)
                          : (len == "l" || len == "z" || len == "t") ? va_arg(args, long)
                                                                     : va_arg(args, int);
        if (len == "hh") value = static_cast<signed char>(value);
        if (len == "h") value = static_cast<short>(value);
        return snprintf_string(base + "ll" + spec.conversion, value);
    }
    unsigned long long value = (len == "ll" || len == "j")               ? va_arg(args, unsigned long long)
                               : (len == "l" || len == "z" || len == "t") ? va_arg(args, unsigned long)
                                                                          : va_arg(args, unsigned int);
    if (len == "hh") value = static_cast<unsigned char>(value);
    if (len == "h") value = static_cast<unsigned short>(value);
    return snprintf_string(base + "ll" + spec.conversion, value);
}

std::string format_one(const ConversionSpec& spec, va_list& args) {
    switch (spec.conversion) {
        case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
            return format_integer(spec, args);
        case 'e': case 'E': case 'f': case 'F': case 'g': case 'G': case 'a': case 'A':
            return format_floating(spec, args);
        case 'c':
            return snprintf_string(spec.text(true) + 'c', va_arg(args, int));
        case 's': {
            const char* text = va_arg(args, const char*);
            return snprintf_string(spec.text(true) + 's', text != nullptr ? text : "(null)");
        }
        case 'p':
            return snprintf_string(spec.text(true) + 'p', va_arg(args, void*));
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
        ConversionSpec spec;
        p = parse_spec(p + 1, cursor, spec);
        out += format_one(spec, cursor);
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
