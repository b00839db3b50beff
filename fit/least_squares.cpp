#include "least_squares.h"

#include <ceres/ceres.h>
#include <glog/logging.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace kinefit {

namespace {

// All residuals of the fit as one block over one parameter block, the log parameters.
class FitCost : public ceres::CostFunction {
  public:
    explicit FitCost(FitProblem& problem) : problem_(problem) {
        set_num_residuals(problem.setup().residual_count());
        mutable_parameter_block_sizes()->push_back(problem.setup().parameter_count());
    }

    bool Evaluate(double const* const* parameters, double* residuals,
                  double** jacobians) const override {
        double* jacobian = jacobians != nullptr ? jacobians[0] : nullptr;
        return problem_.evaluate(parameters[0], residuals, jacobian, lastFailure_);
    }

    const std::string& last_failure() const { return lastFailure_; }

  private:
    FitProblem& problem_;
    mutable std::string lastFailure_;
};

ceres::Solver::Options solver_options(int maxIterations) {
    ceres::Solver::Options options;
    options.minimizer_type = ceres::TRUST_REGION;
    options.trust_region_strategy_type = ceres::LEVENBERG_MARQUARDT;
    options.linear_solver_type = ceres::DENSE_QR;
    options.max_num_iterations = maxIterations;
    options.function_tolerance = 1e-12;
    options.parameter_tolerance = 1e-10;
    options.gradient_tolerance = 1e-14;
    options.max_num_consecutive_invalid_steps = 10;
    options.num_threads = 1;  // the starts run in parallel instead
    options.logging_type = ceres::SILENT;
    return options;
}

StartOutcome outcome_of(const ceres::Solver::Summary& summary) {
    if (!summary.IsSolutionUsable()) return StartOutcome::Failed;
    return summary.termination_type == ceres::NO_CONVERGENCE ? StartOutcome::IterationLimit
                                                             : StartOutcome::Converged;
}

// Whether a log value ended on its bound: a search that stops there has not found a minimum
// of the objective, only of the box.
bool on_a_bound(const FitProblem& problem, const std::vector<double>& logValues) {
    for (size_t j = 0; j < logValues.size(); ++j) {
        const EstimatedParameter& parameter = problem.setup().estimated[j];
        for (double bound : {parameter.search_lower(), parameter.search_upper()}) {
            if (std::fabs(logValues[j] - bound) <= 1e-9 * std::max(1.0, std::fabs(bound)))
                return true;
        }
    }
    return false;
}

}  // namespace

const char* outcome_name(StartOutcome outcome) {
    switch (outcome) {
        case StartOutcome::Converged:
            return "converged";
        case StartOutcome::IterationLimit:
            return "iteration limit";
        case StartOutcome::AtBound:
            return "on a bound";
        default:
            return "failed";
    }
}

StartResult search_from(FitProblem& problem, const std::vector<double>& logStart, int start,
                        int maxIterations) {
    // A start whose simulation fails is reported in the table; Ceres's own log would only
    // repeat it on standard error.
    static std::once_flag quiet;
    std::call_once(quiet, [] { FLAGS_minloglevel = google::GLOG_FATAL; });
    StartResult result;
    result.start = start;
    result.logValues = logStart;
    FitCost cost(problem);
    ceres::Problem::Options problemOptions;
    problemOptions.cost_function_ownership = ceres::DO_NOT_TAKE_OWNERSHIP;
    ceres::Problem leastSquares(problemOptions);
    double* x = result.logValues.data();
    leastSquares.AddResidualBlock(&cost, nullptr, x);
    for (size_t j = 0; j < logStart.size(); ++j) {
        const EstimatedParameter& parameter = problem.setup().estimated[j];
        leastSquares.SetParameterLowerBound(x, static_cast<int>(j), parameter.search_lower());
        leastSquares.SetParameterUpperBound(x, static_cast<int>(j), parameter.search_upper());
    }
    ceres::Solver::Summary summary;
    ceres::Solve(solver_options(maxIterations), &leastSquares, &summary);
    result.outcome = outcome_of(summary);
    if (result.outcome == StartOutcome::Converged && on_a_bound(problem, result.logValues))
        result.outcome = StartOutcome::AtBound;
    result.chi2 = 2.0 * summary.final_cost;
    // Ceres lists the starting point as iteration 0; it is not an iteration of the search.
    result.iterations =
        summary.iterations.empty() ? 0 : static_cast<int>(summary.iterations.size()) - 1;
    if (!result.usable()) {
        result.message = cost.last_failure().empty() ? summary.message : cost.last_failure();
    }
    return result;
}

}  // namespace kinefit
