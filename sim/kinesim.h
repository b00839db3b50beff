// One run of kinesim: read and check the inputs, compile the model, then either compare its
// Jacobian with finite differences or integrate it and write the time course.
#pragma once

#include "model_inputs.h"
#include "param_reader.h"
#include "sim_options.h"

namespace kinesim {

// Exit statuses of the program.
constexpr int kExitOk = 0;
constexpr int kExitJacobianMismatch = 1;  // --check-jacobian: usr_fjac disagrees
constexpr int kExitFailure = 255;

// Reads the parameter file and the C file (and the -J file) of the options and checks that they
// fit together and leave nothing blank. 0, or -1 after logging.
int prepare_inputs(const SimOptions& options, ParameterFile& file, ModelInputs& inputs);

// Runs what the options ask for; returns the exit status. Failures are logged.
int run_kinesim(const SimOptions& options);

}  // namespace kinesim
