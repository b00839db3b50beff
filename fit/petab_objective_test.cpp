#include "petab_objective.h"

#include <gtest/gtest.h>

#include <cmath>

#include "fit_problem.h"

namespace kinefit {
namespace {

constexpr int kRow = 3;  // MAX_VAR_NUM for two variables

// A -> B at k1 A, B -> at k2 B.
void chain_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = -k[1] * y[1];
    f[2] = k[1] * y[1] - k[2] * y[2];
}
void chain_fjac(double* jac, double*, double, Parameter* p) {
    double* k = p->val[1];
    jac[1 * kRow + 1] = -k[1];
    jac[1 * kRow + 2] = 0;
    jac[2 * kRow + 1] = k[1];
    jac[2 * kRow + 2] = -k[2];
}

const int kLabels[] = {1, 1}, kElements[] = {1, 2}, kColptr[] = {0, 2, 3}, kRowidx[] = {0, 1, 1};
void chain_fpar(double values[], double y[], double, Parameter*) {
    values[0] = -y[1];
    values[1] = y[1];
    values[2] = -y[2];
}

EstimatedParameter parameter(const std::string& tag, double lower, double upper, bool linear,
                             int problemValue) {
    EstimatedParameter p;
    p.tag = tag;
    p.lower = lower;
    p.upper = upper;
    p.linear = linear;
    p.problemValue = problemValue;
    p.slot = 1;
    p.index = tag == "k1" ? 1 : 2;
    return p;
}

// k1 (log search) and k2 (linear) of the model; an offset (linear, of the problem) and a noise
// factor (log, of the problem); an observable of both variables with a measurement override,
// one on a log10 scale whose noise reads the state.
FitSetup chain_setup() {
    FitSetup setup;
    setup.fvec = chain_fvec;
    setup.fjac = chain_fjac;
    setup.parameterJacobian = {2, 2, 3, kLabels, kElements, kColptr, kRowidx, chain_fpar};
    setup.inputs.variableCount = 2;
    setup.inputs.tags = {"A", "B"};
    setup.inputs.initial = {2.0, 0.5};
    setup.inputs.parameters.resize({2});
    setup.estimated = {parameter("k1", 0.01, 10, false, -1), parameter("k2", 0.01, 10, true, -1),
                       parameter("offset", -5, 5, true, 0), parameter("noise", 0.01, 10, false, 1)};
    setup.settings.relativeTolerance = 1e-11;
    setup.settings.absoluteTolerance = 1e-13;
    ExperimentPlan plan;
    plan.times = {0.0, 0.5, 1.5, 3.0};
    setup.experiments.push_back(plan);
    PetabSetup& petab = setup.petab;
    petab.modelElements = {{"k1", {1, 1}}, {"k2", {1, 2}}};
    petab.problemValues = {{"offset", 0.1}, {"noise", 0.2}};
    petab.observables = {
        {"total", "observableParameter1_total * (A + 2 * B) + offset", "noise * (1 + B^2)",
         ObservableScale::Lin, "obs:2"},
        {"ratio", "B / (A + k2)", "noiseParameter1_ratio", ObservableScale::Log10, "obs:3"}};
    for (int t = 0; t < 4; ++t) {
        PetabPoint total;
        total.time = t;
        total.timeValue = plan.times[t];
        total.measurement = 2.5 + 0.1 * t;
        total.observableParameters = {CellValue{1.7, -1}};
        total.noiseTerm = true;
        petab.points.push_back(total);
        PetabPoint ratio = total;
        ratio.observable = 1;
        ratio.measurement = 0.2 + 0.3 * t;
        ratio.observableParameters.clear();
        ratio.noiseParameters = {CellValue{0.0, 3}};  // the noise factor itself
        petab.points.push_back(ratio);
    }
    petab.noiseTerms = 8;
    return setup;
}

// The residuals' derivatives by x agree with central differences.
void expect_derivatives_match_differences(const FitSetup& setup, const std::vector<double>& x) {
    FitProblem problem(setup);
    int m = setup.residual_count(), k = static_cast<int>(x.size());
    std::vector<double> residuals(m), jacobian(m * k), plus(m), minus(m);
    std::string failure;
    ASSERT_TRUE(problem.evaluate(x.data(), residuals.data(), jacobian.data(), failure)) << failure;
    for (int j = 0; j < k; ++j) {
        std::vector<double> up = x, down = x;
        up[j] += 1e-5;
        down[j] -= 1e-5;
        ASSERT_TRUE(problem.evaluate(up.data(), plus.data(), nullptr, failure));
        ASSERT_TRUE(problem.evaluate(down.data(), minus.data(), nullptr, failure));
        for (int r = 0; r < m; ++r) {
            double difference = (plus[r] - minus[r]) / 2e-5;
            EXPECT_NEAR(jacobian[r * k + j], difference, 1e-6 * (1 + std::fabs(difference)))
                << "residual " << r << ", parameter " << j;
        }
    }
}

TEST(PetabObjective, DerivativesAgreeWithFiniteDifferences) {
    FitSetup setup = chain_setup();
    ASSERT_EQ(setup.residual_count(), 16);
    expect_derivatives_match_differences(setup, {std::log(0.8), 0.3, 0.1, std::log(0.2)});
}

// A second experiment whose condition sets the model's k2 to an estimated parameter of the
// problem (a linear search, at 0), and initial values computed from k1 and k2: the
// sensitivities follow k2's stand-in there, and start from the formulas' slopes in both
// experiments.
TEST(PetabObjective, DerivativesFollowConditionsAndInitialFormulas) {
    FitSetup setup = chain_setup();
    setup.estimated[1] = parameter("k2_late", 0.0, 10, true, 2);
    setup.petab.problemValues.push_back({"k2_late", 0.6});
    setup.inputs.parameters.at(1, 2) = 0.3;
    ExperimentPlan late = setup.experiments[0];
    late.parameterValues.push_back({1, 2, 0.0, 1});
    setup.experiments.push_back(late);
    size_t first = setup.petab.points.size();
    for (size_t p = 0; p < first; ++p) {
        setup.petab.points.push_back(setup.petab.points[p]);
        setup.petab.points.back().experiment = 1;
    }
    setup.petab.noiseTerms *= 2;
    setup.petab.observables[1].formula = "B / (A + 1)";
    InitialFormulaSource& starts = setup.initialFormulas;
    starts.path = "initial.txt";
    starts.formulas = {{1, "y[A]", "3*k[1]"}, {2, "y[B]", "y[A]*k[2] + 0.1"}};
    starts.file.labels = {"k"};
    for (int j = 1; j <= 2; ++j) {
        kinesim::ParamValueRow row;
        row.label = "k";
        row.index = j;
        starts.file.params.push_back(row);
    }
    expect_derivatives_match_differences(setup, {std::log(0.8), 0.0, 0.1, std::log(0.2)});
}

// The chain with a second loss of B at k3: B' = k1 A - k2 B - k3 B.
void lossy_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = -k[1] * y[1];
    f[2] = k[1] * y[1] - (k[2] + k[3]) * y[2];
}
void lossy_fjac(double* jac, double*, double, Parameter* p) {
    double* k = p->val[1];
    jac[1 * kRow + 1] = -k[1];
    jac[2 * kRow + 1] = k[1];
    jac[2 * kRow + 2] = -k[2] - k[3];
}
const int kLossyLabels[] = {1, 1, 1}, kLossyElements[] = {1, 2, 3}, kLossyColptr[] = {0, 2, 3, 4},
          kLossyRowidx[] = {0, 1, 1, 1};
