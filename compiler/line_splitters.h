// The two splitters every DAE reader uses.
#pragma once

#include <string>

// The three fields of a record line "name = value ; tail".
struct LineFields {
    std::string name;            // before '='
    std::string value;           // after '='
    std::string tail;            // after ';'
    std::string valueAsWritten;  // the value with its inner blanks, for messages and checks
};

// Splits a line: blanks and tabs are dropped, every other character goes to the field chosen by
// the last separator seen ('=' value, ';' tail); reading stops at a line end. Exactly one ';'
// and at most one '=' are allowed. 0, or -1 after logging.
int divide_line(const std::string& line, LineFields& fields);

// Splits "base[index]"; reading stops at a line end. Exactly one '[' and one ']' and nothing
// after ']'. 0, or -1 after logging its warning lines.
int divide_variable(const std::string& text, std::string& base, std::string& index);

// The text as a whole number when it is decimal digits only, else 0; saturates at INT_MAX.
int whole_number(const std::string& text);

enum class NumberField { Empty, Number, NotANumber, OutOfRange };

// The value field of a line as a number: a decimal number with an optional sign and exponent,
// written without blanks inside, whose value a double holds (1e999 does not).
NumberField number_field(const LineFields& fields, double& value);

// number_field with its faults logged ("#  Value '1 2' is not a number."). 0 with `given` telling
// whether the field holds a value, or -1 after logging.
int read_number_field(const LineFields& fields, double& value, bool& given);

// The text without one leading '+'.
std::string without_leading_plus(const std::string& text);
