#include "fit_problem.h"

#include <algorithm>
#include <cmath>

#include "own_kinetics.h"
#include "power_law.h"
#include "steady_state.h"

namespace kinefit {

int FitSetup::residual_count() const {
    if (petab_problem()) return petab.residual_count();
    size_t count = 0;
    for (const ExperimentPlan& plan : experiments) count += plan.points.size();
    return static_cast<int>(count);
}

bool FitSetup::all_weighted() const {
    if (petab_problem()) return true;  // every measurement has its noise
    for (const ExperimentPlan& plan : experiments) {
        for (const DataPoint& point : plan.points) {
            if (point.sd <= 0.0) return false;
        }
    }
    return true;
}

double FitSetup::log_sd_sum() const {
    double sum = 0.0;
    for (const ExperimentPlan& plan : experiments) {
        for (const DataPoint& point : plan.points) {
            if (point.sd > 0.0) sum += std::log(point.sd);
        }
    }
    return sum;
}

double FitSetup::data_sum_of_squares() const {
    double sum = 0.0;
    for (const ExperimentPlan& plan : experiments) {
        for (const DataPoint& point : plan.points) sum += std::pow(point.value * point.weight, 2);
    }
    return sum;
}

FitProblem::FitProblem(const FitSetup& setup)
    : setup_(setup),
      inputs_(setup.inputs),
      model_(setup.fvec, setup.fjac, inputs_.parameters.record(), inputs_.variableCount,
             setup.sparse) {
    model_.set_parameter_jacobian(setup.parameterJacobian);
    model_.keep_non_negative(inputs_.powerBases,
                             kinesim::kPowerLawJacobianFloor * setup.settings.absoluteTolerance);
    const StateEventSource& events = setup.stateEvents;
    if (!events.definitions.empty()) {
        kinesim::RateSource rates{[this](const double* y, double* f) { model_.rhs(y, f); },
                                  model_.size()};
        // kinefit loaded the same events on the same labels before the fit, so this succeeds.
        stateEvents_.load(events.path, events.definitions, inputs_.tags, inputs_.algebraicCount,
                          events.file, inputs_.parameters.record(), std::move(rates));
    }
    for (const EstimatedParameter& parameter : setup.estimated) {
        double* value = nullptr;
        columns_.push_back(-1);
        if (parameter.in_model()) {
            value = &inputs_.parameters.at(parameter.slot, parameter.index);
            columns_.back() = static_cast<int>(modelEstimated_.size());
            modelEstimated_.push_back(value);
        }
        estimatedValues_.push_back(value);
    }
    auto time = std::find(inputs_.tags.begin(), inputs_.tags.end(), zymorax::kModelTimeTag);
    if (time != inputs_.tags.end()) timeVariable_ = static_cast<int>(time - inputs_.tags.begin());
    const InitialFormulaSource& starts = setup.initialFormulas;
    // kinefit loaded the same formulas on the same names before the fit, so this succeeds.
    if (!starts.formulas.empty()) {
        initialFormulas_.load(starts.path, starts.formulas, inputs_.tags, inputs_.algebraicCount,
                              starts.file, inputs_.parameters.record());
    }
    std::string unused;  // kinefit bound the same formulas on the same names before the fit
    if (setup.petab_problem()) petab_.bind(setup.petab, setup.estimated, inputs_, unused);
    for (const ExperimentPlan& plan : setup.experiments) {
        sensitivityParameters_.push_back(modelEstimated_);
        aliases_.emplace_back(modelEstimated_.size());
        experimentColumns_.push_back(columns_);
        byValue_.emplace_back();
        for (const EstimatedParameter& parameter : setup.estimated) {
            if (parameter.in_model()) byValue_.back().push_back(parameter.linear);
        }
        for (const ElementValue& set : plan.parameterValues) {
            double* value = &inputs_.parameters.at(set.slot, set.element);
            setValues_.emplace_back(value, *value);
            if (set.estimated < 0) continue;
            int& column = experimentColumns_.back()[set.estimated];
            if (column >= 0) {  // another element set to the same estimated parameter
                aliases_.back()[column].push_back(value);
                continue;
            }
            column = static_cast<int>(sensitivityParameters_.back().size());
            sensitivityParameters_.back().push_back(value);
            aliases_.back().emplace_back();
            byValue_.back().push_back(setup.estimated[set.estimated].linear);
        }
        preequilibrationParameters_.push_back(sensitivityParameters_.back());
        std::fill(preequilibrationParameters_.back().begin() + modelEstimated_.size(),
                  preequilibrationParameters_.back().end(), &unread_);
    }
}

namespace {

ConditionSettings own_settings(const ExperimentPlan& plan) {
    return {plan.initialValues, plan.parameterValues};
}

}  // namespace

void FitProblem::apply(int experiment, const double* logValues, bool before, bool formulas) {
    const ExperimentPlan& plan = setup_.experiments[experiment];
    const ConditionSettings settings = before ? plan.preequilibration : own_settings(plan);
    initial_ = setup_.inputs.initial;
    for (const auto& [variable, value] : settings.initialValues) initial_[variable] = value;
    for (const auto& [value, original] : setValues_) *value = original;
    for (const ElementValue& set : settings.parameterValues) {
        inputs_.parameters.at(set.slot, set.element) =
            set.estimated < 0 ? set.value
                              : setup_.estimated[set.estimated].value_at(logValues[set.estimated]);
    }
    for (size_t j = 0; j < estimatedValues_.size(); ++j) {
        if (estimatedValues_[j] != nullptr)
            *estimatedValues_[j] = setup_.estimated[j].value_at(logValues[j]);
    }
    if (setup_.petab_problem()) petab_.set_values(logValues);
    if (formulas && !initialFormulas_.empty()) {
        std::vector<int> variables;
        std::vector<double*> values;
        kept_by(settings, variables, values);
        initialFormulas_.apply(initial_, variables, values);
    }
}

void FitProblem::kept_by(const ConditionSettings& settings, std::vector<int>& variables,
                         std::vector<double*>& values) {
    for (const auto& set : settings.initialValues) variables.push_back(set.first);
    for (const ElementValue& set : settings.parameterValues) {
        values.push_back(&inputs_.parameters.at(set.slot, set.element));
    }
}

int FitProblem::steady_record(const Course& course) {
    std::vector<double> rates;
    for (size_t k = 0; k < course.states.size() / std::max(course.variables, 1); ++k) {
        if (kinesim::at_rest(model_, inputs_.algebraicCount, &course.states[k * course.variables],
                    setup_.settings, timeVariable_, rates)) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

bool FitProblem::start_of(int e, const double* logValues, bool sensitivities, bool& hasSlopes,
                          std::string& failure) {
    static const std::vector<double*> kNone;
    const ExperimentPlan& plan = setup_.experiments[e];
    apply(e, logValues, plan.preequilibrated);
    hasSlopes = sensitivities && !initialFormulas_.empty();
    if (hasSlopes) {
        std::vector<int> variables;
        std::vector<double*> values;
        kept_by(plan.preequilibrated ? plan.preequilibration : own_settings(plan), variables,
                values);
        const bool own = !plan.preequilibrated;
        initialFormulas_.slopes(initial_,
                                own ? sensitivityParameters_[e] : preequilibrationParameters_[e],
                                variables, values, initialSlopes_, &byValue_[e],
                                own ? &aliases_[e] : nullptr);
    }
    if (!plan.preequilibrated) return true;
    const std::vector<double*>& parameters =
        sensitivities ? preequilibrationParameters_[e] : kNone;
    if (solve_course(model_, inputs_.algebraicCount, initial_, kinesim::steady_times(), setup_.events,
                     parameters, setup_.settings, steady_, failure, state_events(),
                     hasSlopes ? &initialSlopes_ : nullptr, &byValue_[e]) != 0) {
        failure = plan.path + ": the preequilibration: " + failure;
        return false;
    }
    const int k = steady_record(steady_);
    if (k < 0) {
        failure = plan.path + ": the preequilibration reaches no steady state by t = 1e10";
        return false;
    }
    // The experiment's own condition on the steady state: its parameter values, and its
    // initial values in place of the state's.
    apply(e, logValues, false, false);
    const size_t n = static_cast<size_t>(steady_.variables);
    initial_.assign(steady_.states.begin() + k * n, steady_.states.begin() + (k + 1) * n);
    for (const auto& [variable, value] : plan.initialValues) initial_[variable] = value;
    // The model's own time starts again with the experiment.
    if (timeVariable_ >= 0) initial_[timeVariable_] = 0.0;
    hasSlopes = sensitivities;
    if (!sensitivities) return true;
    const size_t count = parameters.size();
    initialSlopes_.assign(steady_.sensitivities.begin() + k * count * n,
                          steady_.sensitivities.begin() + (k + 1) * count * n);
    for (size_t j = 0; j < count; ++j) {
        for (const auto& set : plan.initialValues) initialSlopes_[j * n + set.first] = 0.0;
        if (timeVariable_ >= 0) initialSlopes_[j * n + timeVariable_] = 0.0;
    }
    return true;
}

bool FitProblem::simulate(int experiment, const double* logValues, const std::vector<double>& times,
                          Course& course, std::string& failure) {
    bool hasSlopes = false;
    if (!start_of(experiment, logValues, false, hasSlopes, failure)) return false;
    if (solve_course(model_, inputs_.algebraicCount, initial_, times, setup_.events, {},
                     setup_.settings, course, failure, state_events()) == 0) {
        return true;
    }
    failure = setup_.experiments[experiment].path + ": " + failure;
    return false;
}

bool FitProblem::evaluate(const double* logValues, double* residuals, double* jacobian,
                          std::string& failure) {
    static const std::vector<double*> kNone;
    size_t row = 0;
    for (size_t e = 0; e < setup_.experiments.size(); ++e) {
        const ExperimentPlan& plan = setup_.experiments[e];
        bool slopes = false;
        if (!start_of(static_cast<int>(e), logValues, jacobian != nullptr, slopes, failure))
            return false;
        if (solve_course(model_, inputs_.algebraicCount, initial_, plan.times, setup_.events,
                         jacobian != nullptr ? sensitivityParameters_[e] : kNone,
                         setup_.settings, course_,
                         failure, state_events(), slopes ? &initialSlopes_ : nullptr,
                         &byValue_[e], &aliases_[e]) != 0) {
            failure = plan.path + ": " + failure;
            return false;
        }
        if (!setup_.petab_problem()) {
            add_direct_rows(plan, residuals, jacobian, row);
        } else if (!petab_.residuals(static_cast<int>(e), course_, logValues,
                                     experimentColumns_[e], residuals, jacobian, row, failure)) {
            return false;
        }
    }
    return true;
}

// Data that measure variables themselves: (model - value) * weight.
void FitProblem::add_direct_rows(const ExperimentPlan& plan, double* residuals, double* jacobian,
                                 size_t& row) const {
    size_t k = estimatedValues_.size();
    for (const DataPoint& point : plan.points) {
        residuals[row] = (course_.state(point.time, point.variable) - point.value) * point.weight;
        for (size_t j = 0; jacobian != nullptr && j < k; ++j) {
            jacobian[row * k + j] =
                course_.sensitivity(point.time, static_cast<int>(j), point.variable) * point.weight;
        }
        ++row;
    }
}

}  // namespace kinefit
