// Profile likelihoods of the estimated parameters around the best fit: each parameter is held at
// values stepped away from its best one, on its search scale, and the others are searched again
// from the optimum of the point before, until the negative log-likelihood has risen by the 95%
// threshold or the bound is reached. Where it crosses the threshold bounds the parameter's
// confidence interval.
#pragma once

#include <string>
#include <vector>

#include "fit_problem.h"

namespace kinefit {

// Half the 95% quantile of chi2 with one degree of freedom: the rise of -log L that bounds a
// pointwise 95% confidence interval.
constexpr double kProfileThreshold = 1.9207294103471;

struct ProfilePoint {
    double value = 0.0;  // the parameter's value (not its search scale)
    double nllh = 0.0;   // the negative log-likelihood with the others searched again
};

struct Profile {
    std::vector<ProfilePoint> points;  // ascending by value, the best fit among them
    // Where the profile crosses the threshold, by linear interpolation; unset where it does not
    // within the bounds (or a search failed first: `failure`).
    bool hasLower = false, hasUpper = false;
    double lower = 0.0, upper = 0.0;
    double lowestNllh = 0.0;  // below the best fit's when the profile found a better point
    std::string failure;
};

// The profile of every estimated parameter from the best fit at `best` (search scale) with
// -log L `bestNllh`, on `threads` threads, each search at most `maxIterations` iterations.
std::vector<Profile> profile_likelihoods(const FitSetup& setup, const std::vector<double>& best,
                                         double bestNllh, int maxIterations, int threads);

}  // namespace kinefit
