// The command line of kinefit. The switches it shares with kinesim mean what they mean there.
#pragma once

#include <string>
#include <vector>

#include "code_build.h"
#include "linear_solver.h"

namespace kinefit {

struct FitOptions {
    std::string codeFile;                // -C: symcode's C file with usr_fvec and usr_fjac
    std::string paramFile;               // -P: the parameter file, estimated rows marked R or S
    std::vector<std::string> dataFiles;  // -D: one data file per experiment, in order
    std::string petabFile;               // -E: a PEtab problem's YAML file, instead of -D
    std::string tunedFile;               // -O: the parameter file to write, fitted values in place
    std::string plotFile;                // -G: data and fitted curves (PNG, optional)
    std::string startsPlotFile;          // -W: the starts' final chi2, sorted (PNG, optional)
    std::string jacobianFile;            // -J: symcode's sparse Jacobian (optional)
    std::string profilePlotFile;         // --profile: profile likelihoods, plotted here
    std::string derivativesFile;         // -Q: symcode's d f / d p, which the sensitivities need
    std::string kineDir;                 // -K: folder of kine.h (optional)
    std::string eventFile;               // --events: kinelaw's events file (optional)
    std::string initialFile;             // --initial: kinelaw's initial-values file (optional)
    kinesim::LinearSolverKind linearSolver = kinesim::LinearSolverKind::Auto;  // -L
    kinesim::CodeCompiler compiler = kinesim::CodeCompiler::TinyCC;            // -B
    int starts = 10;                                                           // -N
    int threads = 0;                   // -j; 0: one per core (one per process under MPI)
    int maxIterations = 200;           // -I: iterations of each start at most
    unsigned long seed = 1;            // --seed
    bool nominalOnly = false;          // --nominal: the objective at -E's nominal values, no fit
    double relativeTolerance = 1e-8;   // -R
    double absoluteTolerance = 1e-10;  // -A
};

// The usage text, logged with every command-line error.
extern const char* const kUsage;

// Reads the arguments (argv[0] is the program). 0, or -1 after logging what is wrong.
int parse_fit_options(int argc, const char* const* argv, FitOptions& options);

}  // namespace kinefit
