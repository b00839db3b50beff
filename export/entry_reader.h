// Reading a parameter file into export entries.
#pragma once

#include <string>
#include <vector>

#include "export_entry.h"

namespace valscribe {

// Reads the entries of the file at `path` in file order, each line whole. True when the whole
// file was read; false when it cannot be opened or read, at a row that is not exportable (not
// kept, see is_exportable). A file may hold any number of rows. The entries read until then stay
// in `entries`.
bool read_export_entries(const std::string& path, std::vector<ExportEntry>& entries);

}  // namespace valscribe
