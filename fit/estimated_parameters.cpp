#include "estimated_parameters.h"

#include <cmath>

#include "format.h"
#include "log.h"
#include "text_io.h"

namespace kinefit {

namespace {

using zymorax::RowField;

// Reports a fault of one row; always -1.
int row_fault(const kinesim::ParameterFile& file, int line, const std::string& what) {
    log_sys("%s:%d: %s\n", file.path.c_str(), line, what.c_str());
    return -1;
}

// Whether the row is to be estimated: R or S; D or blank keep the value.
int read_flag(const kinesim::ParameterFile& file, const zymorax::ParamRow& row, bool& estimated) {
    std::string flag = row.trimmed(RowField::Drs);
    estimated = flag == "R" || flag == "S";
    if (estimated || flag == "D" || flag.empty()) return 0;
    return row_fault(file, row.line_number(),
                     "the D/R/S field is '" + flag + "' (D keeps the value, R or S estimates it)");
}

int read_bound(const kinesim::ParameterFile& file, const zymorax::ParamRow& row, RowField field,
               const char* name, double& bound) {
    std::string text = row.trimmed(field);
    if (zymorax::parse_number(text, bound)) return 0;
    return row_fault(file, row.line_number(),
                     text.empty()
                         ? zymorax::format("the row is marked %s for estimation but has no %s "
                                           "(GA_min and GA_max bound the search)",
                                           row.trimmed(RowField::Drs).c_str(), name)
                         : zymorax::format("%s '%s' is not a number", name, text.c_str()));
}

int read_limits(const kinesim::ParameterFile& file, const zymorax::ParamRow& row,
                EstimatedParameter& parameter) {
    if (read_bound(file, row, RowField::GaMin, "GA_min", parameter.lower) != 0 ||
        read_bound(file, row, RowField::GaMax, "GA_max", parameter.upper) != 0) {
        return -1;
    }
    if (!(parameter.lower > 0.0 && parameter.lower < parameter.upper)) {
        return row_fault(file, row.line_number(),
                         zymorax::format("GA_min %.10g and GA_max %.10g do not satisfy 0 < GA_min "
                                         "< GA_max (the search runs on a log scale)",
                                         parameter.lower, parameter.upper));
    }
    std::string start = row.trimmed(RowField::ValStart);
    parameter.hasStart = !start.empty();
    if (!parameter.hasStart) return 0;
    if (!zymorax::parse_number(start, parameter.start)) {
        return row_fault(file, row.line_number(), "val_start '" + start + "' is not a number");
    }
    if (parameter.start < parameter.lower || parameter.start > parameter.upper) {
        return row_fault(file, row.line_number(),
                         zymorax::format("val_start %.10g lies outside GA_min %.10g and GA_max "
                                         "%.10g",
                                         parameter.start, parameter.lower, parameter.upper));
    }
    return 0;
}

bool code_reads(const kinesim::CodeFacts& code, const std::string& label, int index) {
    auto found = code.elements.find(label);
    return found != code.elements.end() && found->second.count(index) > 0;
}

// Reads one estimated row into `parameter` and fills its value when blank.
int estimate_row(kinesim::ParameterFile& file, const kinesim::CodeFacts& code,
                 kinesim::ParamValueRow& row, EstimatedParameter& parameter) {
    const zymorax::ParamRow& fields = file.rows[row.line - 1];
    parameter.line = row.line;
    parameter.label = row.label;
    parameter.index = row.index;
    parameter.slot = label_slot(file, row.label);
    parameter.tag = row.tag;
    if (read_limits(file, fields, parameter) != 0) return -1;
    if (!code_reads(code, row.label, row.index)) {
        return row_fault(file, row.line,
                         parameter.name() +
                             " is read by no equation of the model; it cannot be "
                             "estimated");
    }
    if (row.value.blank) {
        row.value.blank = false;
        row.value.value =
            parameter.hasStart ? parameter.start : std::sqrt(parameter.lower * parameter.upper);
    }
    return 0;
}

}  // namespace

int label_slot(const kinesim::ParameterFile& file, const std::string& label) {
    for (size_t i = 0; i < file.labels.size(); ++i) {
        if (file.labels[i] == label) return static_cast<int>(i) + 1;
    }
    return 0;
}

int select_estimated(kinesim::ParameterFile& file, const kinesim::CodeFacts& code,
                     std::vector<EstimatedParameter>& estimated) {
    estimated.clear();
    for (kinesim::ParamValueRow& row : file.params) {
        bool marked = false;
        if (read_flag(file, file.rows[row.line - 1], marked) != 0) return -1;
        if (!marked) continue;
        estimated.emplace_back();
        if (estimate_row(file, code, row, estimated.back()) != 0) return -1;
    }
    if (estimated.empty()) {
        log_sys("%s: no PARAM row is marked R or S for estimation (with GA_min and GA_max).\n",
                file.path.c_str());
        return -1;
    }
    return 0;
}

}  // namespace kinefit
