// Rows for valfuse's tests: lines split into rows, and rows shown as their lines.
#pragma once

#include <string>
#include <vector>

#include "merge_input.h"

namespace valfuse {

inline std::vector<ParamRow> rows_of(const std::vector<std::string>& lines) {
    std::vector<ParamRow> rows;
    for (const std::string& line : lines)
        rows.emplace_back(line, static_cast<int>(rows.size()) + 1);
    return rows;
}

inline std::vector<std::string> lines_of(const std::vector<ParamRow>& rows) {
    std::vector<std::string> lines;
    for (const ParamRow& row : rows) lines.push_back(row.text());
    return lines;
}

}  // namespace valfuse
