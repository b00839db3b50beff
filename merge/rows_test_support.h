// Rows for valfuse's tests: lines split as valfuse splits them, and rows shown as one text.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "param_row.h"

namespace valfuse {

inline std::vector<ParamRow> rows_of(const std::vector<std::string>& lines) {
    std::vector<ParamRow> rows;
    for (const std::string& line : lines) {
        rows.emplace_back();
        EXPECT_EQ(split_param_row(line, rows.back()), 0) << line;
    }
    return rows;
}

inline std::vector<std::string> lines_of(const std::vector<ParamRow>& rows) {
    std::vector<std::string> lines;
    for (const ParamRow& row : rows) lines.push_back(row.line);
    return lines;
}

// Every field of a row after `line`, '|' between them, "<none>" for an absent comment.
inline std::string fields_of(const ParamRow& row) {
    std::string text = row.typeField + "|" + row.type + "|" + row.name + "|" + row.index + "|" +
                       row.value;
    for (const std::string& field : row.otherFields) text += "|" + field;
    return text + "|" + row.tagText + "|" + row.tag + "|" + row.comment.value_or("<none>");
}

}  // namespace valfuse
