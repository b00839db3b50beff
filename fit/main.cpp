// kinefit: fits the model symcode generates to measured time courses. See kUsage in
// fit_options.cpp and docs/calibration.md.
#include <cstdio>
#include <cstdlib>

#include "kinefit.h"
#include "log.h"

int main(int argc, char** argv) {
    kinefit::ProcessGroup group;
    // The processes of an MPI job read the same inputs; the first one speaks for all.
    if (!group.is_root()) setenv("ZYMORAX_SYSLOG", "/dev/null", 1);
    bool logOpen = log_sysinit(argc, argv) == 0;
    if (!logOpen) std::fputs("Cannot open sysLog file!!", stdout);
    kinefit::FitOptions options;
    bool ready = logOpen && kinefit::parse_fit_options(argc, argv, options) == 0;
    // Every process makes the same collective calls, so all of them stop here together.
    if (!group.all(ready)) return kinefit::kExitFailure;
    return kinefit::run_kinefit(options, group);
}
