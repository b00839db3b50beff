#include "merge_options.h"

#include <cstring>

#include "log.h"

namespace valfuse {
namespace {

// Takes the path after a switch letter; -1 after logging when it is too long.
int take_path(const char* text, std::string& path) {
    if (std::strlen(text) >= kPathLimit) {
        log_sys("Too long path (%zu characters at most):\n\t%s\n", kPathLimit - 1, text);
        log_sys("Invalid argument !!\n");
        return -1;
    }
    path = text;
    return 0;
}

// Applies one switch; -1 after logging when it is unknown or its path is refused.
int apply_switch(const char* argument, MergeOptions& options) {
    switch (argument[1]) {
        case 'I':
            return take_path(argument + 2, options.targetPath);
        case 'R':
            return take_path(argument + 2, options.referencePath);
        case 'B':
            options.blanksOnly = true;
            return 0;
        default:
            log_sys("Invalid argument !!\n");
            return -1;
    }
}

}  // namespace

int parse_merge_options(int argc, char** argv, MergeOptions& options) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] != '-') continue;
        if (apply_switch(argv[i], options) != 0) return -1;
    }
    if (options.targetPath.empty() || options.referencePath.empty()) {
        log_sys("Too few arguments !!\n");
        return -1;
    }
    return 0;
}

}  // namespace valfuse
