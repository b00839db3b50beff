// Runs the built rxnconv as a user would: in a working folder, with the installation root of the
// build tree and its system log sent to a file of the folder.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace zymorax::testkit {

struct RxnconvRun {
    int status = -1;
    std::string out;  // standard output
    std::string err;  // standard error
    std::string log;  // the system log
};

class RxnconvRunner {
public:
    RxnconvRunner();

    // Runs rxnconv with the arguments; `env` adds to or replaces TELUV_HOME, XERCES_HOME and the
    // log variables.
    RxnconvRun run(const std::vector<std::string>& args, const std::map<std::string, std::string>& env = {});

    const TempDir& dir() const { return dir_; }
    std::string file(const std::string& name) const { return dir_.file(name); }

private:
    TempDir dir_;
};

}  // namespace zymorax::testkit
