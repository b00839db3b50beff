// kinesteady: steady states, log gains and stability of the C code symcode generates. See
// kUsage in steady_options.cpp.
#include <cstdio>

#include "kinesteady.h"
#include "log.h"

int main(int argc, char** argv) {
    if (log_sysinit(argc, argv) != 0) {
        std::fputs("Cannot open sysLog file!!", stdout);
        return kinesteady::kExitFailure;
    }
    kinesteady::SteadyOptions options;
    if (kinesteady::parse_steady_options(argc, argv, options) != 0) return kinesteady::kExitFailure;
    return kinesteady::run_kinesteady(options);
}
