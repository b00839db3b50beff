// The experiments of a fit: each data file read (common/measurement_file.h) and bound to the
// model: its settings to the variables and parameter elements they set, its columns to the
// variables they measure.
#pragma once

#include <string>
#include <vector>

#include "estimated_parameters.h"
#include "param_reader.h"

namespace kinefit {

// A parameter element p->val[slot][element] and a value for it.
struct ElementValue {
    int slot = 0;
    int element = 0;
    double value = 0.0;
    int estimated = -1;  // >= 0: the value of this estimated parameter (of the problem) instead
};

// One measured value as the fit compares it: residual = (model - value) * weight.
struct DataPoint {
    int time = 0;      // index into ExperimentPlan::times
    int variable = 0;  // from 0
    double value = 0.0;
    double weight = 1.0;  // 1 / sd, or 1 without an sd
    double sd = 0.0;      // 0 when none was given
};

// What a condition sets: initial values of variables (from 0) and parameter elements.
struct ConditionSettings {
    std::vector<std::pair<int, double>> initialValues;
    std::vector<ElementValue> parameterValues;
};

struct ExperimentPlan {
    std::string path;
    std::vector<std::pair<int, double>> initialValues;  // variable (from 0), its initial value
    std::vector<ElementValue> parameterValues;
    // The experiment starts from the steady state its preequilibration condition reaches;
    // then its own parameter values apply, and its initial values replace those of the state.
    bool preequilibrated = false;
    ConditionSettings preequilibration;
    std::vector<double> times;  // the data rows' times, increasing, from 0
    std::vector<DataPoint> points;
    std::vector<int> observed;  // the variables (from 0) with a data column, in column order
};

// Reads the data files and binds them to the model of `file`; a setting of an estimated
// parameter is refused. 0, or -1 after logging the file and line of the first fault.
int plan_experiments(const std::vector<std::string>& dataFiles, const kinesim::ParameterFile& file,
                     const std::vector<EstimatedParameter>& estimated,
                     std::vector<ExperimentPlan>& plans);

// Refuses data that no parameter can change: every value at time 0 and of a differential
// variable, whose initial value is given. 0, or -1 after logging why.
int check_data_depend_on_parameters(const std::vector<ExperimentPlan>& plans, int algebraicCount);

}  // namespace kinefit
