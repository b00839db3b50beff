// The valscribe command line: valscribe -I<parameter file>
#pragma once

#include <string>

namespace valscribe {

// The path of the last -I switch (the path follows the letter directly); other arguments are
// ignored. Empty when there is none or the last one has no path.
std::string input_path_from_args(int argc, char** argv);

}  // namespace valscribe
