#include "petab_problem.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "format.h"
#include "log.h"
#include "text_io.h"

namespace kinefit {

namespace {

using zymorax::format;

int row_fault(const PetabTable& table, size_t row, const std::string& what) {
    log_sys("%s: %s\n", table.where(row).c_str(), what.c_str());
    return -1;
}

// The columns a table must have, by position; -1 after logging the first one missing.
int require_columns(const PetabTable& table, const std::vector<std::string>& names,
                    std::vector<int>& positions) {
    positions.clear();
    for (const std::string& name : names) {
        int c = table.column(name);
        if (c < 0) {
            log_sys("%s: the table has no column '%s'.\n", table.path.c_str(), name.c_str());
            return -1;
        }
        positions.push_back(c);
    }
    return 0;
}

bool parse_cell_number(const std::string& text, double& value) {
    if (text == "inf" || text == "Inf") {
        value = HUGE_VAL;
        return true;
    }
    return zymorax::parse_number(text, value);
}

// The model's quantities by tag: PARAM rows (parameters, compartments) and Y_START rows.
struct ModelNames {
    std::map<std::string, kinesim::ParamValueRow*> params;
    std::map<std::string, const kinesim::StartRow*> starts;

    explicit ModelNames(kinesim::ParameterFile& file) {
        for (kinesim::ParamValueRow& row : file.params) params.emplace(row.tag, &row);
        for (const kinesim::StartRow& row : file.starts) starts.emplace(row.tag, &row);
    }
};

bool code_reads(const kinesim::CodeFacts& code, const std::string& label, int index) {
    auto found = code.elements.find(label);
    return found != code.elements.end() && found->second.count(index) > 0;
}

struct TableRow {
    std::string id, scale;
    double lower = 0.0, upper = 0.0, nominal = 0.0;
    bool estimate = false;
};

int read_parameter_row(const PetabTable& table, size_t r, const std::vector<int>& c,
                       TableRow& row) {
    row.id = table.cell(r, c[0]);
    row.scale = table.cell(r, c[1]);
    const std::string& estimate = table.cell(r, c[5]);
    if (row.id.empty()) return row_fault(table, r, "parameterId is empty");
    if (row.scale != "lin" && row.scale != "log" && row.scale != "log10")
        return row_fault(table, r, "parameterScale '" + row.scale + "' is not lin, log or log10");
    if (estimate != "0" && estimate != "1")
        return row_fault(table, r, "estimate '" + estimate + "' is not 0 or 1");
    row.estimate = estimate == "1";
    if (!parse_cell_number(table.cell(r, c[4]), row.nominal) || std::isinf(row.nominal))
        return row_fault(table, r, "nominalValue '" + table.cell(r, c[4]) + "' is no number");
    if (!row.estimate) return 0;
    if (!parse_cell_number(table.cell(r, c[2]), row.lower) ||
        !parse_cell_number(table.cell(r, c[3]), row.upper) || std::isinf(row.lower) ||
        std::isinf(row.upper) || !(row.lower < row.upper)) {
        return row_fault(table, r,
                         "an estimated parameter needs finite bounds lowerBound < upperBound");
    }
    if (row.scale != "lin" && !(row.lower > 0.0))
        return row_fault(table, r, "a parameter on a log scale needs lowerBound > 0");
    return 0;
}

void estimate_model_element(const kinesim::ParameterFile& file,
                            const kinesim::ParamValueRow& element, EstimatedParameter& parameter) {
    parameter.line = element.line;
    parameter.label = element.label;
    parameter.index = element.index;
    parameter.slot = label_slot(file, element.label);
}

int select_row(const PetabTable& table, size_t r, const TableRow& row, ModelNames& names,
               kinesim::ParameterFile& file, const kinesim::CodeFacts& code,
               std::vector<EstimatedParameter>& estimated, PetabSetup& setup) {
    if (names.starts.count(row.id) > 0) {
        return row_fault(table, r,
                         row.id +
                             " is a variable of the model; set initial values in the "
                             "condition table");
    }
    EstimatedParameter parameter;
    parameter.tag = row.id;
    parameter.lower = row.lower;
    parameter.upper = row.upper;
    parameter.linear = row.scale == "lin";
    parameter.tableLine = table.lines[r];
    parameter.nominal = row.nominal;
    auto element = names.params.find(row.id);
    // An estimated parameter of the model that no equation reads can only act through the
    // observables: it is a value of the problem.
    if (element != names.params.end() && row.estimate &&
        !code_reads(code, element->second->label, element->second->index)) {
        element = names.params.end();
    }
    if (element != names.params.end()) {
        element->second->value.blank = false;
        element->second->value.value = row.nominal;
        if (row.estimate) estimate_model_element(file, *element->second, parameter);
    } else {
        parameter.problemValue = static_cast<int>(setup.problemValues.size());
        setup.problemValues.push_back({row.id, row.nominal});
    }
    if (row.estimate) estimated.push_back(parameter);
    return 0;
}

}  // namespace

int select_petab_estimated(const PetabFiles& files, kinesim::ParameterFile& file,
                           const kinesim::CodeFacts& code,
                           std::vector<EstimatedParameter>& estimated, PetabSetup& setup) {
    const PetabTable& table = files.parameters;
    std::vector<int> c;
    if (require_columns(table,
                        {"parameterId", "parameterScale", "lowerBound", "upperBound",
                         "nominalValue", "estimate"},
                        c) != 0) {
        return -1;
    }
    ModelNames names(file);
    std::map<std::string, int> seen;
    estimated.clear();
    for (size_t r = 0; r < table.rows.size(); ++r) {
        TableRow row;
        if (read_parameter_row(table, r, c, row) != 0) return -1;
        if (!seen.emplace(row.id, table.lines[r]).second)
            return row_fault(
                table, r,
                row.id + " has a row already (line " + std::to_string(seen[row.id]) + ")");
        if (select_row(table, r, row, names, file, code, estimated, setup) != 0) return -1;
    }
    if (estimated.empty()) {
        log_sys("%s: no parameter has estimate 1.\n", table.path.c_str());
        return -1;
    }
    return 0;
}

namespace {

// The problem's parameters by id: estimated ones by their index, fixed ones by their value.
struct ParameterLookup {
    std::map<std::string, int> estimatedIndex;
    std::map<std::string, double> fixedValue;
    const std::vector<EstimatedParameter>& estimated;

