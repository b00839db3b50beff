#include "ssystem_terms.h"

#include <gtest/gtest.h>

namespace {

// Three variables and two constants: g numbers for y[1], y[3] and constantPlayer[2].
OrderTable positive_orders() {
    return {0, 4, 0, 5, 0, 6};
}
// h numbers for y[3] only.
OrderTable negative_orders() {
    return {0, 0, 0, 7, 0, 0};
}

SsystemLayout layout(bool cNotation, bool matlab) {
    return SsystemLayout{3, 2, cNotation, matlab};
}

TEST(SsystemTerms, PowerFactorsVariablesFirstThenConstants) {
    EXPECT_EQ(power_factors(positive_orders(), "g", layout(true, false)),
              "*pow(y[1],g[4])*pow(y[3],g[5])*pow(constantPlayer[2],g[6])");
    EXPECT_EQ(power_factors(positive_orders(), "g", layout(false, true)),
              "*(y(1)^(g(4)))*(y(3)^(g(5)))*(constantPlayer(2)^(g(6)))");
    EXPECT_EQ(power_factors(OrderTable(6, 0), "h", layout(true, false)), "");
}

TEST(SsystemTerms, DerivativeFactorsDifferentiateOnlyTheOwnPower) {
    EXPECT_EQ(derivative_factors(positive_orders(), "g", 3, layout(true, false)),
              "*pow(y[1],g[4])*g[5]*pow(y[3],g[5]-1)*pow(constantPlayer[2],g[6])");
    EXPECT_EQ(derivative_factors(positive_orders(), "g", 1, layout(false, false)),
              "*(g(4)*(y(1)^(g(4)-1)))*(y(3)^(g(5)))*(constantPlayer(2)^(g(6)))");
}

TEST(SsystemTerms, RightHandSideLine) {
    EXPECT_EQ(
        ssystem_fvec_line(2, positive_orders(), negative_orders(), true, true, layout(true, false)),
        "fvec[  2] = kplus[2]*pow(y[1],g[4])*pow(y[3],g[5])*pow(constantPlayer[2],g[6])"
        " - kminus[2]*pow(y[3],h[7]);\n");
    // Only subtracted terms: the head is followed directly by the kminus part.
    EXPECT_EQ(ssystem_fvec_line(12, OrderTable(6, 0), negative_orders(), false, true,
                                layout(true, false)),
              "fvec[ 12] =  - kminus[12]*pow(y[3],h[7]);\n");
    // A part that holds no symbol still has its rate constant.
    EXPECT_EQ(
        ssystem_fvec_line(1, OrderTable(6, 0), OrderTable(6, 0), true, false, layout(false, true)),
        "fvec(  1) = kplus(1);\n");
    // -m: C layout for fvec and the rate constants, '^' powers with parenthesised indices.
    EXPECT_EQ(
        ssystem_fvec_line(1, OrderTable(6, 0), negative_orders(), true, true, layout(false, false)),
        "fvec[  1] = kplus[1] - kminus[1]*(y(3)^(h(7)));\n");
}

TEST(SsystemTerms, JacobianLinesForEveryVariableOfEitherPart) {
    EXPECT_EQ(ssystem_fjac_lines(2, positive_orders(), negative_orders(), layout(true, false)),
              "fjac[  2][  1] = kplus[2]*g[4]*pow(y[1],g[4]-1)*pow(y[3],g[5])"
              "*pow(constantPlayer[2],g[6]);\n"
              "fjac[  2][  3] = kplus[2]*pow(y[1],g[4])*g[5]*pow(y[3],g[5]-1)"
              "*pow(constantPlayer[2],g[6]) - kminus[2]*h[7]*pow(y[3],h[7]-1);\n");
    // A variable only in V-: the line begins with " - kminus"; constants get no column.
    EXPECT_EQ(
        ssystem_fjac_lines(3, OrderTable{0, 0, 0, 0, 0, 9}, negative_orders(), layout(false, true)),
        "fjac(  3,  3) =  - kminus(3)*(h(7)*(y(3)^(h(7)-1)));\n");
}

}  // namespace
