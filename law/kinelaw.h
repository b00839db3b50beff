// One run of kinelaw: read the SBML model, build the DAE file from its own mathematics, check
// it, then write it (and the usage file). Nothing is written unless the whole model could be.
#pragma once

#include "law_options.h"

namespace kinelaw {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 255;

// Runs what the options ask for; returns the exit status. Failures are logged.
int run_kinelaw(const LawOptions& options);

}  // namespace kinelaw