    ParameterLookup(const PetabFiles& files, const std::vector<EstimatedParameter>& estimated)
        : estimated(estimated) {
        for (size_t j = 0; j < estimated.size(); ++j)
            estimatedIndex[estimated[j].tag] = static_cast<int>(j);
        const PetabTable& table = files.parameters;
        int id = table.column("parameterId"), nominal = table.column("nominalValue");
        for (size_t r = 0; r < table.rows.size(); ++r) {
            double value = 0.0;
            if (parse_cell_number(table.cell(r, nominal), value))
                fixedValue.emplace(table.cell(r, id), value);
        }
    }

    // A cell that gives a number or names a parameter of the table; false with `why`.
    bool value_of(const std::string& text, CellValue& value, std::string& why) const {
        if (parse_cell_number(text, value.number)) return true;
        auto found = estimatedIndex.find(text);
        if (found != estimatedIndex.end()) {
            value.estimated = found->second;
            return true;
        }
        auto fixed = fixedValue.find(text);
        if (fixed != fixedValue.end()) {
            value.number = fixed->second;
            return true;
        }
        why = "'" + text + "' is neither a number nor a parameter of the parameter table";
        return false;
    }
};

struct ConditionRow {
    const PetabTable* table = nullptr;
    size_t row = 0;
};

int index_conditions(const PetabFiles& files, std::map<std::string, ConditionRow>& conditions) {
    for (const PetabTable& table : files.conditions) {
        int id = table.column("conditionId");
        if (id < 0) {
            log_sys("%s: the table has no column 'conditionId'.\n", table.path.c_str());
            return -1;
        }
        for (size_t r = 0; r < table.rows.size(); ++r) {
            if (!conditions.emplace(table.cell(r, id), ConditionRow{&table, r}).second)
                return row_fault(table, r, "conditionId '" + table.cell(r, id) + "' again");
        }
    }
    return 0;
}

// The settings of one condition row: each column other than its id and name is a model
// quantity, set to the cell's number or fixed parameter.
int bind_condition(const ConditionRow& condition, const kinesim::ParameterFile& file,
                   const ParameterLookup& lookup, ExperimentPlan& plan) {
    const PetabTable& table = *condition.table;
    for (size_t c = 0; c < table.columns.size(); ++c) {
        const std::string& id = table.columns[c];
        if (id == "conditionId" || id == "conditionName") continue;
        const std::string& text = table.rows[condition.row][c];
        CellValue value;
        std::string why;
        if (text.empty() || text == "NaN" || text == "nan") continue;  // the model's own value
        if (lookup.estimatedIndex.count(id) > 0) {
            return row_fault(table, condition.row,
                             "the column '" + id + "' sets a parameter that is estimated");
        }
        if (!lookup.value_of(text, value, why))
            return row_fault(table, condition.row, id + ": " + why);
        auto start = std::find_if(file.starts.begin(), file.starts.end(),
                                  [&](const kinesim::StartRow& row) { return row.tag == id; });
        // A parameter of the problem stands for a model parameter in this condition; the
        // sensitivities follow it there.
        if (value.estimated >= 0 &&
            (start != file.starts.end() || lookup.estimated[value.estimated].in_model())) {
            return row_fault(table, condition.row,
                             id + " is set to the estimated parameter " + text +
                                 "; kinefit sets model parameters (not initial values) to "
                                 "estimated parameters that the model does not have itself");
        }
        if (start != file.starts.end()) {
            plan.initialValues.emplace_back(start->index - 1, value.number);
            continue;
        }
        auto param = std::find_if(file.params.begin(), file.params.end(),
                                  [&](const kinesim::ParamValueRow& row) { return row.tag == id; });
        if (param == file.params.end()) {
            return row_fault(table, condition.row,
                             "the column '" + id +
                                 "' names no variable, parameter or "
                                 "compartment of the model");
        }
        plan.parameterValues.push_back(
            {label_slot(file, param->label), param->index, value.number, value.estimated});
    }
    return 0;
}

struct ObservableIndex {
    std::map<std::string, int> byId;
};

int read_observables(const PetabFiles& files, PetabSetup& setup, ObservableIndex& index) {
    for (const PetabTable& table : files.observables) {
        std::vector<int> c;
        if (require_columns(table, {"observableId", "observableFormula", "noiseFormula"}, c) != 0)
            return -1;
        int scale = table.column("observableTransformation");
        int distribution = table.column("noiseDistribution");
        for (size_t r = 0; r < table.rows.size(); ++r) {
            PetabObservable observable;
            observable.id = table.cell(r, c[0]);
            observable.formula = table.cell(r, c[1]);
            observable.noiseFormula = table.cell(r, c[2]);
            observable.where = table.where(r);
            const std::string& transform = table.cell(r, scale);
            if (transform == "log") {
                observable.scale = ObservableScale::Log;
            } else if (transform == "log10") {
                observable.scale = ObservableScale::Log10;
            } else if (!transform.empty() && transform != "lin") {
                return row_fault(
                    table, r,
                    "observableTransformation '" + transform + "' is not lin, log or log10");
            }
            const std::string& noise = table.cell(r, distribution);
            if (!noise.empty() && noise != "normal") {
                return row_fault(table, r,
                                 "noiseDistribution '" + noise +
                                     "': kinefit fits normal noise (on the observable's scale)");
            }
            if (observable.id.empty() || observable.formula.empty() ||
                observable.noiseFormula.empty()) {
                return row_fault(table, r,
                                 "observableId, observableFormula and noiseFormula are needed");
            }
            if (!index.byId.emplace(observable.id, static_cast<int>(setup.observables.size()))
                     .second)
                return row_fault(table, r, "observableId '" + observable.id + "' again");
            setup.observables.push_back(observable);
        }
    }
    return 0;
}

// "a;b;c" as values.
int read_overrides(const PetabTable& table, size_t r, int column, const ParameterLookup& lookup,
                   std::vector<CellValue>& values) {
    const std::string& text = table.cell(r, column);
    if (text.empty()) return 0;
    size_t from = 0;
    for (size_t semicolon; from <= text.size(); from = semicolon + 1) {
        semicolon = text.find(';', from);
        if (semicolon == std::string::npos) semicolon = text.size();
        CellValue value;
        std::string why;
        if (!lookup.value_of(zymorax::trim(text.substr(from, semicolon - from)), value, why))
            return row_fault(table, r, table.columns[column] + ": " + why);
        values.push_back(value);
    }
    return 0;
}

// The preequilibration condition of an experiment: its settings, which stand for estimated
// parameters nowhere (the sensitivities of both phases follow the same parameters).
int bind_preequilibration(const ConditionRow& row, const kinesim::ParameterFile& file,
                          const ParameterLookup& lookup, ExperimentPlan& plan) {
    ExperimentPlan phase;
    if (bind_condition(row, file, lookup, phase) != 0) return -1;
    for (const ExperimentPlan* p : {&phase, &plan}) {
        for (const ElementValue& set : p->parameterValues) {
            if (set.estimated < 0) continue;
            return row_fault(*row.table, row.row,
                             "a condition of a preequilibrated experiment sets a parameter to "
                             "an estimated one; kinefit does not yet follow such settings "
                             "through the steady state");
        }
    }
    plan.preequilibrated = true;
    plan.preequilibration.initialValues = std::move(phase.initialValues);
    plan.preequilibration.parameterValues = std::move(phase.parameterValues);
    return 0;
}

// The experiment of a simulation condition after a preequilibration condition (or none), made
// on first use; -2 when `missing` names a condition the table lacks.
int experiment_of(const std::string& preequilibration, const std::string& condition,
                  const std::map<std::string, ConditionRow>& rows,
                  const kinesim::ParameterFile& file, const ParameterLookup& lookup,
                  std::map<std::string, int>& made, std::vector<ExperimentPlan>& plans,
                  PetabSetup& setup, std::string& missing) {
    const std::string key = preequilibration + "\t" + condition;
    auto found = made.find(key);
    if (found != made.end()) return found->second;
    auto row = rows.find(condition);
    auto before = rows.find(preequilibration);
    missing = row == rows.end() ? condition : preequilibration;
    if (row == rows.end() || (!preequilibration.empty() && before == rows.end())) return -2;
    plans.emplace_back();
    const std::string name =
        preequilibration.empty() ? condition : condition + " after " + preequilibration;
    plans.back().path = setup.yamlPath + " (condition " + name + ")";
    if (bind_condition(row->second, file, lookup, plans.back()) != 0 ||
        (!preequilibration.empty() &&
         bind_preequilibration(before->second, file, lookup, plans.back()) != 0)) {
        return -1;
    }
    setup.experimentNames.push_back(name);
    int e = static_cast<int>(plans.size()) - 1;
    made[key] = e;
    return e;
}

int read_point(const PetabTable& table, size_t r, const std::vector<int>& c,
               const ObservableIndex& observables, const ParameterLookup& lookup,
               PetabPoint& point) {
    auto observable = observables.byId.find(table.cell(r, c[0]));
    if (observable == observables.byId.end())
        return row_fault(table, r, "observableId '" + table.cell(r, c[0]) + "' is no observable");
    point.observable = observable->second;
    point.where = table.where(r);
    if (!zymorax::parse_number(table.cell(r, c[2]), point.measurement))
        return row_fault(table, r, "measurement '" + table.cell(r, c[2]) + "' is no number");
    if (!parse_cell_number(table.cell(r, c[3]), point.timeValue) || point.timeValue < 0.0)
        return row_fault(table, r, "time '" + table.cell(r, c[3]) + "' is no time from 0 on");
    if (std::isinf(point.timeValue)) {
        return row_fault(table, r,
                         "a measurement at steady state (time inf); kinefit fits time courses");
    }
    return read_overrides(table, r, table.column("observableParameters"), lookup,
                          point.observableParameters) != 0 ||
                   read_overrides(table, r, table.column("noiseParameters"), lookup,
                                  point.noiseParameters) != 0
               ? -1
               : 0;
}

int read_measurements(const PetabFiles& files, const kinesim::ParameterFile& file,
                      const ParameterLookup& lookup, const ObservableIndex& observables,
                      std::vector<ExperimentPlan>& plans, PetabSetup& setup) {
    std::map<std::string, ConditionRow> conditions;
    if (index_conditions(files, conditions) != 0) return -1;
    std::map<std::string, int> made;
    for (const PetabTable& table : files.measurements) {
        std::vector<int> c;
        if (require_columns(table, {"observableId", "simulationConditionId", "measurement", "time"},
                            c) != 0)
            return -1;
        int preequilibration = table.column("preequilibrationConditionId");
        for (size_t r = 0; r < table.rows.size(); ++r) {
            PetabPoint point;
            if (read_point(table, r, c, observables, lookup, point) != 0) return -1;
            std::string missing;
            point.experiment = experiment_of(table.cell(r, preequilibration), table.cell(r, c[1]),
                                             conditions, file, lookup, made, plans, setup, missing);
            if (point.experiment == -2) {
                const char* column = missing == table.cell(r, c[1])
                                         ? "simulationConditionId"
                                         : "preequilibrationConditionId";
                return row_fault(table, r,
                                 std::string(column) + " '" + missing +
                                     "' is no condition of the condition table");
            }
            if (point.experiment < 0) return -1;
            setup.points.push_back(point);
        }
    }
    if (setup.points.empty()) {
        log_sys("%s: the problem has no measurements.\n", files.yamlPath.c_str());
        return -1;
    }
    return 0;
}

// Each experiment's times: those of its points, increasing, from 0.
void lay_out_times(std::vector<ExperimentPlan>& plans, PetabSetup& setup) {
    for (const PetabPoint& point : setup.points)
        plans[point.experiment].times.push_back(point.timeValue);
    for (ExperimentPlan& plan : plans) {
        std::sort(plan.times.begin(), plan.times.end());
        plan.times.erase(std::unique(plan.times.begin(), plan.times.end()), plan.times.end());
    }
    for (PetabPoint& point : setup.points) {
        const std::vector<double>& times = plans[point.experiment].times;
        point.time = static_cast<int>(
            std::lower_bound(times.begin(), times.end(), point.timeValue) - times.begin());
    }
}

}  // namespace

std::vector<char> PetabSetup::noise_rows(int experiments) const {
    std::vector<char> rows;
    for (int e = 0; e < experiments; ++e) {
        for (const PetabPoint& point : points) {
            if (point.experiment != e) continue;
            rows.push_back(0);
            if (point.noiseTerm) rows.push_back(1);
        }
    }
    return rows;
}

int plan_petab_experiments(const PetabFiles& files, const kinesim::ParameterFile& file,
                           const std::vector<EstimatedParameter>& estimated,
                           std::vector<ExperimentPlan>& plans, PetabSetup& setup) {
    setup.yamlPath = files.yamlPath;
    for (const kinesim::ParamValueRow& row : file.params)
        setup.modelElements.emplace(row.tag,
                                    std::make_pair(label_slot(file, row.label), row.index));
    ParameterLookup lookup(files, estimated);
    ObservableIndex observables;
    plans.clear();
    if (read_observables(files, setup, observables) != 0 ||
        read_measurements(files, file, lookup, observables, plans, setup) != 0) {
        return -1;
    }
    lay_out_times(plans, setup);
    return 0;
}

}  // namespace kinefit
