#include "expr_scanner.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "expr_functions.h"
#include "expr_text.h"
#include "log.h"

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

int operator_priority(char c) {
    switch (c) {
        case '+':
        case '-':
            return 1;
        case '*':
        case '/':
            return 2;
        case '^':
            return 3;
        default:
            return 0;
    }
}

bool ends_name_outside_brackets(char c) {
    return c == '(' || c == ')' || operator_priority(c) > 0 ||
           (c == kListOperator && extended_dialect());
}

// A number: the longest decimal prefix, kept as its "%g" text (0 only in the extended dialect).
int scan_number(const std::string& text, std::size_t& cursor, Token& token) {
    token.kind = 'v';
    std::size_t length = decimal_prefix_length(text, cursor);
    double value = length > 0 ? std::strtod(text.substr(cursor, length).c_str(), nullptr) : 0.0;
    cursor += length > 0 ? length : 1;
    if ((value == 0.0 && !(length > 0 && extended_dialect())) || !std::isfinite(value)) {
        log_sys("#  Invalid value expression.\n");
        return -1;
    }
    token.text = number_text(value);
    return 0;
}

// A name: everything up to an operator or bracket outside [ ], blanks dropped.
void scan_name(const std::string& text, std::size_t& cursor, Token& token) {
    token.kind = 'a';
    bool insideBrackets = false;
    for (; cursor < text.size(); ++cursor) {
        char c = text[cursor];
        if (!insideBrackets && ends_name_outside_brackets(c)) break;
        if (c == '[') insideBrackets = true;
        if (c == ']') insideBrackets = false;
        if (!is_blank(c)) token.text += c;
    }
}

// In the extended dialect a function's name followed by '(' is a call.
void mark_call(const std::string& text, std::size_t cursor, Token& token) {
    if (!extended_dialect() || !is_function_name(token.text)) return;
    while (cursor < text.size() && is_blank(text[cursor])) ++cursor;
    if (cursor < text.size() && text[cursor] == '(') token.kind = 'F';
}

}  // namespace

bool is_operator_kind(char kind) {
    return operator_priority(kind) > 0;
}

bool is_operand_kind(char kind) {
    return kind == 'a' || kind == 'v';
}

int scan_token(const std::string& text, std::size_t& cursor, Token& token) {
    token = Token();
    while (cursor < text.size() && is_blank(text[cursor])) ++cursor;
    if (cursor >= text.size()) return 0;
    char c = text[cursor];
    if (c == '(' || c == ')' || is_operator_kind(c) || (c == kListOperator && extended_dialect())) {
        token.kind = c;
        token.priority = operator_priority(c);
        ++cursor;
        return 0;
    }
    if (std::isdigit(static_cast<unsigned char>(c)) || c == '.')
        return scan_number(text, cursor, token);
    scan_name(text, cursor, token);
    mark_call(text, cursor, token);
    return 0;
}

// The rows of the argument separator: it follows an operand or ')' and is followed by what may
// open an expression. 0, or -1 after logging.
int check_list_row(char prev, char cur) {
    if (cur == kListOperator && (prev == 0 || prev == '(' || prev == 'F' || prev == kListOperator ||
                                 is_operator_kind(prev))) {
        log_sys("#  previous: '%c', current: '%c'\n", prev == 0 ? ' ' : prev, cur);
        return -1;
    }
    if (prev == kListOperator && (cur == ')' || cur == '*' || cur == '/' || cur == '^')) {
        log_sys("#  previous: '%c', current: '%c'\n", prev, cur);
        return -1;
    }
    return 0;
}

int TokenRowCheck::check_row(const Token& current) const {
    const char prev = previous_.kind;
    const char cur = current.kind;
    if ((prev == kListOperator || cur == kListOperator) && check_list_row(prev, cur) != 0) {
        log_sys("#  Forbidden token row.\n");
        return -1;
    }
    const bool curHighOperator = current.priority >= 2;
    if (prev == 0 && (cur == ')' || curHighOperator)) {
        log_sys("#  '%c' doesnot come first.\n", cur);
    } else if ((prev == '(' && (cur == ')' || curHighOperator)) || (prev == ')' && cur == '(') ||
               (is_operator_kind(prev) && (cur == ')' || is_operator_kind(cur)))) {
        log_sys("#  previous: '%c', current: '%c'\n", prev, cur);
    } else if (prev == ')' && is_operand_kind(cur)) {
        log_sys("#  previous: '%c', current: '%s'\n", prev, current.text.c_str());
    } else if (is_operand_kind(prev) && cur == '(') {
        if (prev == 'a' && extended_dialect()) {
            log_sys("#  '%s' is no function of the extended dialect.\n", previous_.text.c_str());
        }
        log_sys("#  previous: '%s', current: '%c'\n", previous_.text.c_str(), cur);
    } else if (cur == 'F' && (prev == ')' || prev == 'F' || is_operand_kind(prev))) {
        log_sys("#  previous: '%s', current: '%s'\n", prev == ')' ? ")" : previous_.text.c_str(),
                current.text.c_str());
    } else if (prev == 'F' && cur != '(') {
        log_sys("#  '%s' is not followed by '('.\n", previous_.text.c_str());
    } else if (is_operand_kind(prev) && is_operand_kind(cur)) {
        log_sys("#  previous: '%s', current: '%s'\n", previous_.text.c_str(), current.text.c_str());
    } else {
        return 0;
    }
    log_sys("#  Forbidden token row.\n");
    return -1;
}

int TokenRowCheck::check(const Token& current) {
    if (check_row(current) != 0) return -1;
    if (current.kind == '(') ++openCount_;
    if (current.kind == ')') ++closeCount_;
    previous_ = current;
    if (closeCount_ > openCount_) {
        log_sys("#  Bad brackets balance. open:%d, close:%d\n", openCount_, closeCount_);
        return -1;
    }
    return 0;
}

int TokenRowCheck::finish() const {
    if (previous_.kind == '(' || previous_.kind == 'F' || previous_.kind == kListOperator ||
        is_operator_kind(previous_.kind)) {
        log_sys("#  '%c' doesnot come last.\n", previous_.kind);
        return -1;
    }
    if (openCount_ != closeCount_) {
        log_sys("#  Bad brackets balance. open:%d, close:%d\n", openCount_, closeCount_);
        return -1;
    }
    return 0;
}
