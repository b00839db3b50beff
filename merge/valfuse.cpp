#include "valfuse.h"

#include <vector>

#include "log.h"
#include "merge_options.h"
#include "merge_rows.h"
#include "merge_input.h"
#include "tag_check.h"
#include "target_writer.h"

namespace valfuse {

int run_valfuse(int argc, char** argv) {
    MergeOptions options;
    if (parse_merge_options(argc, argv, options) != 0) return -1;

    std::vector<ParamRow> reference;
    std::vector<ParamRow> target;
    if (read_param_file(options.referencePath, reference) != 0 ||
        read_param_file(options.targetPath, target) != 0) {
        log_sys("Can't import files !!\n");
        return -1;
    }
    if (check_tags(reference) != 0 || check_tags(target) != 0) {
        log_sys("Error !! : tag duplication.\n");
        return -1;
    }
    merge_rows(target, reference, options.blanksOnly);
    if (write_target(options.targetPath, target) != 0) {
        log_sys("Can't export parameters !!\n");
        return -1;
    }
    return 0;
}

}  // namespace valfuse
