#include "event_math.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kinesim {
namespace {

// Bare names: x and y are variables 0 and 1, k a value.
struct BareNames {
    double k = 0.7;
    NameResolver resolver() {
        return [this](const std::string& name, NameTarget& target, std::string& problem) {
            if (name == "x" || name == "y") {
                target.variable = name == "x" ? 0 : 1;
                return 0;
            }
            if (name == "k") {
                target.value = &k;
                return 0;
            }
            problem = "unknown " + name;
            return -1;
        };
    }
};

TEST(EventMath, GradientsAgreeWithFiniteDifferences) {
    const char* formulas[] = {
        "k * x ** 2 / (1 + y)",
        "exp(-k * x) + log(y) - log10(x * y) + sqrt(x + k)",
        "sin(x) * cos(y) + tan(k) - sinh(x / 3) + cosh(y / 4) * tanh(k * x)",
        "asin(k / 2) + acos(y / 3) + atan(x * y) + abs(x - 2 * y)",
        "x ^ k + k ^ y + (-2) ^ 3 * y",
        "min(x, k * y) + max(x, y) * 2",
        "piecewise(x * k, lt(x, y), y ^ 2, geq(k, 1), x + y)",
    };
    BareNames names;
    for (const char* text : formulas) {
        EventMath math;
        std::string problem;
        ASSERT_EQ(math.parse(text, names.resolver(), problem, true), 0) << text << ": " << problem;
        double y[2] = {1.3, 0.9};
        std::vector<double> byVariables, byValues;
        math.gradient(y, byVariables, byValues);
        const MathReads& reads = math.reads();
        for (size_t v = 0; v < reads.variables.size(); ++v) {
            double up[2] = {y[0], y[1]}, down[2] = {y[0], y[1]};
            up[reads.variables[v]] += 1e-6;
            down[reads.variables[v]] -= 1e-6;
            EXPECT_NEAR(byVariables[v], (math.value(up) - math.value(down)) / 2e-6, 1e-6) << text;
        }
        for (size_t p = 0; p < reads.values.size(); ++p) {
            double kept = names.k;
            names.k = kept + 1e-6;
            double high = math.value(y);
            names.k = kept - 1e-6;
            double low = math.value(y);
            names.k = kept;
            EXPECT_NEAR(byValues[p], (high - low) / 2e-6, 1e-6) << text;
        }
    }
}

TEST(EventMath, BareNamesOnlyWhenAsked) {
    BareNames names;
    EventMath math;
    std::string problem;
    EXPECT_NE(math.parse("k * x", names.resolver(), problem), 0);
    EXPECT_EQ(problem, "'k' is no variable, parameter or function at character 3");
    EXPECT_NE(math.parse("k * z", names.resolver(), problem, true), 0);
    EXPECT_EQ(problem, "unknown z at character 6");
    ASSERT_EQ(math.parse("2 ** 3 * k", names.resolver(), problem, true), 0);
    EXPECT_DOUBLE_EQ(math.value(nullptr), 8 * 0.7);
}

}  // namespace
}  // namespace kinesim
