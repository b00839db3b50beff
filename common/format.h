// printf-style text formatting shared by every program of the tool chain.
//
// Floating conversions (%e, %E, %g, %G) write their exponent with at least three digits
// ("%g" of 0.00001 is 1e-005, "%12.4e" of 0.5 is " 5.0000e-001"), the form every file of the
// tool chain is written in and that every reader accepts. Field widths apply to the finished text.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace zymorax {

// Formats like snprintf into a new string.
std::string format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string vformat(const char* fmt, va_list args);

// Formats like fprintf; false when the stream reported a write error.
bool print(FILE* out, const char* fmt, ...) __attribute__((format(printf, 2, 3)));

// The shortest "%g" text (1 to 17 significant digits) that reads back as exactly `value`.
std::string shortest_number_text(double value);

// Pads the exponent of one formatted floating-point text to three digits ("1e+06" -> "1e+006").
std::string widen_exponent(const std::string& number);

}  // namespace zymorax
