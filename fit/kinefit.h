// One run of kinefit: read and check the inputs, run the starts (over threads and MPI
// processes), then, on the first process, write the tuned parameter file, the report and the
// plots.
#pragma once

#include "fit_options.h"
#include "fit_problem.h"
#include "process_group.h"

namespace kinefit {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 255;

// Reads the model, the parameter file and the data files of the options, checks that they fit
// together and compiles the model into `compiled`, which `setup` then points into. 0, or -1
// after logging.
int prepare_fit(const FitOptions& options, kinesim::ParameterFile& file,
                kinesim::CompiledModel& compiled, FitSetup& setup);

// Runs what the options ask for; returns the exit status (the same on every process).
int run_kinefit(const FitOptions& options, const ProcessGroup& group);

}  // namespace kinefit
