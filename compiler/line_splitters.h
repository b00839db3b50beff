// The two splitters every DAE reader uses.
#pragma once

#include <string>

// The three fields of a record line "name = value ; tail".
struct LineFields {
    std::string name;   // before '='
    std::string value;  // after '='
    std::string tail;   // after ';'
};

// Splits a line: blanks and tabs are dropped, every other character goes to the field chosen by
// the last separator seen ('=' value, ';' tail); reading stops at a line end. Exactly one ';'
// and at most one '=' are allowed. 0, or -1 after logging.
int divide_line(const std::string& line, LineFields& fields);

// Splits "base[index]"; reading stops at a line end. Exactly one '[' and one ']' and nothing
// after ']'. 0, or -1 after logging its warning lines.
int divide_variable(const std::string& text, std::string& base, std::string& index);

// The leading decimal digits of a text as a number, 0 without any; saturates at INT_MAX.
int leading_whole_number(const std::string& text);

// The text without one leading '+'.
std::string without_leading_plus(const std::string& text);
