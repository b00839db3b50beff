// What kinefit prints: every start's outcome, the best fit with its objective, the fitted values
// with their standard errors, and the correlations between them. The text depends only on the
// results, so a run on threads and one spread over MPI processes print the same.
#pragma once

#include <string>
#include <vector>

#include "fit_problem.h"
#include "least_squares.h"
#include "uncertainty.h"

namespace kinefit {

struct FitSummary {
    unsigned long seed = 0;
    std::vector<StartResult> results;  // every start, in start order
    int best = -1;                     // index into results
    std::vector<double> values;        // the best start's parameter values
    double measurementChi2 = 0.0;      // of a PEtab problem: the best's measurement residuals
    Uncertainty uncertainty;
};

// Whether a start's chi2 reaches the best one: within 1e-6 of it, relative, or within 1e-9 of
// the data's own scale (the chi2 of a model that predicts 0), for fits that reach chi2 near 0.
bool reaches_best(double chi2, double best, double dataScale);

// The Gaussian negative log-likelihood of a chi2: chi2 / 2 + sum of log sd + n/2 log(2 pi),
// with sd 1 for values given without one; of a PEtab problem, chi2 / 2 + its offset.
double negative_log_likelihood(const FitSetup& setup, double chi2);

std::string fit_report(const FitSetup& setup, const FitSummary& summary);

}  // namespace kinefit
