// The analysis steps on small hand-written models (1-based, as symcode writes them) whose laws,
// eigenvalues and steady states are known.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "conservation.h"
#include "model_inputs.h"
#include "stability.h"
#include "steady_search.h"

namespace kinesteady {
namespace {

// 0 = k4 B - Q (row 1, algebraic); A <-> B (k1, k2), 2 B <-> D (k3, k4), E decays (k5):
// A + B + 2 D is conserved, E and Q are not.
constexpr int kLawRow = 6;
void law_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    const double ab = k[1] * y[2] - k[2] * y[3], dimer = k[3] * y[3] * y[3] - k[4] * y[4];
    f[1] = k[4] * y[3] - y[1];
    f[2] = -ab;
    f[3] = ab - 2 * dimer;
    f[4] = dimer;
    f[5] = -k[5] * y[5];
}
void law_fjac(double* j, double y[], double, Parameter* p) {
    double* k = p->val[1];
    auto at = [j](int r, int c) -> double& { return j[r * kLawRow + c]; };
    at(1, 1) = -1, at(1, 3) = k[4];
    at(2, 2) = -k[1], at(2, 3) = k[2];
    at(3, 2) = k[1], at(3, 3) = -k[2] - 4 * k[3] * y[3], at(3, 4) = 2 * k[4];
    at(4, 3) = 2 * k[3] * y[3], at(4, 4) = -k[4];
    at(5, 5) = -k[5];
}

// x' = a y, y' = b x + c y: eigenvalues (c +- sqrt(c^2 + 4ab)) / 2, steady state 0.
constexpr int kPairRow = 3;
void pair_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = k[1] * y[2];
    f[2] = k[2] * y[1] + k[3] * y[2];
}
void pair_fjac(double* j, double*, double, Parameter* p) {
    double* k = p->val[1];
    j[1 * kPairRow + 2] = k[1];
    j[2 * kPairRow + 1] = k[2];
    j[2 * kPairRow + 2] = k[3];
}

// x' = -x (x - 1) (x - 2): 0 and 2 stable, 1 unstable between them.
void bistable_fvec(double f[], double y[], double, Parameter*) {
    f[1] = -y[1] * (y[1] - 1) * (y[1] - 2);
}
void bistable_fjac(double* j, double y[], double, Parameter*) {
    const double x = y[1];
    j[1 * 2 + 1] = -((x - 1) * (x - 2) + x * (x - 2) + x * (x - 1));
}

struct Model {
    kinesim::ParameterValues values;
    std::unique_ptr<kinesim::ModelFunctions> functions;
    Model(kinesim::UsrFvec fvec, kinesim::UsrFjac fjac, int n, std::vector<double> k) {
        values.resize({static_cast<int>(k.size())});
        for (size_t i = 0; i < k.size(); ++i) values.at(1, static_cast<int>(i) + 1) = k[i];
        functions = std::make_unique<kinesim::ModelFunctions>(fvec, fjac, values.record(), n);
    }
};

TEST(Conservation, LawsAreFoundWithTheirStoichiometryAndTotals) {
    Model m(law_fvec, law_fjac, 5, {2, 0.5, 1.5, 0.3, 0.7});
    const std::vector<double> initial = {0.1, 3, 1, 0.5, 2};
    std::mt19937 random(7);
    ConservationLaws laws;
    std::string failure;
    ASSERT_EQ(find_conservation_laws(*m.functions, 1, initial, random, laws, failure), 0) << failure;
    ASSERT_EQ(laws.count(), 1);
    EXPECT_EQ(laws.pivots[0], 1);  // A, the first variable the law holds
    const std::vector<double> expected = {0, 1, 1, 2, 0};
    for (int j = 0; j < 5; ++j) EXPECT_NEAR(laws.coefficients[0][j], expected[j], 1e-12) << j;
    EXPECT_NEAR(laws.totals[0], 3 + 1 + 2 * 0.5, 1e-12);
    EXPECT_EQ(describe_law(laws, 0, {"Q", "A", "B", "D", "E"}), "A + B + 2 D = 5");
}

