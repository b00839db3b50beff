#include "dae_solver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model_inputs.h"
#include "test_support.h"

namespace kinesim {
namespace {

using zymorax::testkit::LogCapture;

// Models written as symcode would write them: 1-based, parameters through p->val.
// Row length of the Jacobian arrays below: MAX_VAR_NUM for two variables.
constexpr int kRow = 3;

// y1' = -k y1, y2' = k y1.
void decay_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = -k[1] * y[1];
    f[2] = k[1] * y[1];
}
void decay_fjac(double* jac, double[], double, Parameter* p) {
    double* k = p->val[1];
    jac[1 * kRow + 1] = -k[1];
    jac[2 * kRow + 1] = k[1];
}

// Algebraic a = 2 b (row 1), b' = -b (row 2).
void dae_fvec(double f[], double y[], double, Parameter*) {
    f[1] = 2 * y[2] - y[1];
    f[2] = -y[2];
}
void dae_fjac(double* jac, double[], double, Parameter*) {
    jac[1 * kRow + 1] = -1;
    jac[1 * kRow + 2] = 2;
    jac[2 * kRow + 2] = -1;
}

// z' = -z, x' = x^2: x reaches infinity at t = 1.
void blow_fvec(double f[], double y[], double, Parameter*) {
    f[1] = -y[1];
    f[2] = y[2] * y[2];
}
void blow_fjac(double* jac, double y[], double, Parameter*) {
    jac[1 * kRow + 1] = -1;
    jac[2 * kRow + 2] = 2 * y[2];
}

// z' = -z, x' = 1e300 x^2: no first step is small enough for x.
void start_fvec(double f[], double y[], double, Parameter*) {
    f[1] = -y[1];
    f[2] = 1e300 * y[2] * y[2];
}
void start_fjac(double* jac, double y[], double, Parameter*) {
    jac[1 * kRow + 1] = -1;
    jac[2 * kRow + 2] = 2e300 * y[2];
}

// Algebraic 0 = a^2 + 1 has no real solution; b' = 0.
void impossible_fvec(double f[], double y[], double, Parameter*) {
    f[1] = y[1] * y[1] + 1;
    f[2] = 0 * y[2];
}
void impossible_fjac(double* jac, double y[], double, Parameter*) {
    jac[1 * kRow + 1] = 2 * y[1];
}

struct Outcome {
    int status = 0;
    std::vector<double> times;
    std::vector<std::vector<double>> states;
    std::string log;
};

// Integrates a two-variable model; the output sink refuses its `refuse_at`-th row (0: none).
Outcome integrate(UsrFvec fvec, UsrFjac fjac, int algebraic, std::vector<double> initial,
                  TimeGrid grid, int refuse_at = 0) {
    ParameterValues values;
    values.resize({1});
    values.at(1, 1) = 0.5;
    ModelFunctions model(fvec, fjac, values.record(), 2);
    Outcome run;
    LogCapture capture;
    run.status = integrate_dae(model, algebraic, {"A", "B"}, initial, grid, SolverSettings(),
                               [&](double t, const std::vector<double>& y) {
                                   run.times.push_back(t);
                                   run.states.push_back(y);
                                   return static_cast<int>(run.times.size()) == refuse_at ? -1 : 0;
                               });
    run.log = capture.take();
    return run;
}

TEST(DaeSolver, FollowsAnExponentialDecayAtEveryOutputTime) {
    Outcome run = integrate(decay_fvec, decay_fjac, 0, {4.0, 0.0}, {0.0, 2.5, 1.0});
    ASSERT_EQ(run.status, 0) << run.log;
    EXPECT_EQ(run.times, (std::vector<double>{0.0, 1.0, 2.0, 2.5}));  // the end itself last
    for (size_t i = 0; i < run.times.size(); ++i) {
        double exact = 4.0 * std::exp(-0.5 * run.times[i]);
        EXPECT_NEAR(run.states[i][0], exact, 1e-6 * exact);
        EXPECT_NEAR(run.states[i][0] + run.states[i][1], 4.0, 1e-9);
    }
}

TEST(DaeSolver, MakesTheAlgebraicVariablesConsistentFirst) {
    Outcome run = integrate(dae_fvec, dae_fjac, 1, {0.3, 1.0}, {0.0, 2.0, 0.5});
    ASSERT_EQ(run.status, 0) << run.log;
    ASSERT_EQ(run.times.size(), 5u);
    EXPECT_NEAR(run.states[0][0], 2.0, 1e-9);  // not the guess 0.3
    for (size_t i = 0; i < run.times.size(); ++i) {
        EXPECT_NEAR(run.states[i][1], std::exp(-run.times[i]), 1e-6);
        EXPECT_NEAR(run.states[i][0], 2 * run.states[i][1], 1e-8);
    }
}

TEST(DaeSolver, NamesTheTimeAndTheVariableOfAFailure) {
    Outcome run = integrate(blow_fvec, blow_fjac, 0, {1.0, 1.0}, {0.0, 2.0, 0.25});
    EXPECT_EQ(run.status, -1);
    ASSERT_FALSE(run.times.empty());
    EXPECT_EQ(run.times.back(), 0.75);  // the outputs before the failure were delivered
    double failedAt = 0;
    ASSERT_EQ(std::sscanf(run.log.c_str(), "The solver failed at t = %lf", &failedAt), 1)
        << run.log;
    EXPECT_GT(failedAt, 0.99);
    EXPECT_LE(failedAt, 1.0);
    EXPECT_NE(run.log.find("variable 2 (B)"), std::string::npos) << run.log;
}

// No step exists to ask which variable changed fastest: the rates at the start tell.
TEST(DaeSolver, NamesTheVariableOfAFailureAtTheStart) {
    Outcome run = integrate(start_fvec, start_fjac, 0, {1.0, 1.0}, {0.0, 1.0, 0.5});
    EXPECT_EQ(run.status, -1);
    EXPECT_EQ(run.log.rfind("The solver failed at t = 0: ", 0), 0u) << run.log;
    EXPECT_NE(run.log.find("fastest change in variable 2 (B)"), std::string::npos) << run.log;
}

TEST(DaeSolver, ReportsAlgebraicEquationsWithoutSolution) {
    Outcome run = integrate(impossible_fvec, impossible_fjac, 1, {0.5, 1.0}, {0.0, 1.0, 0.5});
    EXPECT_EQ(run.status, -1);
    EXPECT_TRUE(run.times.empty());
    EXPECT_EQ(run.log.rfind("No consistent initial values of the algebraic variables were found "
                            "at t = 0: ",
                            0),
              0u)
        << run.log;
    // Newton's method ends at the least residual, a = 0.
    EXPECT_NE(run.log.find("Newton steps algebraic equation 1 (row of variable 1 (A)) gives 1.\n"),
              std::string::npos)
        << run.log;
}

TEST(DaeSolver, StopsWhenTheOutputSinkSaysSo) {
    Outcome run = integrate(decay_fvec, decay_fjac, 0, {1.0, 0.0}, {0.0, 10.0, 1.0}, 3);
    EXPECT_EQ(run.status, -1);
    EXPECT_EQ(run.times.size(), 3u);
}

}  // namespace
}  // namespace kinesim
