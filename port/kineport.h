// One run of kineport: read the DAE file and its parameter file, build and check every output,
// then write them. Nothing is written unless every output was built and found consistent.
#pragma once

#include "port_options.h"

namespace kineport {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 255;

// Runs what the options ask for; returns the exit status. Failures are logged.
int run_kineport(const PortOptions& options);

}  // namespace kineport
