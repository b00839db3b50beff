#include "multistart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "latin_hypercube.h"

namespace kinefit {
namespace {

TEST(LatinHypercube, PutsOnePointInEverySliceOfEveryAxis) {
    for (int count : {1, 7, 50}) {
        auto points = latin_hypercube(count, 4, 42);
        ASSERT_EQ(points.size(), static_cast<size_t>(count));
        for (int d = 0; d < 4; ++d) {
            std::vector<int> hits(count, 0);
            for (const auto& point : points) {
                ASSERT_GE(point[d], 0.0);
                ASSERT_LT(point[d], 1.0);
                ++hits[static_cast<int>(point[d] * count)];
            }
            EXPECT_EQ(hits, std::vector<int>(count, 1)) << "axis " << d << ", " << count;
        }
    }
}

TEST(LatinHypercube, IsTheSameForTheSameSeedOnly) {
    EXPECT_EQ(latin_hypercube(20, 3, 7), latin_hypercube(20, 3, 7));
    EXPECT_NE(latin_hypercube(20, 3, 7), latin_hypercube(20, 3, 8));
}

TEST(StartPoints, SpanTheLogBoundsAndTakeValStartFirst) {
    std::vector<EstimatedParameter> estimated(2);
    estimated[0].lower = 1e-3;
    estimated[0].upper = 1e3;
    estimated[1].lower = 0.5;
    estimated[1].upper = 2.0;
    estimated[1].hasStart = true;
    estimated[1].start = 1.5;
    auto points = start_points(estimated, 10, 3);
    EXPECT_DOUBLE_EQ(points[0][1], std::log(1.5));
    for (const auto& point : points) {
        EXPECT_GE(point[0], std::log(1e-3));
        EXPECT_LE(point[0], std::log(1e3));
    }
}

TEST(Multistart, DealsEveryStartToExactlyOneProcess) {
    std::vector<int> seen(11, 0);
    for (int rank = 0; rank < 3; ++rank) {
        for (int s : starts_of(rank, 3, 11)) ++seen[s];
    }
    EXPECT_EQ(seen, std::vector<int>(11, 1));
}

// What the processes send each other keeps every bit, and a truncated message is refused.
TEST(Multistart, ResultsSurviveEncodingBitForBit) {
    StartResult a, b;
    a.start = 4;
    a.outcome = StartOutcome::IterationLimit;
    a.chi2 = 0.1 + 0.2;
    a.iterations = 17;
    a.logValues = {-1.0 / 3.0, std::numeric_limits<double>::denorm_min()};
    a.replaced = 2;
    a.replacedBecause = "data.csv: the solver failed at t = 0.5";
    b.start = 9;
    b.logValues = {0.0, 1.0};
    b.message = "data.csv: the solver failed at t = 3";
    std::vector<StartResult> back;
    std::string bytes = encode_results({a, b});
    ASSERT_TRUE(decode_results(bytes, 2, back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].start, 4);
    EXPECT_EQ(back[0].outcome, StartOutcome::IterationLimit);
    EXPECT_EQ(back[0].chi2, a.chi2);
    EXPECT_EQ(back[0].logValues, a.logValues);
    EXPECT_EQ(back[0].replaced, 2);
    EXPECT_EQ(back[0].replacedBecause, a.replacedBecause);
    EXPECT_EQ(back[1].outcome, StartOutcome::Failed);
    EXPECT_EQ(back[1].message, b.message);
    std::vector<StartResult> cut;
    EXPECT_FALSE(decode_results(bytes.substr(0, bytes.size() - 3), 2, cut));
}

// y' = k y^2 from y = 1 reaches infinity at t = 1 / k: from k = 5 the integration to t = 1
// fails, and the start is searched again from fresh points until one lies below k = 1.
void blowup_fvec(double f[], double y[], double, Parameter* p) { f[1] = p->val[1][1] * y[1] * y[1]; }
void blowup_fjac(double* jac, double y[], double, Parameter* p) {
    jac[1 * 2 + 1] = 2 * p->val[1][1] * y[1];
}

const int kOne[] = {1}, kColptr[] = {0, 1}, kRowidx[] = {0};
void blowup_fpar(double values[], double y[], double, Parameter*) { values[0] = y[1] * y[1]; }

TEST(Multistart, AStartWhoseIntegrationFailsIsReplacedByAFreshOne) {
    FitSetup setup;
    setup.fvec = blowup_fvec;
    setup.fjac = blowup_fjac;
    setup.parameterJacobian = {1, 1, 1, kOne, kOne, kColptr, kRowidx, blowup_fpar};
    setup.inputs.variableCount = 1;
    setup.inputs.tags = {"y"};
    setup.inputs.initial = {1.0};
    setup.inputs.parameters.resize({1});
    EstimatedParameter k;
    k.lower = 0.01;
    k.upper = 10.0;
    k.slot = 1;
    k.index = 1;
    setup.estimated = {k};
    ExperimentPlan plan;
    plan.path = "data.csv";
    plan.times = {0.0, 0.5, 1.0};
    for (int t = 1; t < 3; ++t) plan.points.push_back({t, 0, 1.0 / (1.0 - 0.3 * plan.times[t]), 1.0});
    setup.experiments = {plan};
    std::vector<StartResult> results = run_starts(setup, {{std::log(5.0)}}, {0}, 1, 50, 1);
    ASSERT_EQ(results.size(), 1u);
    EXPECT_GE(results[0].replaced, 1);
    EXPECT_NE(results[0].replacedBecause.find("data.csv"), std::string::npos)
        << results[0].replacedBecause;
    ASSERT_TRUE(results[0].usable()) << results[0].message;
    EXPECT_NEAR(std::exp(results[0].logValues[0]), 0.3, 1e-5);
}

TEST(Multistart, TheBestIsTheLeastUsableChi2AndOfEqualOnesTheFirstStart) {
    std::vector<StartResult> results(4);
    double chi2[] = {0.5, 0.2, 0.01, 0.2};
    StartOutcome outcome[] = {StartOutcome::Converged, StartOutcome::IterationLimit,
                              StartOutcome::Failed, StartOutcome::Converged};
    for (int i = 0; i < 4; ++i) {
        results[i].start = 3 - i;
        results[i].chi2 = chi2[i];
        results[i].outcome = outcome[i];
    }
    EXPECT_EQ(best_result(results), 3);  // start 0 over start 2 at chi2 0.2; start 1 failed
    results[0].outcome = results[1].outcome = results[3].outcome = StartOutcome::Failed;
    EXPECT_EQ(best_result(results), -1);
}

}  // namespace
}  // namespace kinefit
