#include "param_reader.h"

#include <map>
#include <set>
#include <utility>

#include "log.h"
#include "param_file.h"
#include "text_io.h"

namespace kinesim {

namespace {

using zymorax::ParamRow;
using zymorax::RowField;
using zymorax::RowType;

// Reports a fault of one line; always -1.
int row_error(const std::string& path, int line, const std::string& what) {
    log_sys("%s:%d: %s\n", path.c_str(), line, what.c_str());
    return -1;
}

// A whole number of at most nine digits, at least `minimum`.
bool parse_whole(const std::string& text, int& number, int minimum) {
    return zymorax::parse_whole_number(text, number) && number >= minimum;
}

bool parse_index(const std::string& text, int& index) {
    return parse_whole(text, index, 1);
}

int parse_value(const std::string& field, RowValue& value) {
    std::string trimmed = zymorax::trim(field);
    value.blank = trimmed.empty();
    return value.blank || zymorax::parse_number(trimmed, value.value) ? 0 : -1;
}

class RowParser {
  public:
    RowParser(ParameterFile& file) : file_(file) {}

    int parse(const ParamRow& row) {
        row_ = &row;
        switch (row.type()) {
            case RowType::NVar:
                return count(file_.variableCount);
            case RowType::NAlgebr:
                return count(file_.algebraicCount);
            case RowType::YStart:
                return start();
            case RowType::Param:
                return param();
            case RowType::ParamName:
                return label();
            case RowType::TEvent:
                return event();
            default:
                return fail("unknown row type '" + row.type_name() + "'");
        }
    }

  private:
    int fail(const std::string& what) { return row_error(file_.path, row_->line_number(), what); }
    bool has_its_fields() const { return row_->field_count_difference() == 0; }

    int count(int& target) {
        if (!parse_whole(row_->raw(RowField::Count), target, 0)) {
            return fail("the count is not a whole number");
        }
        return 0;
    }

    int start() {
        if (!has_its_fields()) return fail("a Y_START row has 4 fields separated by ';'");
        StartRow row{row_->line_number(), row_->text_without_line_end(), 0, {}, row_->tag()};
        if (!parse_index(row_->raw(RowField::Index), row.index)) {
            return fail("the index is not a number from 1");
        }
        if (row.tag.empty()) return fail("the tag (the variable's name) is empty");
        if (parse_value(row_->raw(RowField::Value), row.value) != 0) {
            return fail("the initial value '" + row_->trimmed(RowField::Value) +
                        "' is not a number");
        }
        file_.starts.push_back(std::move(row));
        return 0;
    }

    int param() {
        if (!has_its_fields()) return fail("a PARAM row has 11 fields separated by ';'");
        ParamValueRow row{row_->line_number(),
                          row_->text_without_line_end(),
                          row_->trimmed(RowField::Name),
                          0,
                          {},
                          row_->tag()};
        if (!parse_index(row_->raw(RowField::Index), row.index)) {
            return fail("the index is not a number from 1");
        }
        if (parse_value(row_->raw(RowField::Value), row.value) != 0) {
            return fail("the value '" + row_->trimmed(RowField::Value) + "' is not a number");
        }
        file_.params.push_back(std::move(row));
        return 0;
    }

    int label() {
        std::string name = has_its_fields() ? row_->tag() : "";
        if (name.empty()) return fail("a PARAM_NAME row names one label: PARAM_NAME ;<label> #");
        file_.labels.push_back(name);
        return 0;
    }

    int event() {
        if (!has_its_fields()) return fail("a T_EVENT row has 6 fields separated by ';'");
        EventRow row{row_->line_number(), row_->text_without_line_end(),
                     row_->trimmed(RowField::Name)};
        if (row.label.empty()) return fail("the T_EVENT row names no parameter label");
        // The MATLAB scripts' markers of the time span, which the command line gives here.
        if (row.label == "TIME_START" || row.label == "TIME_END") return 0;
        if (!parse_index(row_->raw(RowField::Index), row.index)) {
            return fail("the index is not a number from 1");
        }
        RowValue time, value;
        if (parse_value(row_->raw(RowField::Time), time) != 0 || time.blank) {
            return fail("the time '" + row_->trimmed(RowField::Time) + "' is not a number");
        }
        if (parse_value(row_->raw(RowField::Value), value) != 0 || value.blank) {
            return fail("the value '" + row_->trimmed(RowField::Value) + "' is not a number");
        }
        row.time = time.value;
        row.value = value.value;
        file_.events.push_back(std::move(row));
        return 0;
    }

