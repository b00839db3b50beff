// valfuse -I<target file> -R<reference file> [-B]: carries the values of a tuned parameter file
// into a regenerated one by row type and tag.
#include <cstdio>

#include "log.h"
#include "valfuse.h"

int main(int argc, char** argv) {
    if (log_sysinit(argc, argv) != 0) {
        std::printf("Can't open sysLog file!!\n");
        return -1;
    }
    return valfuse::run_valfuse(argc, argv);
}
