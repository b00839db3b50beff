// One run of symcode: the steps from the command line to the last generated file.
#pragma once

// Runs every step in order and stops at the first failure. 0, or -1 after logging
// "### ERROR!!".
int run_symcode(int argc, char** argv);
