// symcode: compiles a DAE file into simulator code and a parameter file.
#include "compiler_run.h"

int main(int argc, char** argv) { return run_symcode(argc, argv) == 0 ? 0 : -1; }
