// Compares usr_fjac with central finite differences of usr_fvec at one state.
#pragma once

#include <string>
#include <vector>

#include "model_functions.h"

namespace kinesim {

// Largest relative error that --check-jacobian accepts beyond what the differences can resolve.
constexpr double kJacobianTolerance = 1e-5;

struct JacobianComparison {
    // The entry that comes nearest to failing, or fails by most: its error measured against what
    // is allowed there (above 1: usr_fjac disagrees).
    double score = 0.0;
    double largestError =
        0.0;      // its relative error |fjac - difference| / max(|fjac|, |difference|)
    int row = 0;  // 1-based as in the generated code; 0 when every entry is 0
    int column = 0;
    double generated = 0.0;    // usr_fjac's value there
    double difference = 0.0;   // the finite-difference value there
    double allowance = 0.0;    // how far the finite differences may be off there
    int nonFiniteEntries = 0;  // entries where either value is inf or nan

    bool agrees() const { return score <= 1.0; }
};

// The step of each variable scales with its value, and for a variable at 0 with the state's
// largest value. An entry fails when |fjac - difference| exceeds kJacobianTolerance times the
// larger of the two plus its allowance: the rounding error of the equation's terms divided by
// the step, and the change between steps h and 2h (truncation).
JacobianComparison compare_jacobian(ModelFunctions& model, const std::vector<double>& state);

// The report printed by --check-jacobian, naming the entry by its variables' tags.
std::string describe_comparison(const JacobianComparison& result,
                                const std::vector<std::string>& tags);

}  // namespace kinesim
