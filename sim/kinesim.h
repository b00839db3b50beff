// One run of kinesim: read and check the inputs, compile the model, then either compare its
// Jacobian with finite differences or integrate it and write the time course.
#pragma once

#include "sim_options.h"

namespace kinesim {

// Exit statuses of the program.
constexpr int kExitOk = 0;
constexpr int kExitJacobianMismatch = 1;  // --check-jacobian: usr_fjac disagrees
constexpr int kExitFailure = 255;

// Runs what the options ask for; returns the exit status. Failures are logged.
int run_kinesim(const SimOptions& options);

}  // namespace kinesim
