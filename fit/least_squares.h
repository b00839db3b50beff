// One start of the multistart search: bounded nonlinear least squares in the logs of the
// estimated parameters, by Ceres Solver's trust region (Levenberg-Marquardt) with the exact
// Jacobian of the sensitivities.
#pragma once

#include <string>
#include <vector>

#include "fit_problem.h"

namespace kinefit {

// AtBound: converged with a parameter on one of its bounds, where the optimum may lie beyond.
enum class StartOutcome { Converged, IterationLimit, Failed, AtBound };

struct StartResult {
    int start = 0;  // from 0
    StartOutcome outcome = StartOutcome::Failed;
    double chi2 = 0.0;  // sum of squared weighted residuals at the end
    int iterations = 0;
    std::vector<double> logValues;  // where the search ended
    std::string message;            // why it failed
    int replaced = 0;               // failed searches from earlier points, replaced by this one
    std::string replacedBecause;    // why the first of them failed

    bool usable() const { return outcome != StartOutcome::Failed; }
};

// "converged", "iteration limit", "failed" or "on a bound".
const char* outcome_name(StartOutcome outcome);

// Searches from `logStart` within the estimated parameters' bounds for at most `maxIterations`
// iterations. The search stops when a step changes chi2 by less than 1e-12 of itself, the
// parameters by less than 1e-10 of their size, or the gradient falls below 1e-14.
StartResult search_from(FitProblem& problem, const std::vector<double>& logStart, int start,
                        int maxIterations);

// One search from x (changed in place) with the values `held` (indices) kept as they are, the
// others within their bounds, for at most `maxIterations` iterations: the profile likelihoods'
// step. False, with `failure` saying why, when no usable point was reached; else chi2 at x.
bool search_holding(FitProblem& problem, std::vector<double>& x, const std::vector<int>& held,
                    int maxIterations, double& chi2, std::string& failure);

}  // namespace kinefit
