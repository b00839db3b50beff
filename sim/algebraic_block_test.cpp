#include "algebraic_block.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

namespace kinesim {
namespace {

using Entries = std::set<std::pair<int, int>>;

// Whether equations 1..k can each take a distinct variable of 1..count they read: tried over
// every ordering of the variables.
bool matchable(const Entries& entries, int k, int count) {
    std::vector<int> variables(count);
    std::iota(variables.begin(), variables.end(), 1);
    do {
        bool all = true;
        for (int equation = 1; equation <= k && all; ++equation) {
            all = entries.count({equation, variables[equation - 1]}) > 0;
        }
        if (all) return true;
    } while (std::next_permutation(variables.begin(), variables.end()));
    return false;
}

// The answer is the first k for which equations 1..k cannot be matched, 0 when none.
TEST(AlgebraicBlock, FindsTheFirstEquationThatCannotBeMatched) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 3000; ++trial) {
        int count = 1 + static_cast<int>(random() % 6);
        Entries entries;
        for (int i = 1; i <= count + 1; ++i) {
            for (int n = 1; n <= count + 1; ++n) {
                if (random() % 3 == 0)
                    entries.emplace(i, n);  // rows and columns past the block too
            }
        }
        int expected = 0;
        for (int k = 1; k <= count && expected == 0; ++k) {
            if (!matchable(entries, k, count)) expected = k;
        }
        ASSERT_EQ(unmatched_algebraic_equation(entries, count), expected) << trial;
    }
    EXPECT_EQ(unmatched_algebraic_equation({}, 0), 0);
}

}  // namespace
}  // namespace kinesim
