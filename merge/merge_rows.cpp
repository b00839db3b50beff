#include "merge_rows.h"

#include <map>
#include <utility>

#include "log.h"
#include "param_layout.h"
#include "tag_check.h"
#include "text_io.h"

namespace valfuse {
namespace {

using RowKey = std::pair<std::string, std::string>;  // type, tag

// The reference rows by type and tag; the first row wins, as in a search in file order.
std::map<RowKey, const ParamRow*> index_rows(const std::vector<ParamRow>& rows) {
    std::map<RowKey, const ParamRow*> index;
    for (const ParamRow& row : rows) {
        if (has_key(row)) index.emplace(RowKey(row.type_name(), row.tag()), &row);
    }
    return index;
}

}  // namespace

void rebuild_row(ParamRow& row, double value) {
    bool y_start = row.type() == zymorax::RowType::YStart;
    row.set(zymorax::RowField::Value,
            y_start ? zymorax::initial_value_text(value) : zymorax::param_value_text(value));
}

size_t merge_rows(std::vector<ParamRow>& target, const std::vector<ParamRow>& reference,
                  bool blanksOnly) {
    std::map<RowKey, const ParamRow*> index = index_rows(reference);
    size_t merged = 0;
    for (ParamRow& row : target) {
        if (!has_key(row)) continue;
        if (blanksOnly && !row.trimmed(zymorax::RowField::Value).empty()) continue;
        auto partner = index.find(RowKey(row.type_name(), row.tag()));
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
