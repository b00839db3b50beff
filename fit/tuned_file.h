// The tuned parameter file: the parameter file as read, with the fitted values in the value
// fields of the estimated rows at full precision (%.17g) and every other byte as it was, so
// that kinesim runs it and valfuse takes it as a reference.
#pragma once

#include <string>
#include <vector>

#include "estimated_parameters.h"
#include "param_reader.h"

namespace kinefit {

// A file beside the tuned file: its name without the extension, then `suffix`
// ("fit.txt", ".profiles.tsv" -> "fit.profiles.tsv").
std::string path_beside(const std::string& tunedFile, const char* suffix);

// The value field of a fitted value: %.17g, right-aligned in the generated width of 12.
std::string fitted_value_text(double value);

// Writes `file`'s rows with `values` (by the order of `estimated`) to `path`, which is replaced
// only after a complete write (a failure leaves it as it was). 0, or -1 after logging.
int write_tuned_file(const kinesim::ParameterFile& file,
                     const std::vector<EstimatedParameter>& estimated,
                     const std::vector<double>& values, const std::string& path);

}  // namespace kinefit
