// The MATLAB script of merged parameters and time events.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "export_entry.h"

namespace valscribe {

inline constexpr const char* kParamScriptName = "ZYMORAX_Merge_param";

// Writes the function that returns the PARAM entries and the T_EVENT entries, interleaved in
// file order; without any event it sets event to -1.
void write_param_script(std::ostream& out, const std::vector<ExportEntry>& entries);

// Writes the script into the file at `path` (truncated); false when it cannot be opened or
// written.
bool write_param_file(const std::string& path, const std::vector<ExportEntry>& entries);

}  // namespace valscribe
