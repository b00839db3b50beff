#include "merge_input.h"

#include "log.h"
#include "param_file.h"

namespace valfuse {
namespace {

// Checks the shape of a value row; 0, or -1 after logging the line.
int check_row(const ParamRow& row) {
    if (!is_value_row(row)) return 0;
    std::string quoted = row.text_without_line_end();
    // A NUL byte would cut the line short wherever it is handled as a C text.
    if (row.text().find('\0') != std::string::npos) {
        log_sys("NUL character in line:\n\t%s\n", quoted.c_str());
        return -1;
    }
    long difference = row.field_count_difference();
    if (difference != 0) {
        log_sys("Too %s separators in line:\n\t%s\n", difference < 0 ? "few" : "many",
                quoted.c_str());
        return -1;
    }
    return 0;
}

}  // namespace

bool is_value_row(const ParamRow& row) {
    return row.type() == zymorax::RowType::YStart || row.type() == zymorax::RowType::Param;
}

int read_param_file(const std::string& path, std::vector<ParamRow>& rows) {
    zymorax::ParamFileReader reader;
    if (!reader.open(path)) {
        log_sys("Can't open %s for reading.\n", path.c_str());
        return -1;
    }
    rows.clear();
    ParamRow row;
    while (reader.next(row)) {
        if (check_row(row) != 0) return -1;
        rows.push_back(std::move(row));
    }
    if (reader.failed()) {
        log_sys("Can't read parameters. (file = %s)\n", path.c_str());
        return -1;
    }
    return 0;
}

}  // namespace valfuse
