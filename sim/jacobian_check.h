// Compares usr_fjac with central finite differences of usr_fvec at one state.
#pragma once

#include <string>
#include <vector>

#include "model_functions.h"

namespace kinesim {

struct JacobianComparison {
    double largestError = 0.0;  // relative: |fjac - difference| / scale of the entry
    int row = 0;                // its entry, 1-based as in the generated code
    int column = 0;
    double generated = 0.0;    // usr_fjac's value there
    double difference = 0.0;   // the finite-difference value there
    int nonFiniteEntries = 0;  // entries where either value is inf or nan
};

// Relative errors are taken against the larger of the two values, but not less than a millionth
// of the row's largest entry, so that rounding noise in entries that are 0 does not count.
JacobianComparison compare_jacobian(ModelFunctions& model, const std::vector<double>& state);

// The report printed by --check-jacobian, naming the entry by its variables' tags.
std::string describe_comparison(const JacobianComparison& result,
                                const std::vector<std::string>& tags);

// Largest relative error that --check-jacobian accepts.
constexpr double kJacobianTolerance = 1e-5;

}  // namespace kinesim
