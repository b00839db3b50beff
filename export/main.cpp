// valscribe -I<parameter file>: writes ZYMORAX_Merge_init.m and ZYMORAX_Merge_param.m into the
// current folder. It prints nothing; the exit status is its only report.
#include "valscribe.h"

int main(int argc, char** argv) {
    return valscribe::run_valscribe(argc, argv);
}
