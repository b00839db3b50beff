// The plots of a fit, drawn by gnuplot: the data of every experiment against the fitted
// curves, and the waterfall of the starts' final chi2 (sorted, best first), which shows how
// many starts found the best fit and which other minima the search met.
#pragma once

#include <string>
#include <vector>

#include "fit_problem.h"
#include "least_squares.h"

namespace kinefit {

// The data files of one experiment's panels: the fitted courses, and the measured points.
struct PlotFiles {
    std::string curves, points;
};

// One panel, with its own axis, per measured variable of each experiment, an experiment's
// panels in rows of their own: the values (with error bars where sd is given) as points and the
// fitted course as a line, in the variable's colour, the same in every panel.
std::string fit_plot_script(const std::vector<ExperimentPlan>& plans,
                            const std::vector<std::string>& tags,
                            const std::vector<PlotFiles>& files, const std::string& pngFile);

// Simulates the fitted curves and draws fit_plot_script's panels. 0, or -1 after logging.
int draw_fit_plot(FitProblem& problem, const std::vector<double>& logValues,
                  const std::string& pngFile);

// The usable starts' chi2 on a log scale, sorted. 0, or -1 after logging.
int draw_starts_plot(const std::vector<StartResult>& results, const std::string& pngFile);

}  // namespace kinefit
