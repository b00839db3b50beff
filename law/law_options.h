// Command line of kinelaw.
#pragma once

#include <string>

namespace kinelaw {

extern const char* const kUsage;

struct LawOptions {
    std::string modelFile;  // -N SBML model
    std::string daeFile;    // -D DAE file to write
    std::string usageFile;  // -U optional: how the model's ids map onto the DAE file
    std::string eventFile;  // -E optional: the model's events, for kinesim -E
    std::string initialFile;  // -I optional: the initial values computed from other values
};

// Parses argv; 0, or -1 after logging the fault and the usage.
int parse_law_options(int argc, const char* const* argv, LawOptions& options);

}  // namespace kinelaw
