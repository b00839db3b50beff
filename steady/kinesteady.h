// One run of kinesteady: read and check the inputs, compile the model, find its steady state,
// then its conservation laws' totals, log gains, sensitivities and stability there (and its
// S-system in closed form with -G and -S), and write the report, the CSV and the plots.
#pragma once

#include "steady_options.h"

namespace kinesteady {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 255;

// The exit status; failures are logged, and then no report or CSV is written.
int run_kinesteady(const SteadyOptions& options);

}  // namespace kinesteady
