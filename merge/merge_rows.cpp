#include "merge_rows.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <utility>

#include "format.h"
#include "log.h"
#include "tag_check.h"
#include "text_io.h"

namespace valfuse {
namespace {

using RowKey = std::pair<std::string, std::string>;  // type, tag

// The reference rows by type and tag; the first row wins, as in a search in file order.
std::map<RowKey, const ParamRow*> index_rows(const std::vector<ParamRow>& rows) {
    std::map<RowKey, const ParamRow*> index;
    for (const ParamRow& row : rows) {
        if (has_key(row)) index.emplace(RowKey(row.type, row.tag), &row);
    }
    return index;
}

std::string rebuilt_y_start_line(const ParamRow& row, double value) {
    if (!row.comment) {
        return zymorax::format("%s;%s;%12.4e;%s", row.typeField.c_str(), row.index.c_str(), value,
                               row.tagText.c_str());
    }
    return zymorax::format("%s;%s;%12.4e;%s#%s", row.typeField.c_str(), row.index.c_str(), value,
                           row.tagText.c_str(), row.comment->c_str());
}

std::string rebuilt_param_line(const ParamRow& row, double value) {
    const auto& f = row.otherFields;
    if (!row.comment) {
        return zymorax::format("%s;%s;%s;%12.4g;%s;%s;%s;%s;%s;%s;%s", row.typeField.c_str(),
                               row.name.c_str(), row.index.c_str(), value, f[0].c_str(),
                               f[1].c_str(), f[2].c_str(), f[3].c_str(), f[4].c_str(), f[5].c_str(),
                               row.tagText.c_str());
    }
    return zymorax::format("%s;%s;%s;%12.4g;%s;%s;%s;%s;%s;%s;%s#%s", row.typeField.c_str(),
                           row.name.c_str(), row.index.c_str(), value, f[0].c_str(), f[1].c_str(),
                           f[2].c_str(), f[3].c_str(), f[4].c_str(), f[5].c_str(),
                           row.tagText.c_str(), row.comment->c_str());
}

}  // namespace

bool parse_value(const std::string& field, double& value) {
    std::string text = zymorax::trim(field);
    if (text.empty()) return false;
    char* end = nullptr;
    double parsed = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

void rebuild_row(ParamRow& row, double value) {
    bool y_start = row.type == kYStartType;
    row.line = y_start ? rebuilt_y_start_line(row, value) : rebuilt_param_line(row, value);
    row.value = zymorax::format(y_start ? "%12.4e" : "%12.4g", value);
}

size_t merge_rows(std::vector<ParamRow>& target, const std::vector<ParamRow>& reference,
                  bool blanksOnly) {
    std::map<RowKey, const ParamRow*> index = index_rows(reference);
    size_t merged = 0;
    for (ParamRow& row : target) {
        if (!has_key(row)) continue;
        if (blanksOnly && !zymorax::trim(row.value).empty()) continue;
        auto partner = index.find(RowKey(row.type, row.tag));
        if (partner == index.end()) continue;
        double value = 0.0;
        if (!parse_value(partner->second->value, value)) {
            log_sys("Reference value \"%s\" is not a number; %s %s left unchanged.\n",
                    zymorax::trim(partner->second->value).c_str(), row.type.c_str(),
                    row.tag.c_str());
            continue;
        }
        rebuild_row(row, value);
        ++merged;
    }
    return merged;
}

}  // namespace valfuse
