// Reading a parameter file into export entries.
#pragma once

#include <string>
#include <vector>

#include "export_entry.h"

namespace valscribe {

// Reading stops once a row that is not a T_EVENT row makes the entries more than this many.
inline constexpr size_t kMaxEntries = 1023;

// Reads the entries of the file at `path` in file order, each line whole. True when the whole
// file was read; false when it cannot be opened or read, at a row that is not exportable (not
// kept, see is_exportable) and after the row that made too many entries (kept). The entries
// read until then stay in `entries`.
bool read_export_entries(const std::string& path, std::vector<ExportEntry>& entries);

}  // namespace valscribe
