// Line reading and field texts, shared by the programs' readers.
#pragma once

#include <cstdio>
#include <string>

namespace zymorax {

// Reads one line, with its line end, into `line`; false at the end of the file (nothing read).
// A line has no length limit here; readers that bound a line check its size themselves.
bool read_line(FILE* in, std::string& line);

// The line without its trailing CR and LF characters.
std::string without_line_end(const std::string& line);

// The text without leading and trailing blanks, tabs, CRs and LFs.
std::string trim(const std::string& text);

// A decimal number literal: an optional sign, digits with an optional point (or a point and
// digits), an optional exponent ("-2.5", ".5", "1.0000e+000"); no blanks, no "inf", "nan" or
// hexadecimal forms.
bool is_decimal_literal(const std::string& text);

// A whole decimal number literal, blanks around it aside ("1e-3", " 2.5000e-001"), finite;
// false for anything else, the empty text included.
bool parse_number(const std::string& text, double& value);

// A whole number of 1 to 9 digits, blanks around it aside ("  12"); false for anything else.
bool parse_whole_number(const std::string& text, int& number);

}  // namespace zymorax
