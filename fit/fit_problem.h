// The fit as a least-squares problem in the logs of the estimated parameters: the weighted
// residuals (model - data) / sd of every experiment and their derivatives.
#pragma once

#include <string>
#include <vector>

#include "compiled_model.h"
#include "course_solver.h"
#include "dae_solver.h"
#include "estimated_parameters.h"
#include "experiments.h"
#include "initial_formulas.h"
#include "model_inputs.h"
#include "petab_objective.h"
#include "petab_problem.h"
#include "state_events.h"

namespace kinefit {

// An events file's events, applied in every experiment; the parameter file's labels and PARAM
// rows name the parameter elements their math reads.
struct StateEventSource {
    std::string path;
    std::vector<kinesim::EventDefinition> definitions;
    kinesim::ParameterFile file;
};

// An initial-values file's formulas, computed in every experiment from its values.
struct InitialFormulaSource {
    std::string path;
    std::vector<kinesim::InitialFormulaText> formulas;
    kinesim::ParameterFile file;
};

// Everything a fit reads and no search changes, shared by the threads.
struct FitSetup {
    kinesim::UsrFvec fvec = nullptr;
    kinesim::UsrFjac fjac = nullptr;
    kinesim::SparseJacobianCode sparse;
    kinesim::ParameterJacobianCode parameterJacobian;
    kinesim::ModelInputs inputs;  // the values of the parameter file
    std::vector<EstimatedParameter> estimated;
    std::vector<ExperimentPlan> experiments;
    std::vector<kinesim::TimeEvent> events;  // the parameter file's, applied in every experiment
    StateEventSource stateEvents;
    InitialFormulaSource initialFormulas;
    kinesim::SolverSettings settings;
    PetabSetup petab;  // a PEtab problem's observables and measurements (no points otherwise)

    bool petab_problem() const { return !petab.points.empty(); }
    int parameter_count() const { return static_cast<int>(estimated.size()); }
    int residual_count() const;
    // Whether every measured value came with a standard deviation.
    bool all_weighted() const;
    // sum of log sd over the values, 0 for those without one (for the Gaussian likelihood).
    double log_sd_sum() const;
    // sum of (weight * value)^2: the chi2 of a model that predicts 0 everywhere, the data's scale.
    double data_sum_of_squares() const;
};

// One search's view of the fit: its own copy of the values, so that threads never share what
// they change. `setup` must outlive it.
class FitProblem {
  public:
    explicit FitProblem(const FitSetup& setup);
    FitProblem(const FitProblem&) = delete;
    FitProblem& operator=(const FitProblem&) = delete;

    const FitSetup& setup() const { return setup_; }

    // The weighted residuals at the log parameters `logValues`, and with `jacobian` their
    // derivatives by them (row-major, residuals x parameters). False with `failure` naming the
    // experiment when a simulation failed.
    bool evaluate(const double* logValues, double* residuals, double* jacobian,
                  std::string& failure);

    // Experiment e's course at `times` (no sensitivities). False with `failure` set.
    bool simulate(int experiment, const double* logValues, const std::vector<double>& times,
                  Course& course, std::string& failure);

  private:
    // Sets the initial values and parameters of experiment e (of its preequilibration when
    // `before`), with the estimated values; the initial formulas with `formulas`.
    void apply(int experiment, const double* logValues, bool before = false, bool formulas = true);
    // The start of experiment e: initial_ and, with `sensitivities`, initialSlopes_ (true in
    // hasSlopes); a preequilibrated experiment starts from its steady state. False with
    // `failure` set.
    bool start_of(int experiment, const double* logValues, bool sensitivities, bool& hasSlopes,
                  std::string& failure);
    // The first record of a course to times 10^-2 .. 10^10 at which the rates have come to
    // rest, or -1.
    int steady_record(const Course& course);
    kinesim::StateEvents* state_events() { return stateEvents_.empty() ? nullptr : &stateEvents_; }
    void add_direct_rows(const ExperimentPlan& plan, double* residuals, double* jacobian,
                         size_t& row) const;
    // What experiment e sets itself, which the initial formulas leave as it is.
    void kept_by(const ConditionSettings& settings, std::vector<int>& variables,
                 std::vector<double*>& values);

    const FitSetup& setup_;
    kinesim::ModelInputs inputs_;
    kinesim::ModelFunctions model_;
    std::vector<double*> estimatedValues_;  // nullptr for a value of the PEtab problem
    std::vector<double*> modelEstimated_;   // those of the model: the sensitivities' order
    std::vector<int> columns_;              // estimated j -> its sensitivity, -1 outside the model
    // Per experiment: modelEstimated_ and the elements its condition sets to estimated values
    // of the problem, and the columns with those.
    std::vector<std::vector<double*>> sensitivityParameters_;
    std::vector<kinesim::ParameterAliases> aliases_;  // the other elements set to the same value
    // The same for a preequilibration, whose condition sets none of those elements: each
    // stands in by an element no equation reads, whose sensitivities stay 0 there.
    std::vector<std::vector<double*>> preequilibrationParameters_;
    double unread_ = 0.0;
    std::vector<std::vector<int>> experimentColumns_;
    std::vector<std::vector<char>> byValue_;  // per experiment and sensitivity: a linear search
    std::vector<std::pair<double*, double>> setValues_;  // what some experiment sets: its default
    std::vector<double> initial_;
    std::vector<double> initialSlopes_;  // d initial / d log p of modelEstimated_, [j * n + i]
    Course steady_;                      // a preequilibration's course
    int timeVariable_ = -1;              // the model's own time (kinelaw's), if a variable
    kinesim::InitialFormulas initialFormulas_;
    Course course_;
    kinesim::StateEvents stateEvents_;  // on this problem's own values
    PetabObjective petab_;
};

}  // namespace kinefit
