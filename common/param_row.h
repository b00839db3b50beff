// One line of a parameter file, the file symcode writes (-P), valfuse merges, valscribe exports
// and kinesim simulates. This module owns its row layout; param_file.h reads and writes whole
// files of rows, param_layout.h prints the rows symcode generates.
//
// A parameter file is a text of lines; fields are separated by ';'; the first field, blanks
// around it aside, names the row type:
//
//   N_VAR   ;   3; # num of variables(all)          N_VAR, N_ALGEBR: a count
//   Y_START ;   1; 1.0000e+000;  A.cyt\t#            index; value; tag #comment
//   PARAM   ;kx            ;   1;         0.5;;0;D;;;; B.cyt\t#
//       name; index; value; val_start; num_survey; D/R/S; change-val; GA_min; GA_max; tag #comment
//   T_EVENT ; name; index; time; value; comment
//   PARAM_NAME ;kx              #                    the k-th names the label of p->val[k]
//
// Lines whose first non-blank character is '#' are comments.
//
// Contract of a row:
// - It keeps every byte of its line, line end (LF or CR LF, or none at the end of the file) and
//   NUL bytes included: field(i) are the ';'-separated parts exactly as read, the text after
//   the last ';' being a field even when empty, so the fields joined with ';' are the line.
// - set() replaces one field and rebuilds the line from the fields, so a writer that puts a new
//   value into a row changes those bytes only; padding, comments and line ends stay.
// - It accepts any line. Whether a row has the field count of its type, and which field texts
//   are acceptable, each reader decides (field_count_difference(), and parse_number() of
//   text_io.h ...) and words its own messages: nothing here logs.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zymorax {

enum class RowType { Blank, Comment, NVar, NAlgebr, YStart, Param, TEvent, ParamName, Other };

// The named fields. Last is the field that ends a row: the tag and comment of Y_START and PARAM
// rows, the comment of T_EVENT rows, the label of PARAM_NAME rows, the description of a count.
enum class RowField {
    Name,
    Index,
    Value,
    ValStart,
    NumSurvey,
    Drs,  // the D/R/S flag
    ChangeVal,
    GaMin,
    GaMax,
    Time,
    Count,
    Last
};

// The row type a trimmed first field names; Other for any other text.
RowType row_type_named(const std::string& typeName);

// The number of fields a row of this type has: 4 (Y_START), 11 (PARAM), 6 (T_EVENT), 2
// (PARAM_NAME); 0 for the other types, which have no fixed count.
size_t expected_field_count(RowType type);

class ParamRow {
  public:
    ParamRow() = default;
    // Splits one line, as read with its line end; `lineNumber` counts from 1.
    ParamRow(std::string line, int lineNumber);

    const std::string& text() const { return text_; }
    std::string text_without_line_end() const;
    int line_number() const { return lineNumber_; }
    RowType type() const { return type_; }
    const std::string& type_name() const { return typeName_; }  // field 0 trimmed

    size_t field_count() const { return fields_.size(); }
    // Field i as read; empty beyond the last.
    const std::string& field(size_t i) const;
    // fields() minus what this type expects: negative for too few, positive for too many.
    long field_count_difference() const;

    // The position of a named field in rows of this type; 0 when the type has none.
    size_t position(RowField which) const;
    // A named field as read, or trimmed; empty when the type has no such field or the row ends
    // before it.
    const std::string& raw(RowField which) const;
    std::string trimmed(RowField which) const;

    // The last field up to its first '#', as read; trimmed it is the tag, the key by which
    // valfuse matches rows (for a PARAM_NAME row: its label).
    std::string tag_text() const;
    std::string tag() const;
    // The last field after its first '#', as read (with the line end); none without a '#'.
    std::optional<std::string> comment() const;

    // Replaces a named field and rebuilds the line around it; false (the row unchanged) when
    // the type has no such field or the row ends before it.
    bool set(RowField which, const std::string& newText);

  private:
    std::string text_;
    std::vector<std::string> fields_;
    std::string typeName_;
    RowType type_ = RowType::Blank;
    int lineNumber_ = 0;
};

}  // namespace zymorax
