#include "jacobian_check.h"

#include <gtest/gtest.h>

#include <cmath>

#include "format.h"
#include "model_inputs.h"

namespace kinesim {
namespace {

constexpr int kRow = 3;

// f1 = k1 y1^2 y2, f2 = sin(y1) - y2 / k2
void fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = k[1] * y[1] * y[1] * y[2];
    f[2] = std::sin(y[1]) - y[2] / k[2];
}
void right_fjac(double* jac, double y[], double, Parameter* p) {
    double* k = p->val[1];
    jac[1 * kRow + 1] = 2 * k[1] * y[1] * y[2];
    jac[1 * kRow + 2] = k[1] * y[1] * y[1];
    jac[2 * kRow + 1] = std::cos(y[1]);
    jac[2 * kRow + 2] = -1 / k[2];
}
void wrong_fjac(double* jac, double y[], double, Parameter* p) {
    right_fjac(jac, y, 1.0, p);
    jac[2 * kRow + 1] = -std::cos(y[1]);  // the sign lost
}

JacobianComparison compare(UsrFjac fjac) {
    ParameterValues values;
    values.resize({2});
    values.at(1, 1) = 3.0;
    values.at(1, 2) = 0.5;
    ModelFunctions model(fvec, fjac, values.record(), 2);
    return compare_jacobian(model, {0.7, 2.0});
}

TEST(JacobianCheck, AcceptsTheRightJacobian) {
    JacobianComparison result = compare(right_fjac);
    EXPECT_LT(result.largestError, 1e-8);
    EXPECT_EQ(result.nonFiniteEntries, 0);
}

TEST(JacobianCheck, FindsTheWrongEntry) {
    JacobianComparison result = compare(wrong_fjac);
    EXPECT_NEAR(result.largestError, 2.0, 1e-6);
    EXPECT_EQ(result.row, 2);
    EXPECT_EQ(result.column, 1);
    EXPECT_DOUBLE_EQ(result.generated, -std::cos(0.7));
    EXPECT_NEAR(result.difference, std::cos(0.7), 1e-8);
    EXPECT_EQ(describe_comparison(result, {"A.cyt", "B.cyt"}),
              "Largest relative error of usr_fjac: 2.000e+000 at fjac[2][1] (equation of B.cyt, "
              "by A.cyt): usr_fjac -0.7648421873, finite differences 0.7648421873 (+/- " +
                  zymorax::format("%.3e", result.allowance) + ")\n");
    EXPECT_LT(result.allowance, 1e-6);
}

// Binding and release, as in a receptor model: f1 = -k1 y1 y2 + k2 y3, f2 likewise, f3 = -f1.
// Both the free species are large and the complex y3 starts at 0.
void binding_fvec(double f[], double y[], double, Parameter* p) {
    double* k = p->val[1];
    f[1] = -k[1] * y[1] * y[2] + k[2] * y[3];
    f[2] = -k[1] * y[1] * y[2] + k[2] * y[3];
    f[3] = k[1] * y[1] * y[2] - k[2] * y[3];
}
void binding_fjac(double* jac, double y[], double, Parameter* p) {
    constexpr int row = 4;
    double* k = p->val[1];
    for (int i = 1; i <= 3; ++i) {
        double sign = i == 3 ? 1 : -1;
        jac[i * row + 1] = sign * k[1] * y[2];
        jac[i * row + 2] = sign * k[1] * y[1];
        jac[i * row + 3] = -sign * k[2];
    }
    jac[1 * row + 3] *= k[3];  // 1 in the right Jacobian
}

JacobianComparison compare_binding(std::vector<double> state, double factor) {
    ParameterValues values;
    values.resize({3});
    values.at(1, 1) = 1.0;
    values.at(1, 2) = 1.0;
    values.at(1, 3) = factor;
    ModelFunctions model(binding_fvec, binding_fjac, values.record(), 3);
    return compare_jacobian(model, state);
}

// A release rate of 1 beside binding terms of 4.6e12: a step of the complex that is too small
// for those terms sees no change at all, which is no reason to call the Jacobian wrong.
TEST(JacobianCheck, AcceptsTheRightJacobianAtLargeAmountsWithASpeciesAtZero) {
    JacobianComparison result = compare_binding({1e7, 4.56e5, 0.0}, 1.0);
    EXPECT_TRUE(result.agrees()) << describe_comparison(result, {"L", "R", "LR"});
    EXPECT_GT(result.allowance, 0.0);
}

TEST(JacobianCheck, FindsAnEntryOnePercentOffWhereTheDifferencesResolveIt) {
    JacobianComparison result = compare_binding({10.0, 5.0, 0.0}, 1.01);
    EXPECT_FALSE(result.agrees());
    EXPECT_EQ(result.row, 1);
    EXPECT_EQ(result.column, 3);
    EXPECT_NEAR(result.largestError, 0.01 / 1.01, 1e-6);
    EXPECT_TRUE(compare_binding({10.0, 5.0, 0.0}, 1.0).agrees());
}

TEST(JacobianCheck, DescribesAPerfectMatchAndUncomparedEntries) {
    JacobianComparison result;
    result.nonFiniteEntries = 2;
    EXPECT_EQ(describe_comparison(result, {"A"}),
              "usr_fjac agrees with finite differences of usr_fvec: largest relative error 0\n"
              "2 entries are not numbers (inf or nan) and were not compared\n");
}

}  // namespace
}  // namespace kinesim
