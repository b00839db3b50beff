#include "model_values.h"

#include <map>
#include <set>

#include "format.h"
#include "log.h"
#include "model_inputs.h"

namespace kineport {
namespace {

using kinesim::ParameterFile;
using kinesim::ParamValueRow;
using kinesim::StartRow;

int row_error(const ParameterFile& file, int line, const std::string& what) {
    log_sys("%s:%d: %s\n", file.path.c_str(), line, what.c_str());
    return -1;
}

int check_counts(const DaeSource& source, const ParameterFile& file) {
    const DaeModel& model = source.model;
    if (file.variableCount == model.variableCount && file.algebraicCount == model.algebraicCount) {
        return 0;
    }
    log_sys("%s: N_VAR %d and N_ALGEBR %d do not match %s (%d variables, %d algebraic).\n",
            file.path.c_str(), file.variableCount, file.algebraicCount, source.path.c_str(),
            model.variableCount, model.algebraicCount);
    return -1;
}

int bind_starts(const DaeSource& source, const ParameterFile& file, ModelValues& values) {
    const DaeModel& model = source.model;
    std::vector<int> rowOfNumber(model.variableCount + 1, -1);
    for (int row = 0; row < model.variableCount; ++row) {
        rowOfNumber[model.variables[row].number] = row;
    }
    values.initial.assign(model.variableCount, 0.0);
    for (const StartRow& start : file.starts) {
        const VariableEntry& variable = model.variables[rowOfNumber[start.index]];
        if (start.tag != variable.name) {
            return row_error(file, start.line,
                             "variable " + std::to_string(start.index) + " of " + source.path +
                                 " is " + variable.name + ", not " + start.tag);
        }
        values.initial[rowOfNumber[start.index]] = start.value.value;
    }
    return 0;
}

int bind_params(const DaeSource& source, const ParameterFile& file, ModelValues& values) {
    const DaeModel& model = source.model;
    for (const ParamValueRow& param : file.params) {
        int labelRow = find_row(model.labelRows, param.label);
        bool known = labelRow >= 0 && param.index <= model.paramLabels[labelRow].elementCount;
        if (!known || model.paramLabels[labelRow].elements[param.index - 1].tag != param.tag) {
            return row_error(file, param.line,
                             param.label + "[" + std::to_string(param.index) + "] " + param.tag +
                                 " is no parameter element of " + source.path);
        }
        values.elements.push_back(ElementValue{labelRow, param.index - 1, &param});
    }
    return 0;
}

// label -> indices (from 1) of the elements an expression reads.
std::map<std::string, std::set<int>> elements_read(const DaeModel& model) {
    std::map<std::string, std::set<int>> read;
    for (const ParamLabel& label : model.paramLabels) {
        for (size_t k = 0; k < label.elements.size(); ++k) {
            if (label.elements[k].used) read[label.label].insert(static_cast<int>(k) + 1);
        }
    }
    return read;
}

// The events, each on an element with a PARAM row (the reader checked that) and from t = 0 on:
// an SBML event before the start would fire at it instead of not at all.
int bind_events(const DaeSource& source, const ParameterFile& file, ModelValues& values) {
    for (const kinesim::EventRow& row : file.events) {
        if (row.time < 0.0) {
            return row_error(file, row.line,
                             "the T_EVENT at t = " + zymorax::format("%.10g", row.time) +
                                 " lies before t = 0, where the exported model starts");
        }
        int labelRow = find_row(source.model.labelRows, row.label);
        values.events.push_back({row.line, labelRow, row.index - 1, row.time, row.value});
    }
    return 0;
}

}  // namespace

bool ModelValues::event_sets(int labelRow, int element) const {
    for (const EventValue& event : events) {
        if (event.labelRow == labelRow && event.element == element) return true;
    }
    return false;
}

int bind_values(const DaeSource& source, const ParameterFile& file, ModelValues& values) {
    values = ModelValues();
    if (check_counts(source, file) != 0 || bind_starts(source, file, values) != 0 ||
        bind_params(source, file, values) != 0 || bind_events(source, file, values) != 0) {
        return -1;
    }
    return kinesim::report_unfilled_rows(file, elements_read(source.model));
}

}  // namespace kineport
