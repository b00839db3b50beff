// kineport: exports the kinetic model of a DAE file to SBML (and PEtab). See kUsage.
#include <cstdio>

#include "kineport.h"
#include "log.h"

int main(int argc, char** argv) {
    if (log_sysinit(argc, argv) != 0) {
        std::fputs("Cannot open sysLog file!!", stdout);
        return kineport::kExitFailure;
    }
    kineport::PortOptions options;
    if (kineport::parse_port_options(argc, argv, options) != 0) return kineport::kExitFailure;
    return kineport::run_kineport(options);
}
