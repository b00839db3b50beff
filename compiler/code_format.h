// Formatting for the code writers' integer and text directives (%d, %3d, %s, %-7s). These need
// no exponent widening, so the C library's own printf serves; it is several times faster than
// the shared helper on the millions of lines a large network's Jacobian has. Numbers with a
// fractional part go through zymorax::format as everywhere else.
#pragma once

#include <string>

// Formats like snprintf into a new string; no floating-point directives.
std::string code_format(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "base[n]", the symbol of element n of an array.
std::string element_symbol(const char* base, int n);
