#include "line_splitters.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "expr_text.h"
#include "log.h"

namespace {

bool is_line_end(char c) {
    return c == '\n' || c == '\r';
}

int divide_line_failure(const char* message) {
    log_sys("%s", message);
    log_sys("## Error in divide_line.\n");
    return -1;
}

int divide_variable_failure() {
    log_sys("## Warning!! in divide_variable.\n");
    return -1;
}

}  // namespace

int divide_line(const std::string& line, LineFields& fields) {
    fields = LineFields();
    std::string* target = &fields.name;
    bool seenEqual = false;
    bool seenSemicolon = false;
    for (char c : line) {
        if (is_line_end(c)) break;
        const bool inValue = target == &fields.value;
        if (c == ' ' || c == '\t') {
            if (inValue && !fields.value.empty()) fields.valueAsWritten += c;
            continue;
        }
        if (c == ';') {
            if (seenSemicolon) return divide_line_failure("#  Duplication of ';'.\n");
            seenSemicolon = true;
            target = &fields.tail;
        } else if (c == '=') {
            if (seenEqual) return divide_line_failure("#  Duplication of '='.\n");
            seenEqual = true;
            target = &fields.value;
        } else {
            *target += c;
            if (inValue) fields.valueAsWritten += c;
        }
    }
    if (!seenSemicolon) return divide_line_failure("#  Lack of ';'.\n");
    // Blanks after the value's last character are no part of it.
    fields.valueAsWritten.resize(fields.valueAsWritten.find_last_not_of(" \t") + 1);
    return 0;
}

int divide_variable(const std::string& text, std::string& base, std::string& index) {
    base.clear();
    index.clear();
    bool opened = false;
    bool closed = false;
    for (size_t i = 0; i < text.size() && !is_line_end(text[i]); ++i) {
        char c = text[i];
        if (c == '[') {
            if (opened) {
                log_sys("#  Duplication of '['.\n");
                return divide_variable_failure();
            }
            opened = true;
        } else if (c == ']') {
            if (closed) {
                log_sys("#  Duplication of ']'.\n");
                return divide_variable_failure();
            }
            closed = true;
        } else if (closed) {
            size_t end = text.find_first_of("\r\n", i);
            std::string rest = text.substr(i, end == std::string::npos ? end : end - i);
            log_sys("#  '%s' behind ']' is an excessive character sequence.\n", rest.c_str());
            return divide_variable_failure();
        } else {
            (opened ? index : base) += c;
        }
    }
    if (!opened || !closed) {
        log_sys(!opened ? "#  Lack of '['.\n" : "#  Lack of ']'.\n");
        return divide_variable_failure();
    }
    return 0;
}

int whole_number(const std::string& text) {
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(value);
}

NumberField number_field(const LineFields& fields, double& value) {
    const std::string& text = fields.value;
    if (text.empty()) return NumberField::Empty;
    const size_t digitsAt = text[0] == '+' || text[0] == '-' ? 1 : 0;
    if (fields.valueAsWritten != text || digitsAt == text.size() ||
        decimal_prefix_length(text, digitsAt) != text.size() - digitsAt) {
        return NumberField::NotANumber;
    }
    errno = 0;
    value = std::strtod(text.c_str(), nullptr);
    return errno == ERANGE ? NumberField::OutOfRange : NumberField::Number;
}

int read_number_field(const LineFields& fields, double& value, bool& given) {
    NumberField field = number_field(fields, value);
    given = field == NumberField::Number;
    if (field == NumberField::Empty || field == NumberField::Number) return 0;
    log_sys(field == NumberField::NotANumber ? "#  Value '%s' is not a number.\n"
                                             : "#  Value '%s' is out of range.\n",
            fields.valueAsWritten.c_str());
    return -1;
}

std::string without_leading_plus(const std::string& text) {
    return !text.empty() && text[0] == '+' ? text.substr(1) : text;
}
