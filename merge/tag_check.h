// The rule that makes a file mergeable: tags identify rows.
#pragma once

#include <vector>

#include "merge_input.h"

namespace valfuse {

// Checks that no two Y_START or PARAM rows (in any combination) share a tag. On a clash logs the
// first pair in file order (the earliest row that has a twin, with its first twin) and returns
// -1; else 0. Rows with an empty tag identify nothing and are left out of the check.
int check_tags(const std::vector<ParamRow>& rows);

// True when the row takes part in tag matching: a Y_START or PARAM row with a non-empty tag.
bool has_key(const ParamRow& row);

}  // namespace valfuse
