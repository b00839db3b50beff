#include "ssystem_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SplitCase {
    std::string text;
    std::string positive;
    std::string negative;
};

void expect_splits(const std::vector<SplitCase>& cases) {
    for (const SplitCase& c : cases) {
        RateParts parts = split_rate_terms(c.text);
        EXPECT_EQ(parts.positive, c.positive) << c.text;
        EXPECT_EQ(parts.negative, c.negative) << c.text;
    }
}

// Every term takes the product of the signs in front of it.
TEST(SplitRateTerms, AddedAndSubtractedTerms) {
    expect_splits({{"k[1]*y[1]", "k[1]*y[1]", ""},
                   {"a*b + c - d", "a*b+c", "d"},
                   {"a - b - c", "a", "b+c"},
                   {"a - b + c - d", "a+c", "b+d"},
                   {"-k[1]*y[1]", "", "k[1]*y[1]"},
                   {"-a - b", "", "a+b"},
                   {"-a + b", "b", "a"},
                   {"a/b - c/d*e", "a/b", "c/d*e"},
                   {"a + -b", "a", "b"},
                   {"a - -b", "a+b", ""},
                   {"--a - +b", "a", "b"},
                   {"", "", ""},
                   {"  ", "", ""}});
}

// Bracket groups are copied whole without blanks. Numbers outside them are written back with
// six digits; a printed number carries its exponent with a sign and three digits, and that
// sign belongs to the number. Names are copied whole: digits in a name are no numbers, and an
// index may hold operator characters.
TEST(SplitRateTerms, BracketsNumbersAndNamesStayWhole) {
    expect_splits(
        {{"k[1]*((y[1] + y[2])^f[1]) - (a - (b + c))", "k[1]*((y[1]+y[2])^f[1])", "(a-(b+c))"},
         {"-(y[4] - y[3])*k[1]/(K[1] + (y[4]^2))", "", "(y[4]-y[3])*k[1]/(K[1]+(y[4]^2))"},
         {"(y[1]^(-2)) - x", "(y[1]^(-2))", "x"},
         {"a + (-2*y[1])*c", "a+(-2*y[1])*c", ""},
         {"-(-a)", "", "(-a)"},
         {"(\ta +\r\n b)", "(a+b)", ""},
         {"0.123456789*y[1] - 0.987654321", "0.123457*y[1]", "0.987654"},
         {"3*y[1] - .5*y[2]", "3*y[1]", "0.5*y[2]"},
         {"2.0*k[1]", "2*k[1]", ""},
         {"(0.123456789 + y[1])", "(0.123456789+y[1])", ""},
         {"2.5e-007*y[1]", "2.5e-007*y[1]", ""},
         {"k[1] - 1e-005*y[2]", "k[1]", "1e-005*y[2]"},
         {"1e+006*y[1] - 2E-3", "1e+006*y[1]", "0.002"},
         {"-1.5e-010*y[1]*y[2] + 4e+020", "4e+020", "1.5e-010*y[1]*y[2]"},
         {"k1e2[1]*y[10] - kd007[3]", "k1e2[1]*y[10]", "kd007[3]"},
         {"k[a-b]*y[1] - c[x+1]", "k[a-b]*y[1]", "c[x+1]"},
         {"k.2[1] - r1.5e3", "k.2[1]", "r1.5e3"},
         {"constantPlayer[12]*y[1234567]", "constantPlayer[12]*y[1234567]", ""}});
}

}  // namespace
