#include "param_reader.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <utility>

#include "log.h"
#include "sim_options.h"
#include "text_io.h"

namespace kinesim {

std::vector<std::string> split_fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        size_t end = line.find(';', start);
        fields.push_back(line.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) return fields;
        start = end + 1;
    }
}

namespace {

// Reports a fault of one line; always -1.
int row_error(const std::string& path, int line, const std::string& what) {
    log_sys("%s:%d: %s\n", path.c_str(), line, what.c_str());
    return -1;
}

// A whole number of at most nine digits, at least `minimum`.
bool parse_whole(const std::string& text, int& number, int minimum) {
    std::string trimmed = zymorax::trim(text);
    if (trimmed.empty() || trimmed.size() > 9) return false;
    for (char c : trimmed) {
        if (c < '0' || c > '9') return false;
    }
    number = std::atoi(trimmed.c_str());
    return number >= minimum;
}

bool parse_index(const std::string& text, int& index) {
    return parse_whole(text, index, 1);
}

std::string tag_of(const std::string& lastField) {
    return zymorax::trim(lastField.substr(0, lastField.find('#')));
}

int parse_value(const std::string& field, RowValue& value) {
    std::string trimmed = zymorax::trim(field);
    value.blank = trimmed.empty();
    return value.blank || parse_number(trimmed, value.value) ? 0 : -1;
}

class RowParser {
  public:
    RowParser(ParameterFile& file) : file_(file) {}

    int parse(int line, const std::string& text) {
        line_ = line;
        text_ = text;
        fields_ = split_fields(text);
        std::string type = zymorax::trim(fields_[0]);
        if (type == "N_VAR") return count(file_.variableCount);
        if (type == "N_ALGEBR") return count(file_.algebraicCount);
        if (type == "Y_START") return start();
        if (type == "PARAM") return param();
        if (type == "PARAM_NAME") return label();
        if (type == "T_EVENT") return event();
        return fail("unknown row type '" + type + "'");
    }

  private:
    int fail(const std::string& what) { return row_error(file_.path, line_, what); }

    int count(int& target) {
        if (fields_.size() < 2 || !parse_whole(fields_[1], target, 0)) {
            return fail("the count is not a whole number");
        }
        return 0;
    }

    int start() {
        if (fields_.size() != 4) return fail("a Y_START row has 4 fields separated by ';'");
        StartRow row{line_, text_, 0, {}, tag_of(fields_[3])};
        if (!parse_index(fields_[1], row.index)) return fail("the index is not a number from 1");
        if (row.tag.empty()) return fail("the tag (the variable's name) is empty");
        if (parse_value(fields_[2], row.value) != 0) {
            return fail("the initial value '" + zymorax::trim(fields_[2]) + "' is not a number");
        }
        file_.starts.push_back(std::move(row));
        return 0;
    }

    int param() {
        if (fields_.size() != 11) return fail("a PARAM row has 11 fields separated by ';'");
        ParamValueRow row{line_, text_, zymorax::trim(fields_[1]), 0, {}, tag_of(fields_[10])};
        if (!parse_index(fields_[2], row.index)) return fail("the index is not a number from 1");
        if (parse_value(fields_[3], row.value) != 0) {
            return fail("the value '" + zymorax::trim(fields_[3]) + "' is not a number");
        }
        file_.params.push_back(std::move(row));
        return 0;
    }

    int label() {
        std::string name = fields_.size() == 2 ? tag_of(fields_[1]) : "";
        if (name.empty()) return fail("a PARAM_NAME row names one label: PARAM_NAME ;<label> #");
        file_.labels.push_back(name);
        return 0;
    }

    int event() {
        file_.events.push_back(EventRow{line_, text_});
        return 0;
    }

    ParameterFile& file_;
    int line_ = 0;
    std::string text_;
    std::vector<std::string> fields_;
};

bool is_comment_or_blank(const std::string& text) {
    std::string trimmed = zymorax::trim(text);
    return trimmed.empty() || trimmed[0] == '#';
}

int read_rows(const std::string& path, ParameterFile& file) {
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in) {
        log_sys("Cannot open the parameter file %s.\n", path.c_str());
        return -1;
    }
    RowParser parser(file);
    std::string line;
    for (int number = 1; zymorax::read_line(in.get(), line); ++number) {
        std::string text = zymorax::without_line_end(line);
        if (text.rfind("# TITLE:", 0) == 0 && file.title.empty()) file.title = text.substr(8);
        if (is_comment_or_blank(text)) continue;
        if (parser.parse(number, text) != 0) return -1;
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

// Every variable 1..N_VAR has exactly one Y_START row.
int check_starts(const ParameterFile& file) {
    std::vector<int> lineOf(file.variableCount + 1, 0);
    for (const StartRow& row : file.starts) {
        if (row.index > file.variableCount) {
            return row_error(
                file.path, row.line,
                "the index is larger than N_VAR (" + std::to_string(file.variableCount) + ")");
        }
        if (lineOf[row.index] != 0) {
            return row_error(file.path, row.line,
                             "variable " + std::to_string(row.index) +
                                 " has a Y_START row already (line " +
                                 std::to_string(lineOf[row.index]) + ")");
        }
        lineOf[row.index] = row.line;
    }
    for (int index = 1; index <= file.variableCount; ++index) {
        if (lineOf[index] == 0) {
            log_sys("%s: no Y_START row for variable %d.\n", file.path.c_str(), index);
            return -1;
        }
    }
    return 0;
}

int check_params(const ParameterFile& file) {
    std::set<std::string> labels;
    for (const std::string& label : file.labels) {
        if (!labels.insert(label).second) {
            log_sys("%s: the label '%s' has two PARAM_NAME rows.\n", file.path.c_str(),
                    label.c_str());
            return -1;
        }
    }
    std::set<std::pair<std::string, int>> elements;
    for (const ParamValueRow& row : file.params) {
        if (labels.count(row.label) == 0) {
            return row_error(file.path, row.line,
                             "the label '" + row.label + "' has no PARAM_NAME row");
        }
        if (!elements.insert({row.label, row.index}).second) {
            return row_error(
                file.path, row.line,
                row.label + "[" + std::to_string(row.index) + "] has a PARAM row already");
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
