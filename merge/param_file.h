// Reading a parameter file into rows.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "param_row.h"

namespace valfuse {

// A file may hold at most this many rows (lines).
inline constexpr size_t kMaxRows = 1023;

// Lines are read through a 64 KiB buffer: a longer line is read as several rows of at most
// this many characters, which together still write back the line unchanged.
inline constexpr size_t kMaxRowChars = 65535;

// Reads the next row text (a line with its line end, or the next part of a longer line) into
// `text`; false at the end of the file or on a read error (nothing read).
bool read_row_text(FILE* in, std::string& text);

// Reads every row of the file at `path` in file order. Returns 0, or -1 after logging when the
// file cannot be opened or read, a row is malformed or the file has more than kMaxRows lines.
int read_param_file(const std::string& path, std::vector<ParamRow>& rows);

}  // namespace valfuse
