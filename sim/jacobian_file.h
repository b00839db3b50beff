// symcode's -J file belongs to the model of the C file: it may read only the parameters, and
// elements of them, that the C file reads (those were checked against the parameter file),
// bound to the same slots, and only variables the model has.
#pragma once

#include <string>

#include "code_scan.h"

namespace kinesim {

// Scans `text`, the content of `path`. 0, or -1 after logging the first read that does not fit.
int check_jacobian_file(const std::string& path, const std::string& text, const CodeFacts& code,
                        int variableCount);

}  // namespace kinesim
