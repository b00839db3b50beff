#include "param_row.h"

#include <vector>

#include "log.h"
#include "text_io.h"

namespace valfuse {
namespace {

// Number of ';'-separated fields after the type field.
size_t fields_after_type(const std::string& type) {
    return type == kParamType ? 10 : 3;
}

// Takes the next `count` fields off `cursor`; false when the text ends before the last of them.
bool take_fields(char*& cursor, std::vector<char*>& fields, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        char* field = strsep(&cursor, ";");
        if (field == nullptr) return false;
        fields.push_back(field);
    }
    return true;
}

// Stores the fields between the type and the last field, by row type.
void assign_middle_fields(const std::vector<char*>& fields, ParamRow& row) {
    if (row.type == kYStartType) {
        row.index = fields[0];
        row.value = fields[1];
        return;
    }
    row.name = fields[0];
    row.index = fields[1];
    row.value = fields[2];
    for (size_t i = 0; i < row.otherFields.size(); ++i) row.otherFields[i] = fields[3 + i];
}

// Splits the last field at its first '#' into tag text and comment.
void assign_last_field(char* last, ParamRow& row) {
    row.tagText = strsep(&last, "#");
    row.tag = zymorax::trim(row.tagText);
    if (last != nullptr) row.comment = std::string(last);
}

}  // namespace

bool is_value_row(const ParamRow& row) {
    return row.type == kYStartType || row.type == kParamType;
}

std::string quoted_line(const ParamRow& row) {
    return zymorax::without_line_end(row.line);
}

int split_param_row(const std::string& line, ParamRow& row) {
    row = ParamRow{};
    row.line = line;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    char* cursor = buffer.data();
    row.typeField = strsep(&cursor, ";");
    row.type = zymorax::trim(row.typeField);
    if (!is_value_row(row)) return 0;

    // The fields are cut as C texts; a NUL byte would silently drop the rest of the line.
    if (line.find('\0') != std::string::npos) {
        log_sys("NUL character in line:\n\t%s\n", quoted_line(row).c_str());
        return -1;
    }
    std::vector<char*> fields;
    if (!take_fields(cursor, fields, fields_after_type(row.type))) {
        log_sys("Too few separators in line:\n\t%s\n", quoted_line(row).c_str());
        return -1;
    }
    if (cursor != nullptr) {
        log_sys("Too many separators in line:\n\t%s\n", quoted_line(row).c_str());
        return -1;
    }
    assign_middle_fields(fields, row);
    assign_last_field(fields.back(), row);
    return 0;
}

}  // namespace valfuse
