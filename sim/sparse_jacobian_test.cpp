#include "sparse_jacobian.h"

#include <gtest/gtest.h>

#include <random>

namespace kinesim {
namespace {

// A random f pattern in compressed-column form, with its arrays.
struct RandomPattern {
    std::vector<int> colptr{0}, rowidx;
    SparseJacobianCode code() const {
        return {static_cast<int>(colptr.size()) - 1, static_cast<int>(rowidx.size()), colptr.data(),
                rowidx.data(), nullptr};
    }
};

RandomPattern random_pattern(int n, double density, std::mt19937& random) {
    RandomPattern p;
    std::bernoulli_distribution present(density);
    for (int c = 0; c < n; ++c) {
        for (int r = 0; r < n; ++r) {
            if (present(random)) p.rowidx.push_back(r);
        }
        p.colptr.push_back(static_cast<int>(p.rowidx.size()));
    }
    return p;
}

// IDA's matrix for F = [g(y); y' - f(y)] scattered from the union pattern equals, entry by
// entry, the dense formula; each column's rows rise; nothing outside f's pattern and the
// differential diagonal is stored.
TEST(IterationPattern, EqualsTheDenseIterationMatrixOnRandomPatterns) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-2.0, 2.0);
    for (int trial = 0; trial < 200; ++trial) {
        int n = 1 + trial % 23;
        int algebraic = static_cast<int>(random() % (n + 1));
        RandomPattern f = random_pattern(n, trial % 3 == 0 ? 0.05 : 0.3, random);
        ASSERT_EQ(check_sparse_pattern(f.code(), n, "f.c"), 0);
        std::vector<double> dense(n * n, 0.0), fValues(f.rowidx.size());
        for (int c = 0; c < n; ++c) {
            for (int k = f.colptr[c]; k < f.colptr[c + 1]; ++k) {
                fValues[k] = value(random);
                dense[f.rowidx[k] * n + c] = fValues[k];
            }
        }
        double cj = 3.5;
        IterationPattern pattern(f.code(), algebraic);
        std::vector<double> values(pattern.nonzeros());
        pattern.fill(fValues.data(), cj, values.data());
        std::vector<int> stored(n * n, 0);
        std::vector<double> scattered(n * n, 0.0);
        for (int c = 0; c < n; ++c) {
            for (auto k = pattern.colptr()[c]; k < pattern.colptr()[c + 1]; ++k) {
                auto r = pattern.rowidx()[k];
                ASSERT_TRUE(k == pattern.colptr()[c] || r > pattern.rowidx()[k - 1]);
                stored[r * n + c] = 1;
                scattered[r * n + c] = values[k];
            }
        }
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < n; ++j) {
                double expected = i < algebraic ? dense[i * n + j] : -dense[i * n + j];
                if (i == j && i >= algebraic) expected += cj;
                EXPECT_EQ(scattered[i * n + j], expected) << trial << ": " << i << "," << j;
                bool needed = dense[i * n + j] != 0.0 || (i == j && i >= algebraic);
                EXPECT_EQ(stored[i * n + j], needed ? 1 : 0) << trial << ": " << i << "," << j;
            }
        }
    }
}

}  // namespace
}  // namespace kinesim
