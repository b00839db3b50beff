// Rewriting the target file without ever leaving it half written.
#pragma once

#include <string>
#include <vector>

#include "param_row.h"

namespace valfuse {

// Replaces the content of the file at `path` with the rows' lines in order. The lines go to a
// temporary file beside it, which is renamed over it only when the whole write succeeded, so any
// failure leaves the old file as it was. The file keeps its permission bits (and its owner where
// the process may set it); a symbolic link keeps pointing at the rewritten file. Returns 0, or -1
// after logging.
int write_target(const std::string& path, const std::vector<ParamRow>& rows);

}  // namespace valfuse
