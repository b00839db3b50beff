// Formatting for the code writers' integer and text directives (%d, %3d, %s, %-7s). These need
// no exponent widening, so the C library's own printf serves; it is several times faster than
// the shared helper on the millions of lines a large network's Jacobian has. Numbers with a
// fractional part go through zymorax::format as everywhere else.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// Formats like snprintf into a new string; no floating-point directives.
std::string code_format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The numbers between the braces of a C array or the brackets of a MATLAB column, 16 a line,
// each line led by a tab and the last ended; `separator` between numbers, `offset` added to each.
void write_number_lines(FILE* out, const std::vector<int>& numbers, const char* separator,
                        int offset);

// "base[n]", the symbol of element n of an array.
std::string element_symbol(const char* base, int n);
