// The pictures of an analysis, drawn by gnuplot: the log gains as a heat map (variables by
// independents, sensitivities to the rate constants beside them) and the eigenvalues in the
// complex plane.
#pragma once

#include <string>

#include "steady_analysis.h"

namespace kinesteady {

// Each 0, or -1 after logging (gnuplot missing or failing).
int draw_gains(const SteadyAnalysis& analysis, const std::string& pngFile);
int draw_eigenvalues(const SteadyAnalysis& analysis, const std::string& pngFile);

}  // namespace kinesteady
