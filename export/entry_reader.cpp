#include "entry_reader.h"

#include "param_file.h"

namespace valscribe {

bool read_export_entries(const std::string& path, std::vector<ExportEntry>& entries) {
    zymorax::ParamFileReader reader;
    if (!reader.open(path)) return false;
    ParamRow row;
    int eventCount = 0;
    while (reader.next(row)) {
        if (!is_exportable(row)) return false;
        bool event = row.type() == RowType::TEvent;
        entries.push_back(ExportEntry{std::move(row), event ? ++eventCount : 0});
    }
    return !reader.failed();
}

}  // namespace valscribe
