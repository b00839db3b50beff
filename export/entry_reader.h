// Reading a parameter file into export entries.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "export_entry.h"

namespace valscribe {

// Reading stops once a row that is not a T_EVENT row makes the entries more than this many.
inline constexpr size_t kMaxEntries = 1023;

// Lines are read through a 64 KiB buffer: a longer line is read as several lines of at most
// this many characters.
inline constexpr size_t kMaxLineChars = 65535;

// Reads the next line (with its line end) or the next part of a longer line; false at the end
// of the file or on a read error (nothing read).
bool read_line_part(FILE* in, std::string& text);

// Reads the entries of the file at `path` in file order. True when the whole file was read;
// false when it cannot be opened or read, at a malformed row (not kept) and after the row that
// made too many entries (kept). The entries read until then stay in `entries`.
bool read_export_entries(const std::string& path, std::vector<ExportEntry>& entries);

}  // namespace valscribe
