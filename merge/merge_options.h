// The valfuse command line: valfuse -I<target file> -R<reference file> [-B]
#pragma once

#include <string>

namespace valfuse {

// Paths of this many characters or more are refused rather than cut.
inline constexpr size_t kPathLimit = 260;

struct MergeOptions {
    std::string targetPath;     // -I: the file that is rewritten
    std::string referencePath;  // -R: the file whose values are carried over
    bool blanksOnly = false;    // -B: fill only rows whose value field is blank
};

// Reads the switches; each is one argument and a path follows its letter directly. Arguments
// not beginning with '-' are ignored; the last -I and -R win. Returns 0, or -1 after logging an
// unknown switch, a path that is too long, or a missing or empty -I or -R path.
int parse_merge_options(int argc, char** argv, MergeOptions& options);

}  // namespace valfuse
