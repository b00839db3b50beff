// One line of a parameter file as valscribe reads it.
#pragma once

#include "param_row.h"

namespace valscribe {

using zymorax::ParamRow;
using zymorax::RowField;
using zymorax::RowType;

// A line of the input. Y_START, PARAM and T_EVENT rows are exported; every other line is kept
// but not exported.
struct ExportEntry {
    ParamRow row;
    int eventNumber = 0;  // T_EVENT rows: 1, 2, 3 ... in file order
};

// True when the row can be exported as it is, or is not exported at all. A Y_START, PARAM or
// T_EVENT row must have its number of fields (an empty text after the last ';' is no field);
// a Y_START or PARAM row something in its last field; and every field that reaches a script
// must be safe there: a PARAM name an identifier, indices whole numbers, values, times,
// val_start and num_survey numbers or blank, quoted texts and the tag free of control
// characters.
bool is_exportable(const ParamRow& row);

}  // namespace valscribe
