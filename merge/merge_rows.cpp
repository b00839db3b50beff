#include "merge_rows.h"

#include <unordered_map>

#include "format.h"
#include "log.h"
#include "param_layout.h"
#include "tag_check.h"
#include "text_io.h"

namespace valfuse {
namespace {

// Type and tag in one text; a type never holds a NUL byte, the reader refuses those.
std::string row_key(const ParamRow& row) {
    return row.type_name() + '\0' + row.tag();
}

// The reference rows by type and tag; the first row wins, as in a search in file order.
std::unordered_map<std::string, const ParamRow*> index_rows(const std::vector<ParamRow>& rows) {
    std::unordered_map<std::string, const ParamRow*> index;
    for (const ParamRow& row : rows) {
        if (has_key(row)) index.emplace(row_key(row), &row);
    }
    return index;
}

// The value in the row's own format when that reads back as the same number; otherwise the
// shortest "%g" text that does, so that a tuned value is never rounded on its way.
std::string lossless_value_text(const std::string& formatted, double value) {
    double readBack = 0.0;
    if (zymorax::parse_number(formatted, readBack) && readBack == value) return formatted;
    return zymorax::exact_value_text(value);
}

}  // namespace

void rebuild_row(ParamRow& row, double value) {
    bool y_start = row.type() == zymorax::RowType::YStart;
    std::string formatted =
        y_start ? zymorax::initial_value_text(value) : zymorax::param_value_text(value);
    row.set(zymorax::RowField::Value, lossless_value_text(formatted, value));
}

size_t merge_rows(std::vector<ParamRow>& target, const std::vector<ParamRow>& reference,
                  bool blanksOnly) {
    std::unordered_map<std::string, const ParamRow*> index = index_rows(reference);
    size_t merged = 0;
    for (ParamRow& row : target) {
        if (!has_key(row)) continue;
        if (blanksOnly && !row.trimmed(zymorax::RowField::Value).empty()) continue;
        auto partner = index.find(row_key(row));
        if (partner == index.end()) continue;
        double value = 0.0;
        std::string partnerValue = partner->second->trimmed(zymorax::RowField::Value);
        if (!zymorax::parse_number(partnerValue, value)) {
            log_sys("Reference value \"%s\" is not a number; %s %s left unchanged.\n",
                    partnerValue.c_str(), row.type_name().c_str(), row.tag().c_str());
            continue;
        }
        rebuild_row(row, value);
        ++merged;
    }
    return merged;
}

}  // namespace valfuse
