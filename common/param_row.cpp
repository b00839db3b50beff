#include "param_row.h"

#include "text_io.h"

namespace zymorax {
namespace {

const std::string kNoField;

std::vector<std::string> split_at_separators(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t cut = line.find(';'); cut != std::string::npos; cut = line.find(';', start)) {
        fields.push_back(line.substr(start, cut - start));
        start = cut + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

std::string joined(const std::vector<std::string>& fields) {
    std::string line = fields[0];
    for (size_t i = 1; i < fields.size(); ++i) line += ";" + fields[i];
    return line;
}

size_t y_start_position(RowField which) {
    switch (which) {
        case RowField::Index:
            return 1;
        case RowField::Value:
            return 2;
        case RowField::Last:
            return 3;
        default:
            return 0;
    }
}

// PARAM rows carry every field a search needs, in this order.
size_t param_position(RowField which) {
    switch (which) {
        case RowField::Name:
            return 1;
        case RowField::Index:
            return 2;
        case RowField::Value:
            return 3;
        case RowField::ValStart:
            return 4;
        case RowField::NumSurvey:
            return 5;
        case RowField::Drs:
            return 6;
        case RowField::ChangeVal:
            return 7;
        case RowField::GaMin:
            return 8;
        case RowField::GaMax:
            return 9;
        case RowField::Last:
            return 10;
        default:
            return 0;
    }
}

size_t event_position(RowField which) {
    switch (which) {
        case RowField::Name:
            return 1;
        case RowField::Index:
            return 2;
        case RowField::Time:
            return 3;
        case RowField::Value:
            return 4;
        case RowField::Last:
            return 5;
        default:
            return 0;
    }
}

}  // namespace

RowType row_type_named(const std::string& typeName) {
    if (typeName == "Y_START") return RowType::YStart;
    if (typeName == "PARAM") return RowType::Param;
    if (typeName == "T_EVENT") return RowType::TEvent;
    if (typeName == "PARAM_NAME") return RowType::ParamName;
    if (typeName == "N_VAR") return RowType::NVar;
    if (typeName == "N_ALGEBR") return RowType::NAlgebr;
    return RowType::Other;
}

size_t expected_field_count(RowType type) {
    switch (type) {
        case RowType::YStart:
            return 4;
        case RowType::Param:
            return 11;
        case RowType::TEvent:
            return 6;
        case RowType::ParamName:
            return 2;
        default:
            return 0;
    }
}

ParamRow::ParamRow(std::string line, int lineNumber)
    : text_(std::move(line)), fields_(split_at_separators(text_)), lineNumber_(lineNumber) {
    typeName_ = trim(fields_[0]);
    std::string content = trim(text_);
    if (content.empty()) {
        type_ = RowType::Blank;
    } else if (content[0] == '#') {
        type_ = RowType::Comment;
    } else {
        type_ = row_type_named(typeName_);
    }
}

std::string ParamRow::text_without_line_end() const {
    return without_line_end(text_);
}

const std::string& ParamRow::field(size_t i) const {
    return i < fields_.size() ? fields_[i] : kNoField;
}

long ParamRow::field_count_difference() const {
    size_t expected = expected_field_count(type_);
    return expected == 0 ? 0 : static_cast<long>(fields_.size()) - static_cast<long>(expected);
}

size_t ParamRow::position(RowField which) const {
    switch (type_) {
        case RowType::YStart:
            return y_start_position(which);
        case RowType::Param:
            return param_position(which);
        case RowType::TEvent:
            return event_position(which);
        case RowType::ParamName:
            return which == RowField::Last ? 1 : 0;
        case RowType::NVar:
        case RowType::NAlgebr:
            return which == RowField::Count ? 1 : which == RowField::Last ? 2 : 0;
        default:
            return 0;
    }
}

const std::string& ParamRow::raw(RowField which) const {
    size_t at = position(which);
    return at == 0 ? kNoField : field(at);
}

std::string ParamRow::trimmed(RowField which) const {
    return trim(raw(which));
}

std::string ParamRow::tag_text() const {
    const std::string& last = raw(RowField::Last);
    return last.substr(0, last.find('#'));
}

std::string ParamRow::tag() const {
    return trim(tag_text());
}

std::optional<std::string> ParamRow::comment() const {
    const std::string& last = raw(RowField::Last);
    size_t hash = last.find('#');
    if (hash == std::string::npos) return std::nullopt;
    return last.substr(hash + 1);
}

bool ParamRow::set(RowField which, const std::string& newText) {
    size_t at = position(which);
    if (at == 0 || at >= fields_.size()) return false;
    fields_[at] = newText;
    text_ = joined(fields_);
    return true;
}

}  // namespace zymorax
