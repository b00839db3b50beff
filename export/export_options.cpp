#include "export_options.h"

namespace valscribe {

std::string input_path_from_args(int argc, char** argv) {
    std::string path;
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-' && argv[i][1] == 'I') path = argv[i] + 2;
    }
    return path;
}

}  // namespace valscribe
