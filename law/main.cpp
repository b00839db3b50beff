// kinelaw: writes the DAE file of an SBML model from its own kinetic laws and rules. See kUsage.
#include <cstdio>

#include "kinelaw.h"
#include "log.h"

int main(int argc, char** argv) {
    if (log_sysinit(argc, argv) != 0) {
        std::fputs("Cannot open sysLog file!!", stdout);
        return kinelaw::kExitFailure;
    }
    kinelaw::LawOptions options;
    if (kinelaw::parse_law_options(argc, argv, options) != 0) return kinelaw::kExitFailure;
    return kinelaw::run_kinelaw(options);
}
