// The residuals of a PEtab problem's measurements and their exact derivatives by the search's
// coordinates: observable h and noise sigma are formulas of the model's state and parameters,
// of the problem's own values and of the measurement's overrides (observableParameter<n>_<id>,
// noiseParameter<n>_<id>). The state's part of a derivative comes from the sensitivities.
//
// Each measurement gives (t(h) - t(m)) / sigma; one whose sigma changes with the search adds
// sqrt(2 log sigma + kNoiseShift), so that half the sum of squares is the negative
// log-likelihood up to PetabSetup::offset.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "course_solver.h"
#include "event_math.h"
#include "model_inputs.h"
#include "petab_problem.h"

namespace kinefit {

class PetabObjective {
  public:
    // Parses the formulas on `inputs` (the search's own values). 0, or -1 with `problem` naming
    // the observable's row.
    int bind(const PetabSetup& setup, const std::vector<EstimatedParameter>& estimated,
             kinesim::ModelInputs& inputs, std::string& problem);

    // Whether point p's sigma changes with the search, and its log where it does not.
    bool noise_varies(int p) const;
    double fixed_log_sigma(int p);

    // The problem values at the search's coordinates x.
    void set_values(const double* x);

    // The rows of experiment e's points from `course` (sensitivities in `columns`: the
    // estimated parameter j is column columns[j] of the course, -1 outside the model), from
    // row `row` on, which it advances. False with `failure` naming the measurement.
    bool residuals(int experiment, const Course& course, const double* x,
                   const std::vector<int>& columns, double* residuals, double* jacobian,
                   size_t& row, std::string& failure);

  private:
    // What a value read by a formula is, for its derivative.
    struct ValueRole {
        int estimated = -1;    // the value of this estimated parameter
        int placeholder = -1;  // or observable (0..) / noise (kPlaceholders..) override n
    };
    struct Formulas {
        kinesim::EventMath observable, noise;
        std::vector<ValueRole> observableRoles, noiseRoles;
    };
    static constexpr int kPlaceholders = 32;

    int parse(const std::string& text, int observable, bool noise, kinesim::EventMath& math,
              std::string& problem);
    std::vector<ValueRole> roles_of(const kinesim::EventMath& math) const;
    void set_overrides(const PetabPoint& point, const double* x);
    int estimated_of(const ValueRole& role, const PetabPoint& point) const;
    // d formula / d x_j into `out` (size of the estimated parameters).
    void derivative(const kinesim::EventMath& math, const std::vector<ValueRole>& roles,
                    const PetabPoint& point, const Course& course, const double* y, const double* x,
                    const std::vector<int>& columns, std::vector<double>& out);

    const PetabSetup* setup_ = nullptr;
    const std::vector<EstimatedParameter>* estimated_ = nullptr;
    const kinesim::ModelInputs* inputs_ = nullptr;
    std::map<std::string, double*> modelValues_;
    std::vector<double> problemValues_;
    std::vector<double> overrides_ = std::vector<double>(2 * kPlaceholders, 0.0);
    double time_ = 0.0;
    std::vector<Formulas> formulas_;          // by observable
    std::vector<std::vector<int>> pointsOf_;  // by experiment
    std::vector<double> dh_, dsigma_, byVariables_, byValues_;
};

}  // namespace kinefit
