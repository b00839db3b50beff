// Writing one MATLAB script file.
#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace valscribe {

// Opens the file at `path` for writing (truncated), lets `write` fill it and closes it. False
// when the file cannot be opened or a write fails.
bool write_script_file(const std::string& path, const std::function<void(std::ostream&)>& write);

}  // namespace valscribe
