// The valfuse run: read the reference and the target, check their tags, merge, rewrite.
#pragma once

namespace valfuse {

// Runs valfuse on its command line after the system log was opened. Returns 0 when the target
// was rewritten, -1 after logging otherwise; the target is then untouched.
int run_valfuse(int argc, char** argv);

}  // namespace valfuse
