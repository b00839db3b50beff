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

// The log values that ended on their bounds: a search that stops there has not found a
// minimum of the objective, only of the box.
std::vector<int> on_bounds(const FitProblem& problem, const std::vector<double>& logValues) {
    std::vector<int> held;
    for (size_t j = 0; j < logValues.size(); ++j) {
        const EstimatedParameter& parameter = problem.setup().estimated[j];
        for (double bound : {parameter.search_lower(), parameter.search_upper()}) {
            if (std::fabs(logValues[j] - bound) <= 1e-9 * std::max(1.0, std::fabs(bound))) {
                held.push_back(static_cast<int>(j));
                break;
            }
        }
    }
    return held;
}

// Rounds of a search that stopped on a bound: the projected steps of the trust region shrink to
// nothing against a bound that the step points through, though the other values could still
// move. Each round holds the values on their bounds and searches the others, then frees all.
constexpr int kBoundRounds = 3;

// One search from x within the bounds, the values `held` kept as they are.
void solve_within_bounds(FitProblem& problem, FitCost& cost, double* x, const std::vector<int>& held,
                         int maxIterations, ceres::Solver::Summary& summary) {
    ceres::Problem::Options problemOptions;
    problemOptions.cost_function_ownership = ceres::DO_NOT_TAKE_OWNERSHIP;
    problemOptions.manifold_ownership = ceres::TAKE_OWNERSHIP;
    ceres::Problem leastSquares(problemOptions);
    leastSquares.AddResidualBlock(&cost, nullptr, x);
    const int k = problem.setup().parameter_count();
    if (!held.empty() && static_cast<int>(held.size()) < k)
        leastSquares.SetManifold(x, new ceres::SubsetManifold(k, held));
    for (int j = 0; j < k; ++j) {
        const EstimatedParameter& parameter = problem.setup().estimated[j];
        leastSquares.SetParameterLowerBound(x, j, parameter.search_lower());
        leastSquares.SetParameterUpperBound(x, j, parameter.search_upper());
    }
    ceres::Solve(solver_options(maxIterations), &leastSquares, &summary);
}

// A search whose simulation fails is reported by kinefit; Ceres's own log would only repeat it
// on standard error.
void silence_ceres_log() {
    static std::once_flag quiet;
    std::call_once(quiet, [] { FLAGS_minloglevel = google::GLOG_FATAL; });
}

// Ceres lists the starting point as iteration 0; it is not an iteration of the search.
int iterations_of(const ceres::Solver::Summary& summary) {
    return summary.iterations.empty() ? 0 : static_cast<int>(summary.iterations.size()) - 1;
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

bool search_holding(FitProblem& problem, std::vector<double>& x, const std::vector<int>& held,
                    int maxIterations, double& chi2, std::string& failure) {
    silence_ceres_log();
    FitCost cost(problem);
    const int k = problem.setup().parameter_count();
    if (static_cast<int>(held.size()) >= k) {  // nothing left to search: the objective there
        std::vector<double> residuals(static_cast<size_t>(problem.setup().residual_count()));
        if (!problem.evaluate(x.data(), residuals.data(), nullptr, failure)) return false;
        chi2 = 0.0;
        for (double r : residuals) chi2 += r * r;
        return true;
    }
    ceres::Solver::Summary summary;
    solve_within_bounds(problem, cost, x.data(), held, maxIterations, summary);
    if (!summary.IsSolutionUsable()) {
        failure = cost.last_failure().empty() ? summary.message : cost.last_failure();
        return false;
    }
    chi2 = 2.0 * summary.final_cost;
    return true;
}

StartResult search_from(FitProblem& problem, const std::vector<double>& logStart, int start,
                        int maxIterations) {
    silence_ceres_log();
    StartResult result;
    result.start = start;
    result.logValues = logStart;
    FitCost cost(problem);
    double* x = result.logValues.data();
    ceres::Solver::Summary summary;
    solve_within_bounds(problem, cost, x, {}, maxIterations, summary);
    result.iterations = iterations_of(summary);
    result.outcome = outcome_of(summary);
    for (int round = 0; round < kBoundRounds && result.outcome == StartOutcome::Converged;
         ++round) {
        std::vector<int> held = on_bounds(problem, result.logValues);
        const double before = summary.final_cost;
        if (held.empty() || result.iterations >= maxIterations) break;
        for (const std::vector<int>& keep : {held, std::vector<int>{}}) {
            if (result.iterations >= maxIterations) break;
            std::vector<double> trial = result.logValues;
            ceres::Solver::Summary next;
            solve_within_bounds(problem, cost, trial.data(), keep,
                                maxIterations - result.iterations, next);
            result.iterations += iterations_of(next);
            if (!next.IsSolutionUsable() || next.final_cost > summary.final_cost) continue;
            result.logValues = trial;
            summary = next;
            result.outcome = outcome_of(summary);
        }
        if (before - summary.final_cost <= 1e-9 * before) break;
    }
    if (result.outcome == StartOutcome::Converged && !on_bounds(problem, result.logValues).empty())
        result.outcome = StartOutcome::AtBound;
    result.chi2 = 2.0 * summary.final_cost;
    if (!result.usable()) {
        result.message = cost.last_failure().empty() ? summary.message : cost.last_failure();
    }
    return result;
}

}  // namespace kinefit