    ParameterFile& file_;
    const ParamRow* row_ = nullptr;
};

int read_rows(const std::string& path, ParameterFile& file) {
    zymorax::ParamFileReader reader;
    if (!reader.open(path)) {
        log_sys("Cannot open the parameter file %s.\n", path.c_str());
        return -1;
    }
    RowParser parser(file);
    ParamRow row;
    while (reader.next(row)) {
        if (row.text().rfind("# TITLE:", 0) == 0 && file.title.empty()) {
            file.title = row.text_without_line_end().substr(8);
        }
        bool comment = row.type() == RowType::Blank || row.type() == RowType::Comment;
        if (!comment && parser.parse(row) != 0) return -1;
        file.rows.push_back(std::move(row));
    }
    if (reader.failed()) {
        log_sys("Cannot read the parameter file %s.\n", path.c_str());
        return -1;
    }
    return 0;
}

int check_counts(const ParameterFile& file) {
    if (file.variableCount < 1) {
        log_sys("%s: no N_VAR row with a count of at least 1.\n", file.path.c_str());
        return -1;
    }
    if (file.algebraicCount < 0 || file.algebraicCount > file.variableCount) {
        log_sys("%s: no N_ALGEBR row with a count from 0 to N_VAR (%d).\n", file.path.c_str(),
                file.variableCount);
        return -1;
    }
    return 0;
}

// Every variable 1..N_VAR has exactly one Y_START row. Nothing is sized by N_VAR before the
// rows have borne it out: a count no row backs must not cost memory.
int check_starts(const ParameterFile& file) {
    std::map<int, int> lineOf;
    for (const StartRow& row : file.starts) {
        if (row.index > file.variableCount) {
            return row_error(
                file.path, row.line,
                "the index is larger than N_VAR (" + std::to_string(file.variableCount) + ")");
        }
        auto [seen, added] = lineOf.emplace(row.index, row.line);
        if (!added) {
            return row_error(file.path, row.line,
                             "variable " + std::to_string(row.index) +
                                 " has a Y_START row already (line " +
                                 std::to_string(seen->second) + ")");
        }
    }
    int index = 1;
    for (auto at = lineOf.begin(); at != lineOf.end() && at->first == index; ++at) ++index;
    if (index <= file.variableCount) {
        log_sys("%s: N_VAR is %d, but there is no Y_START row for variable %d.\n",
                file.path.c_str(), file.variableCount, index);
        return -1;
    }
    return 0;
}

int check_labels(const ParameterFile& file, std::set<std::string>& labels) {
    for (const std::string& label : file.labels) {
        if (!labels.insert(label).second) {
            log_sys("%s: the label '%s' has two PARAM_NAME rows.\n", file.path.c_str(),
                    label.c_str());
            return -1;
        }
    }
    return 0;
}

// Each label's PARAM rows are its elements 1..n, once each: the values are laid out by index,
// so an index beyond the rows would size an array that no row fills.
int check_params(const ParameterFile& file) {
    std::set<std::string> labels;
    if (check_labels(file, labels) != 0) return -1;
    std::map<std::string, int> rowsOf;
    for (const ParamValueRow& row : file.params) ++rowsOf[row.label];
    std::set<std::pair<std::string, int>> elements;
    for (const ParamValueRow& row : file.params) {
        std::string element = row.label + "[" + std::to_string(row.index) + "]";
        if (labels.count(row.label) == 0) {
            return row_error(file.path, row.line,
                             "the label '" + row.label + "' has no PARAM_NAME row");
        }
        if (row.index > rowsOf[row.label]) {
            return row_error(file.path, row.line,
                             element + ": the index is larger than the number of PARAM rows of '" +
                                 row.label + "' (" + std::to_string(rowsOf[row.label]) + ")");
        }
        if (!elements.insert({row.label, row.index}).second) {
            return row_error(file.path, row.line, element + " has a PARAM row already");
        }
    }
    for (const EventRow& row : file.events) {
        if (elements.count({row.label, row.index}) == 0) {
            return row_error(file.path, row.line,
                             "the T_EVENT row sets " + row.label + "[" + std::to_string(row.index) +
                                 "], which has no PARAM row");
        }
    }
    return 0;
}

}  // namespace

int read_parameter_file(const std::string& path, ParameterFile& file) {
    file = ParameterFile();
    file.path = path;
    if (read_rows(path, file) != 0) return -1;
    if (check_counts(file) != 0 || check_starts(file) != 0 || check_params(file) != 0) return -1;
    return 0;
}

}  // namespace kinesim
