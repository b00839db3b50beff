// The command line of kineport.
#pragma once

#include <string>
#include <vector>

namespace kineport {

struct PortOptions {
    std::string daeFile;                 // -D: the DAE file (rxnconv -D)
    std::string paramFile;               // -P: its parameter file with the values filled in
    std::string sbmlFile;                // -O: the SBML model to write
    std::string petabFile;               // -E: the PEtab problem's YAML file (optional)
    std::vector<std::string> dataFiles;  // -M: measurement files for the PEtab problem
    std::string eventFile;               // --events: kinelaw's events file (optional)
};

// The usage text, logged with every command-line error.
extern const char* const kUsage;

// Reads the arguments (argv[0] is the program). 0, or -1 after logging what is wrong.
int parse_port_options(int argc, const char* const* argv, PortOptions& options);

}  // namespace kineport
