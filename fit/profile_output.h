// What kinefit --profile writes: the confidence intervals in the report, every profile point in
// a table beside the tuned file, and the profiles as a plot.
#pragma once

#include <string>
#include <vector>

#include "profile_likelihood.h"

namespace kinefit {

// The report's lines: per parameter its best value and the interval, or where a side stays
// below the threshold within the bounds.
std::string profile_report(const FitSetup& setup, const std::vector<Profile>& profiles,
                           const std::vector<double>& bestValues, double bestNllh);

// parameterId, value, negativeLogLikelihood, one row per point. 0, or -1 after logging.
int write_profile_table(const FitSetup& setup, const std::vector<Profile>& profiles,
                        const std::string& path);

// One panel per parameter: the rise of -log L over the best fit against the value (on a log
// axis for a log-scale search), with the threshold. 0, or -1 after logging.
int draw_profile_plot(const FitSetup& setup, const std::vector<Profile>& profiles, double bestNllh,
                      const std::string& pngFile);

}  // namespace kinefit
