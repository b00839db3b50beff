// The plots of a fit, drawn by gnuplot: the data of every experiment against the fitted
// curves, and the waterfall of the starts' final chi2 (sorted, best first), which shows how
// many starts found the best fit and which other minima the search met.
#pragma once

#include <string>
#include <vector>

#include "fit_problem.h"
#include "least_squares.h"

namespace kinefit {

// One panel per experiment: each measured variable's values (with error bars where sd is
// given) as points and its fitted course as a line of the same colour. 0, or -1 after logging.
int draw_fit_plot(FitProblem& problem, const std::vector<double>& logValues,
                  const std::string& pngFile);

// The usable starts' chi2 on a log scale, sorted. 0, or -1 after logging.
int draw_starts_plot(const std::vector<StartResult>& results, const std::string& pngFile);

}  // namespace kinefit
