// When a time course has come to rest, and the run to that rest: shared by kinesteady's search
// for a steady state and kinefit's preequilibration.
#pragma once

#include <string>
#include <vector>

#include "dae_solver.h"
#include "model_functions.h"

namespace kinesim {

// The times a run to steady state is recorded at: 1e-2 to 1e10, a decade apart.
std::vector<double> steady_times();

// Whether the state y is at rest: each differential rate below 1e-8 of its variable (and
// `floor`) per unit time, or below the tolerances of `settings` where they are wider. The
// variable `skipped` (the model's time, -1 for none) is not looked at; `rates` is scratch of n
// entries.
bool at_rest(ModelFunctions& model, int algebraicCount, const double* y,
             const SolverSettings& settings, int skipped, std::vector<double>& rates,
             double floor = 1e-12);

// Integrates an autonomous model from `initial` and stops at the first of steady_times at
// rest (at_rest with `floor`), whose state `rest` becomes. 0; 1 when no record is at rest by
// t = 1e10; -1 after the solver failed (logged as integrate_dae logs it). Short of rest, `rest`
// is the last state recorded, and `reached` (when given) its time.
int integrate_to_rest(ModelFunctions& model, int algebraicCount,
                      const std::vector<std::string>& tags, const std::vector<double>& initial,
                      const SolverSettings& settings, std::vector<double>& rest,
                      double* reached = nullptr, double floor = 1e-12);

}  // namespace kinesim
