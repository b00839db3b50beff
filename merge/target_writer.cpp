#include "target_writer.h"

#include <cstring>

#include "file_replace.h"
#include "log.h"
#include "param_file.h"

namespace valfuse {

int write_target(const std::string& path, const std::vector<zymorax::ParamRow>& rows) {
    zymorax::ReplaceFailure failure;
    auto fill = [&rows](FILE* out) { return zymorax::write_param_rows(out, rows); };
    // The target was just read: one that has gone since is not created anew.
    if (zymorax::replace_file(path, fill, false, failure)) return 0;
    const char* reason = std::strerror(failure.error);
    switch (failure.step) {
        case zymorax::ReplaceFailure::Open:
            log_sys("Can't open %s for writing\n", path.c_str());
            break;
        case zymorax::ReplaceFailure::Write:
            log_sys("Can't write %s (%s)\n", path.c_str(), reason);
            break;
        case zymorax::ReplaceFailure::Rename:
            log_sys("Can't replace %s (%s)\n", path.c_str(), reason);
            break;
    }
    return -1;
}

}  // namespace valfuse
