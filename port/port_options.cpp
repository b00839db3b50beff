#include "port_options.h"

#include "log.h"

namespace kineport {

const char* const kUsage =
    "Usage: kineport -D<model.dae> -P<param.txt> -O<model.xml>\n"
    "                [-E<problem.yaml> -M<data file> ...] [--events <events.txt>]\n"
    "  -D  DAE file written by rxnconv\n"
    "  -P  its parameter file (symcode -P) with every value the model needs filled in\n"
    "  -O  SBML Level 3 Version 2 model to write\n"
    "  -E  also write a PEtab problem: this YAML file and its tables beside it\n"
    "  -M  a measurement file of the PEtab problem (kinefit's data format); repeatable\n"
    "  --events  the events file kinelaw -E wrote beside the DAE file: its events are exported\n";

namespace {

int fail(const std::string& what) {
    log_sys("%s\n%s", what.c_str(), kUsage);
    return -1;
}

int set_once(std::string& field, char option, const std::string& value) {
    if (!field.empty()) return fail(std::string("-") + option + " is given twice.");
    field = value;
    return 0;
}

int parse_one(const std::string& argument, PortOptions& options) {
    if (argument.rfind("--events=", 0) == 0) {
        if (!options.eventFile.empty()) return fail("--events is given twice.");
        options.eventFile = argument.substr(9);
        return options.eventFile.empty() ? fail("--events needs a file: --events <events.txt>.")
                                         : 0;
    }
    if (argument.size() < 3 || argument[0] != '-') {
        return fail("Unknown argument '" + argument + "'.");
    }
    const char option = argument[1];
    const std::string value = argument.substr(2);
    switch (option) {
        case 'D':
            return set_once(options.daeFile, option, value);
        case 'P':
            return set_once(options.paramFile, option, value);
        case 'O':
            return set_once(options.sbmlFile, option, value);
        case 'E':
            return set_once(options.petabFile, option, value);
        case 'M':
            options.dataFiles.push_back(value);
            return 0;
        default:
            return fail("Unknown argument '" + argument + "'.");
    }
}

}  // namespace

int parse_port_options(int argc, const char* const* argv, PortOptions& options) {
    options = PortOptions();
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (argument == "--events") {
            if (i + 1 >= argc) return fail("--events needs a file: --events <events.txt>.");
            argument += "=" + std::string(argv[++i]);
        }
        if (parse_one(argument, options) != 0) return -1;
    }
    if (options.daeFile.empty() || options.paramFile.empty() || options.sbmlFile.empty()) {
        return fail("-D, -P and -O are needed.");
    }
    if (!options.dataFiles.empty() && options.petabFile.empty()) {
        return fail("-M needs -E (the data go into a PEtab problem).");
    }
    if (!options.petabFile.empty() && options.dataFiles.empty()) {
        return fail("-E needs at least one data file (-M).");
    }
    return 0;
}

}  // namespace kineport
