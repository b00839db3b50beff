// The MATLAB script of merged initial values.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "export_entry.h"

namespace valscribe {

inline constexpr const char* kInitScriptName = "ZYMORAX_Merge_init";

// Writes the function that returns the Y_START entries' values and tags, in file order.
void write_init_script(std::ostream& out, const std::vector<ExportEntry>& entries);

// Writes the script into the file at `path` (truncated); false when it cannot be opened or
// written.
bool write_init_file(const std::string& path, const std::vector<ExportEntry>& entries);

}  // namespace valscribe
