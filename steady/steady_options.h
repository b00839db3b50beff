// The command line of kinesteady.
#pragma once

#include <string>

#include "code_build.h"

namespace kinesteady {

struct SteadyOptions {
    std::string codeFile;         // -C: symcode's C file (usr_fvec, usr_fjac)
    std::string paramFile;        // -P: the filled parameter file
    std::string derivativesFile;  // -Q: symcode's d f / d p file
    std::string ghFile;           // -G: symcode's G/H data file (power-law models)
    std::string ssystemFile;      // -S: symcode's S-system file (with -G)
    std::string fluxFile;         // -T: symcode's flux file (usr_flux), for flux gains
    std::string reportFile;       // -R: the report
    std::string csvFile;          // -O: every number of the report
    std::string gainsPlot;        // -H: heat map of the log gains (optional)
    std::string eigenPlot;        // -E: eigenvalues in the complex plane (optional)
    std::string initialFile;      // --initial: kinelaw's initial-values file
    std::string kineDir;          // -K
    kinesim::CodeCompiler compiler = kinesim::CodeCompiler::TinyCC;  // -B
};

extern const char* const kUsage;

// 0, or -1 after logging what is wrong (with the usage).
int parse_steady_options(int argc, const char* const* argv, SteadyOptions& options);

}  // namespace kinesteady
