// One run of kinesim: read and check the inputs, compile the model, then either compare its
// Jacobian with finite differences or integrate it and write the time course.
#pragma once

#include <functional>
#include <string>

#include "code_scan.h"
#include "model_inputs.h"
#include "param_reader.h"
#include "sim_options.h"

namespace kinesim {

// Exit statuses of the program.
constexpr int kExitOk = 0;
constexpr int kExitJacobianMismatch = 1;  // --check-jacobian: usr_fjac disagrees
constexpr int kExitFailure = 255;

// A program's own look at the inputs between reading and binding them: it may check them
// further and fill values of `file` that it supplies itself. 0, or -1 after logging.
using InputsCheck = std::function<int(ParameterFile& file, const CodeFacts& code)>;

// Reads the parameter file and the C file (and the -J file) of the options and checks that they
// fit together and, after `check` when given, leave nothing blank. 0; -1 after logging that the
// parameter file could not be read; -2 after logging what is wrong with the other inputs (the
// caller says what it did not do).
int prepare_inputs(const SimOptions& options, ParameterFile& file, ModelInputs& inputs,
                   const InputsCheck& check = nullptr);

// The initial values of options.initialFile (kinelaw -I) computed into inputs.initial. 0, or -1
// after logging.
int apply_initial_formulas(const SimOptions& options, const ParameterFile& file,
                           ModelInputs& inputs);

// The whole file at `path` into `text`. 0, or -1 after logging that the `what` cannot be opened.
int read_text(const std::string& path, const char* what, std::string& text);

// Runs what the options ask for; returns the exit status. Failures are logged.
int run_kinesim(const SimOptions& options);

}  // namespace kinesim
