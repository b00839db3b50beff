// Carrying values from a reference file into a target file by row type and tag.
#pragma once

#include <string>
#include <vector>

#include "merge_input.h"

namespace valfuse {

// For every Y_START and PARAM row of `target`, takes the value of the reference row with the
// same type and tag and rebuilds the target row's line around it. With `blanksOnly`, rows whose
// value field holds anything but blanks are kept. Rows without a partner are kept byte for byte;
// a partner whose value is not a number leaves the row as it is and logs one line naming it.
// Returns the number of rows that took a value.
size_t merge_rows(std::vector<ParamRow>& target, const std::vector<ParamRow>& reference,
                  bool blanksOnly);

// Puts `value` into the row's value field ("%12.4e" for Y_START, "%12.4g" for PARAM, or, when
// that text would read back as another number, the shortest "%12s" of a "%g" text that reads
// back exactly); every other byte of the line stays as read.
void rebuild_row(ParamRow& row, double value);

}  // namespace valfuse
