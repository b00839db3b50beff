#include "law_options.h"

#include "log.h"

namespace kinelaw {

const char* const kUsage =
    "Usage: kinelaw -N<model.xml> -D<model.dae> [-U<usage.txt>] [-E<events.txt>]\n"
    "               [-I<initial.txt>]\n"
    "  -N  SBML model (Level 1 to 3) whose own kinetic laws and rules are kept\n"
    "  -D  DAE file to write (compile it with symcode -X)\n"
    "  -U  also write how the model's ids map onto the DAE file\n"
    "  -E  also write the model's events (kinesim -E applies them)\n"
    "  -I  also write the initial values the model computes from its parameters\n"
    "      (kinefit and kinesim --initial recompute them)\n";

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

int parse_one(const std::string& argument, LawOptions& options) {
    if (argument.size() < 3 || argument[0] != '-') return fail("Unknown argument '" + argument + "'.");
    const std::string value = argument.substr(2);
    switch (argument[1]) {
        case 'N':
            return set_once(options.modelFile, 'N', value);
        case 'D':
            return set_once(options.daeFile, 'D', value);
        case 'U':
            return set_once(options.usageFile, 'U', value);
        case 'E':
            return set_once(options.eventFile, 'E', value);
        case 'I':
            return set_once(options.initialFile, 'I', value);
        default:
            return fail("Unknown argument '" + argument + "'.");
    }
}

}  // namespace

int parse_law_options(int argc, const char* const* argv, LawOptions& options) {
    options = LawOptions();
    for (int i = 1; i < argc; ++i) {
        if (parse_one(argv[i], options) != 0) return -1;
    }
    if (options.modelFile.empty() || options.daeFile.empty()) return fail("-N and -D are needed.");
    return 0;
}

}  // namespace kinelaw
