// One line of a parameter file as valfuse holds it.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace valfuse {

inline constexpr const char* kYStartType = "Y_START";
inline constexpr const char* kParamType = "PARAM";

// A line of a parameter file. Y_START and PARAM rows also carry their fields exactly as read
// (padding and line end included), so that a rebuilt line differs from the old one only in its
// value field. Every other line is opaque: only `line`, `typeField` and `type` are set.
struct ParamRow {
    std::string line;                        // the whole line as read; this is what is written back
    std::string typeField;                   // field 0 as read
    std::string type;                        // typeField trimmed
    std::string name;                        // PARAM field 1
    std::string index;                       // PARAM field 2, Y_START field 1
    std::string value;                       // PARAM field 3, Y_START field 2
    std::array<std::string, 6> otherFields;  // PARAM fields 4 to 9 (val_start ... GA_max)
    std::string tagText;                     // the last field up to its first '#'
    std::string tag;                         // tagText trimmed: the key of the row
    std::optional<std::string> comment;      // after the first '#'; carries the line end
};

// True for the two row types that take part in a merge.
bool is_value_row(const ParamRow& row);

// Splits one line into `row`. Returns 0, or -1 after logging the line when a Y_START or PARAM
// row has too few or too many ';' separators or holds a NUL byte.
int split_param_row(const std::string& line, ParamRow& row);

// The line without its line end, as messages quote it.
std::string quoted_line(const ParamRow& row);

}  // namespace valfuse
