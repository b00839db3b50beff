#include "export_entry.h"

#include "matlab_text.h"
#include "text_io.h"

namespace valscribe {
namespace {

// The number of fields as valscribe counts them: an empty text after the last ';' is no field.
size_t export_field_count(const ParamRow& row) {
    size_t count = row.field_count();
    return row.field(count - 1).empty() ? count - 1 : count;
}

bool is_index(const ParamRow& row, int smallest) {
    int index = 0;
    return zymorax::parse_whole_number(row.raw(RowField::Index), index) && index >= smallest;
}

bool is_number_or_blank(const ParamRow& row, RowField which) {
    std::string text = row.trimmed(which);
    return text.empty() || zymorax::is_decimal_literal(text);
}

bool has_value_row_shape(const ParamRow& row) {
    return export_field_count(row) == zymorax::expected_field_count(row.type()) &&
           !row.trimmed(RowField::Last).empty() && is_printable(row.tag()) && is_index(row, 1) &&
           is_number_or_blank(row, RowField::Value);
}

bool is_exportable_param(const ParamRow& row) {
    return has_value_row_shape(row) && is_identifier(row.trimmed(RowField::Name)) &&
           is_number_or_blank(row, RowField::ValStart) &&
           is_number_or_blank(row, RowField::NumSurvey) && is_printable(row.trimmed(RowField::Drs));
}

// Event indices start at 0: the time events carry index 0.
bool is_exportable_event(const ParamRow& row) {
    return export_field_count(row) == zymorax::expected_field_count(row.type()) &&
           is_printable(row.trimmed(RowField::Name)) && is_index(row, 0) &&
           is_number_or_blank(row, RowField::Time) && is_number_or_blank(row, RowField::Value);
}

}  // namespace

bool is_exportable(const ParamRow& row) {
    switch (row.type()) {
        case RowType::YStart:
            return has_value_row_shape(row);
        case RowType::Param:
            return is_exportable_param(row);
        case RowType::TEvent:
            return is_exportable_event(row);
        default:
            return true;
    }
}

}  // namespace valscribe
