// kinesim: simulates the C code that symcode generates. See kUsage in sim_options.cpp.
#include <cstdio>

#include "kinesim.h"
#include "log.h"

int main(int argc, char** argv) {
    if (log_sysinit(argc, argv) != 0) {
        std::fputs("Cannot open sysLog file!!", stdout);
        return kinesim::kExitFailure;
    }
    kinesim::SimOptions options;
    if (kinesim::parse_sim_options(argc, argv, options) != 0) return kinesim::kExitFailure;
    return kinesim::run_kinesim(options);
}