void lossy_fpar(double values[], double y[], double, Parameter*) {
    values[0] = -y[1];
    values[1] = y[1];
    values[2] = -y[2];
    values[3] = -y[2];
}

// One estimated parameter of the problem that a condition sets both k1 and k3 to, where the
// initial formulas read both: its sensitivities follow the sum through both elements, in the
// right-hand side and in the formulas; the other experiment keeps the model's k1 and k3.
TEST(PetabObjective, DerivativesFollowOneEstimatedParameterIntoTwoModelParameters) {
    FitSetup setup = chain_setup();
    setup.fvec = lossy_fvec;
    setup.fjac = lossy_fjac;
    setup.parameterJacobian = {2, 3, 4, kLossyLabels, kLossyElements,
                               kLossyColptr, kLossyRowidx, lossy_fpar};
    setup.inputs.parameters.resize({3});
    setup.inputs.parameters.at(1, 1) = 0.9;
    setup.inputs.parameters.at(1, 3) = 0.05;
    setup.estimated[0] = parameter("k_shared", 0.01, 10, false, 2);
    setup.petab.problemValues.push_back({"k_shared", 0.4});
    ExperimentPlan both = setup.experiments[0];
    both.parameterValues = {{1, 1, 0.0, 0}, {1, 3, 0.0, 0}};
    setup.experiments.push_back(both);
    size_t first = setup.petab.points.size();
    for (size_t p = 0; p < first; ++p) {
        setup.petab.points.push_back(setup.petab.points[p]);
        setup.petab.points.back().experiment = 1;
    }
    setup.petab.noiseTerms *= 2;
    InitialFormulaSource& starts = setup.initialFormulas;
    starts.path = "initial.txt";
    starts.formulas = {{1, "y[A]", "3*k[1]"}, {2, "y[B]", "y[A]*k[3] + 0.1"}};
    starts.file.labels = {"k"};
    for (int j = 1; j <= 3; ++j) {
        kinesim::ParamValueRow row;
        row.label = "k";
        row.index = j;
        starts.file.params.push_back(row);
    }
    expect_derivatives_match_differences(setup, {std::log(0.4), 0.3, 0.1, std::log(0.2)});
}

TEST(PetabObjective, ResidualsFollowTheObservablesScaleAndNoise) {
    FitSetup setup = chain_setup();
    FitProblem problem(setup);
    const double k1 = 0.8, k2 = 0.3, offset = 0.1, noise = 0.2;
    const std::vector<double> x = {std::log(k1), k2, offset, std::log(noise)};
    std::vector<double> residuals(16);
    std::string failure;
    ASSERT_TRUE(problem.evaluate(x.data(), residuals.data(), nullptr, failure)) << failure;
    double t = 1.5, a = 2.0 * std::exp(-k1 * t);
    // B from B' = k1 A - k2 B, B(0) = 0.5.
    double b =
        2.0 * k1 / (k2 - k1) * (std::exp(-k1 * t) - std::exp(-k2 * t)) + 0.5 * std::exp(-k2 * t);
    double sigma = noise * (1 + b * b);
    EXPECT_NEAR(residuals[8], (1.7 * (a + 2 * b) + offset - 2.7) / sigma, 1e-8);
    EXPECT_NEAR(residuals[9], std::sqrt(2 * std::log(sigma) + kNoiseShift), 1e-8);
    EXPECT_NEAR(residuals[10], (std::log10(b / (a + k2)) - std::log10(0.8)) / noise, 1e-8);
    EXPECT_NEAR(residuals[11], std::sqrt(2 * std::log(noise) + kNoiseShift), 1e-12);
}

}  // namespace
}  // namespace kinefit
