// Reading the reference and target files into rows, with valfuse's checks and messages.
#pragma once

#include <string>
#include <vector>

#include "param_row.h"

namespace valfuse {

using zymorax::ParamRow;

// True for the two row types that take part in a merge: Y_START and PARAM.
bool is_value_row(const ParamRow& row);

// Reads every row of the file at `path` in file order, each line whole. Returns 0, or -1 after
// logging when the file cannot be opened or read, a Y_START or PARAM row has too few or too many
// ';' separators or holds a NUL byte. A file may hold any number of lines: the parameter files of
// large networks are the ones most worth carrying values into.
int read_param_file(const std::string& path, std::vector<ParamRow>& rows);

}  // namespace valfuse
