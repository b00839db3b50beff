// The valscribe run: read a parameter file, write the two merged MATLAB scripts.
#pragma once

namespace valscribe {

inline constexpr const char* kInitFileName = "ZYMORAX_Merge_init.m";
inline constexpr const char* kParamFileName = "ZYMORAX_Merge_param.m";

// Runs valscribe on its command line in the current folder. Both scripts are written from
// whatever was read, even when reading failed or the other script could not be written.
// Returns 0 when the input was read completely and both scripts were written, else -1.
int run_valscribe(int argc, char** argv);

}  // namespace valscribe
