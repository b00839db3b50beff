#include "measurement_file.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>

#include "format.h"
#include "text_io.h"

namespace zymorax {

MeasurementVocabulary measurement_vocabulary(const std::vector<ParamRow>& rows) {
    MeasurementVocabulary vocabulary;
    for (const ParamRow& row : rows) {
        std::string tag = row.type() == RowType::YStart || row.type() == RowType::Param
                              ? row.tag()
                              : std::string();
        if (tag.empty()) continue;
        (row.type() == RowType::YStart ? vocabulary.variables : vocabulary.parameters).insert(tag);
    }
    return vocabulary;
}

namespace {

// Values, standard deviations and their ratios are kept within this magnitude (sds above its
// reciprocal) so that a squared residual is a finite number.
constexpr double kLargestValue = 1e100;
// A time above 0 but below this gives the integrator's first step a reciprocal beyond the doubles.
constexpr double kShortestTime = 1e-300;

// Splits a CSV line into its cells: a cell in double quotes may hold ',' and '""' (a quote).
// Unquoted cells keep their blanks. False when a quote is not closed or text follows it.
bool split_cells(const std::string& line, std::vector<std::string>& cells) {
    cells.assign(1, "");
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c != '"') {
                cells.back() += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                cells.back() += '"';
                ++i;
            } else {
                quoted = false;
                size_t next = line.find_first_not_of(" \t", i + 1);
                if (next != std::string::npos && line[next] != ',') return false;
            }
        } else if (c == ',') {
            cells.emplace_back();
        } else if (c == '"' && trim(cells.back()).empty()) {
            cells.back().clear();
            quoted = true;
        } else {
            cells.back() += c;
        }
    }
    return !quoted;
}

// What a column holds.
struct Column {
    enum Kind { Time, Value, Sd } kind = Time;
    int observable = 0;
};

class MeasurementReader {
  public:
    MeasurementReader(const MeasurementVocabulary& vocabulary, ExperimentData& data,
                      std::string& error)
        : vocabulary_(vocabulary), data_(data), error_(error) {}

    // Takes one line (without its line end), numbered from 1. False after setting the error.
    bool take(const std::string& line, int number) {
        line_ = number;
        std::string content = trim(line);
        if (content.empty()) return true;
        if (content[0] == '#') return content.find('=') == std::string::npos || setting(content);
        std::vector<std::string> cells;
        if (!split_cells(line, cells)) return fail("a quoted cell is not closed by '\"'");
        return columns_.empty() ? header(cells) : row(cells);
    }

    // The checks that need the whole file. False after setting the error.
    bool finish() {
        line_ = 0;
        if (columns_.empty()) return fail("no header line (time,<tag>,...)");
        if (data_.measurements.empty()) return fail("no measured values");
        return true;
    }

  private:
    bool fail(const std::string& what) {
        error_ = line_ > 0 ? format("%s:%d: %s", data_.path.c_str(), line_, what.c_str())
                           : data_.path + ": " + what;
        return false;
    }

    bool setting(const std::string& content) {
        if (!columns_.empty()) {
            return fail("a setting (# <tag> = <value>) must come before the header line");
        }
        size_t equals = content.rfind('=');
        ExperimentSetting setting{trim(content.substr(1, equals - 1)), 0.0, false, line_};
        std::string value = trim(content.substr(equals + 1));
        if (setting.tag.empty()) return fail("a setting names no tag: # <tag> = <value>");
        if (!parse_number(value, setting.value)) {
            return fail("the value '" + value + "' of '" + setting.tag + "' is not a number");
        }
        bool variable = vocabulary_.variables.count(setting.tag) > 0;
        bool parameter = vocabulary_.parameters.count(setting.tag) > 0;
        if (!variable && !parameter) {
            return fail("no Y_START or PARAM row of the parameter file has the tag '" +
                        setting.tag + "'");
        }
        if (variable && parameter) {
            return fail("the tag '" + setting.tag + "' names a Y_START row and a PARAM row");
        }
        for (const ExperimentSetting& before : data_.settings) {
            if (before.tag == setting.tag) {
                return fail(
                    format("'%s' is set already (line %d)", setting.tag.c_str(), before.line));
            }
        }
        setting.initialValue = variable;
        data_.settings.push_back(setting);
        return true;
    }

    // The tag of an sd(<tag>) header cell, or "" for another cell.
    static std::string sd_target(const std::string& name) {
        bool sd = name.size() > 4 && name.compare(0, 3, "sd(") == 0 && name.back() == ')';
        return sd ? trim(name.substr(3, name.size() - 4)) : "";
    }

    bool value_column(const std::string& name) {
        if (vocabulary_.variables.count(name) == 0) {
            return fail(vocabulary_.parameters.count(name) > 0
                            ? "the column '" + name +
                                  "' is a PARAM row's tag; data columns are variables"
                            : "no variable of the model has the tag '" + name + "'");
        }
        observableOf_[name] = static_cast<int>(data_.observed.size());
        data_.observed.push_back(name);
        data_.weighted.push_back(false);
        columns_.push_back({Column::Value, observableOf_[name]});
        return true;
    }

