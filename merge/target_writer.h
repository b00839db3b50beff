// Rewriting the target file without ever leaving it half written.
#pragma once

#include <string>
#include <vector>

#include "param_row.h"

namespace valfuse {

// Replaces the content of the file at `path` with the rows' lines in order, through a temporary
// file renamed over it only after a complete write (see file_replace.h): a failure leaves the
// old file as it was. Returns 0, or -1 after logging.
int write_target(const std::string& path, const std::vector<zymorax::ParamRow>& rows);

}  // namespace valfuse
