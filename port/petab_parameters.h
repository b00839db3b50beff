// The parameter table of a PEtab problem, from the PARAM rows of the parameter file: the D/R/S
// flag says whether a parameter is estimated (R or S) or fixed at its value (D, or blank),
// GA_min and GA_max are the bounds of an estimated one, and its scale is log10 when both bounds
// are above 0, else lin.
#pragma once

#include <set>
#include <string>

#include "model_ids.h"
#include "model_values.h"
#include "param_reader.h"

namespace kineport {

// Whether the PARAM row of `value` is estimated. 0, or -1 after logging a flag that is none of
// D, R, S.
int is_estimated(const kinesim::ParameterFile& file, const ElementValue& value, bool& estimated);

// The table, a row per exported element but those in `setByConditions` (the condition table
// gives them their values). 0, or -1 after logging the row at fault.
int parameter_table(const kinesim::ParameterFile& file, const ModelValues& values,
                    const ModelIds& ids, const std::set<std::string>& setByConditions,
                    std::string& table);

// A number in the fewest digits (%.15g to %.17g) that read back as the same double.
std::string exact_number(double value);

// A value as the tables write it: exact_number(); a blank value as 0 (only an element that no
// expression reads may be blank, so its value changes nothing).
std::string table_number(const kinesim::RowValue& value);

// A text for a cell of a table: MS932 made UTF-8, tabs made blanks.
std::string table_text(const std::string& ms932);

}  // namespace kineport