    bool header_cell(const std::string& name, std::map<std::string, int>& seen) {
        if (name.empty()) return fail(format("column %zu has no name", columns_.size() + 1));
        if (!seen.emplace(name, static_cast<int>(columns_.size()) + 1).second) {
            return fail(
                format("the column '%s' appears twice (column %d)", name.c_str(), seen[name]));
        }
        if (name == "time") {
            columns_.push_back({Column::Time, 0});
            return true;
        }
        if (!sd_target(name).empty()) {
            columns_.push_back({Column::Sd, -1});  // bound to its tag once the header is read
            return true;
        }
        return value_column(name);
    }

    bool header(const std::vector<std::string>& cells) {
        std::map<std::string, int> seen;
        for (const std::string& cell : cells) {
            if (!header_cell(trim(cell), seen)) return false;
        }
        if (seen.count("time") == 0) return fail("the header has no 'time' column");
        for (size_t i = 0; i < cells.size(); ++i) {
            if (columns_[i].kind != Column::Sd) continue;
            std::string tag = sd_target(trim(cells[i]));
            auto found = observableOf_.find(tag);
            if (found == observableOf_.end()) {
                return fail("the column 'sd(" + tag + ")' has no column '" + tag + "' of values");
            }
            columns_[i].observable = found->second;
            data_.weighted[found->second] = true;
        }
        return true;
    }

    bool time_of(const std::vector<std::string>& cells, double& time) {
        for (size_t i = 0; i < cells.size(); ++i) {
            if (columns_[i].kind != Column::Time) continue;
            std::string text = trim(cells[i]);
            if (text.empty()) return fail("the time is missing");
            if (!parse_number(text, time)) return fail("the time '" + text + "' is not a number");
        }
        if (time < 0.0) return fail("the time " + trim_number(time) + " lies before 0");
        if (time > 0.0 && time < kShortestTime) {
            return fail("the time " + trim_number(time) + " lies closer to 0 than " +
                        trim_number(kShortestTime) + ", which no solver resolves");
        }
        if (!data_.times.empty() && time <= data_.times.back()) {
            return fail("the time " + trim_number(time) +
                        " does not increase (the row before is at time " +
                        trim_number(data_.times.back()) + ")");
        }
        return true;
    }

    static std::string trim_number(double value) { return format("%.10g", value); }

    bool cell(const std::string& text, const Column& column, std::vector<Measurement>& values,
              std::vector<double>& sds) {
        const std::string& tag = data_.observed[column.observable];
        double number = 0.0;
        if (text.empty()) return true;
        if (column.kind == Column::Value) {
            if (!parse_number(text, number)) {
                return fail("the value '" + text + "' of '" + tag + "' is not a number");
            }
            if (std::fabs(number) > kLargestValue) {
                return fail("the value '" + text + "' of '" + tag + "' is larger than " +
                            trim_number(kLargestValue) + " in magnitude: its squared residual " +
                            "would overflow");
            }
            values.push_back({0.0, column.observable, number, 0.0, line_});
        } else if (!parse_number(text, number) || number <= 0.0) {
            return fail("the standard deviation '" + text + "' of '" + tag +
                        "' is not a number above 0");
        } else if (number < 1.0 / kLargestValue || number > kLargestValue) {
            return fail("the standard deviation '" + text + "' of '" + tag + "' lies outside " +
                        trim_number(1.0 / kLargestValue) + " to " + trim_number(kLargestValue) +
                        ", where weighted residuals overflow");
        } else {
            sds[column.observable] = number;
        }
        return true;
    }

    bool row(const std::vector<std::string>& cells) {
        if (cells.size() != columns_.size()) {
            return fail(
                format("the row has %zu cells, the header %zu", cells.size(), columns_.size()));
        }
        double time = 0.0;
        if (!time_of(cells, time)) return false;
        std::vector<Measurement> values;
        std::vector<double> sds(data_.observed.size(), 0.0);
        for (size_t i = 0; i < cells.size(); ++i) {
            if (columns_[i].kind != Column::Time && !cell(trim(cells[i]), columns_[i], values, sds))
                return false;
        }
        for (Measurement& value : values) {
            value.time = time;
            value.sd = sds[value.observable];
            if (data_.weighted[value.observable] && value.sd == 0.0) {
                const std::string& tag = data_.observed[value.observable];
                return fail("the value of '" + tag + "' has no standard deviation in sd(" + tag +
                            ")");
            }
            if (value.sd > 0.0 && std::fabs(value.value) / value.sd > kLargestValue) {
                const std::string& tag = data_.observed[value.observable];
                return fail("the value of '" + tag + "' is more than " +
                            trim_number(kLargestValue) +
                            " standard deviations from 0: its squared residual would overflow");
            }
            data_.measurements.push_back(value);
        }
        data_.times.push_back(time);
        return true;
    }

    const MeasurementVocabulary& vocabulary_;
    ExperimentData& data_;
    std::string& error_;
    std::vector<Column> columns_;
    std::map<std::string, int> observableOf_;
    int line_ = 0;
};

}  // namespace

bool read_measurement_file(const std::string& path, const MeasurementVocabulary& vocabulary,
                           ExperimentData& data, std::string& error) {
    data = ExperimentData();
    data.path = path;
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in) {
        error = "Cannot open the data file " + path + ".";
        return false;
    }
    MeasurementReader reader(vocabulary, data, error);
    std::string line;
    for (int number = 1; read_line(in.get(), line); ++number) {
        if (!reader.take(without_line_end(line), number)) return false;
    }
    if (std::ferror(in.get())) {
        error = "Cannot read the data file " + path + ".";
        return false;
    }
    return reader.finish();
}

}  // namespace zymorax
