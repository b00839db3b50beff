// Fuzzes symcode with one DAE file per input: the bytes are the file, run in a scratch folder
// that every input reuses, in C mode with -J, with -m, or in MATLAB mode with -J (by the input's
// size, so that mutations reach all three). A run must end with status 0 or -1; a crash, a
// sanitizer report, a leak or a run beyond the timeout is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "compiler_run.h"
#include "expr_store.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char folder[] = "/tmp/symcode_fuzz.XXXXXX";
    if (mkdtemp(folder) == nullptr || chdir(folder) != 0) std::abort();
    setenv("ZYMORAX_SYSLOG", "/dev/null", 1);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* dae = std::fopen("model.dae", "wb");
    if (dae == nullptr) std::abort();
    std::fwrite(data, 1, size, dae);
    std::fclose(dae);
    std::vector<std::string> args = {"symcode", "-Dmodel.dae"};
    switch (size % 3) {
        case 0:
            args.insert(args.end(), {"-Pp.txt", "-Fu.c", "-Tt.c", "-Gg.c", "-Ss.c", "-Jj.c"});
            break;
        case 1:
            args.insert(args.end(), {"-m", "-Pp.txt", "-Fu.c", "-Tt.c", "-Gg.c", "-Ss.c"});
            break;
        default:
            args.insert(args.end(), {"-MATLAB", "-J"});
    }
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int status = run_symcode(static_cast<int>(args.size()), argv.data());
    if (status != 0 && status != -1) std::abort();
    release_expr_nodes();
    return 0;
}