TEST(Stability, EigenvaluesOfTheReducedDynamics) {
    {
        // The law's zero eigenvalue is gone; with it solved for, the algebraic Q takes none.
        Model m(law_fvec, law_fjac, 5, {2, 0.5, 1.5, 0.3, 0.7});
        std::mt19937 random(7);
        ConservationLaws laws;
        std::string failure;
        const std::vector<double> y = {0.3, 1, 1, 5, 0};  // any state: the Jacobian there
        ASSERT_EQ(find_conservation_laws(*m.functions, 1, y, random, laws, failure), 0);
        Stability s;
        ASSERT_EQ(analyse_stability(*m.functions, 1, laws, y, {"Q", "A", "B", "D", "E"}, s, failure), 0);
        ASSERT_EQ(s.eigenvalues.size(), 3u);
        EXPECT_EQ(s.variables, (std::vector<std::string>{"B", "D", "E"}));
        // With A = T - B - 2D: the (B, D) block [[-k1 - k2 - 4 k3 B, 2 k4 - 2 k1], [2 k3 B, -k4]].
        const double b11 = -2 - 0.5 - 6, b12 = 0.6 - 4, b21 = 3, b22 = -0.3;
        const double trace = b11 + b22, det = b11 * b22 - b12 * b21;
        const double root = std::sqrt(trace * trace - 4 * det);
        std::vector<double> expected = {-0.7, (trace + root) / 2, (trace - root) / 2};
        std::sort(expected.rbegin(), expected.rend());
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(s.eigenvalues[k].real(), expected[k], 1e-12);
            EXPECT_EQ(s.eigenvalues[k].imag(), 0.0);
        }
        EXPECT_EQ(s.verdict, "stable");
    }
    const struct {
        std::vector<double> k;
        const char* verdict;
    } pairs[] = {{{1, -1, 0}, "marginal"}, {{1, -1, -0.2}, "stable"}, {{1, 1, 0}, "unstable"}};
    for (const auto& pair : pairs) {
        Model m(pair_fvec, pair_fjac, 2, pair.k);
        Stability s;
        std::string failure;
        ASSERT_EQ(analyse_stability(*m.functions, 0, {}, {0, 0}, {"x", "y"}, s, failure), 0);
        EXPECT_EQ(s.verdict, pair.verdict) << pair.k[1] << " " << pair.k[2];
        const std::complex<double> root = std::sqrt(std::complex<double>(
            pair.k[2] * pair.k[2] + 4 * pair.k[0] * pair.k[1], 0));
        EXPECT_NEAR(std::abs(s.eigenvalues[0] - (pair.k[2] + root) / 2.0), 0.0, 1e-12);
    }
}

TEST(SteadySearch, NewtonsSteadyStateIsCheckedAgainstTheTimeCourse) {
    Model m(bistable_fvec, bistable_fjac, 1, {});
    SteadySystem system(*m.functions, ConservationLaws{});
    SearchInputs inputs;
    inputs.tags = {"x"};
    inputs.bounds = {Bound::NonNegative};
    SteadyState found;
    std::string failure;
    // From 0.99 Newton finds the unstable 1; the time course falls to 0.
    inputs.initial = {0.99};
    ASSERT_EQ(find_steady_state(system, inputs, found, failure), 0) << failure;
    EXPECT_NEAR(found.y[0], 1.0, 1e-14);
    EXPECT_FALSE(found.reached);
    EXPECT_NE(found.reachedNote.find("comes to rest elsewhere"), std::string::npos);
    // From 1.9 both end at 2.
    inputs.initial = {1.9};
    ASSERT_EQ(find_steady_state(system, inputs, found, failure), 0) << failure;
    EXPECT_NEAR(found.y[0], 2.0, 1e-14);
    EXPECT_TRUE(found.reached) << found.reachedNote;
}

}  // namespace
}  // namespace kinesteady
