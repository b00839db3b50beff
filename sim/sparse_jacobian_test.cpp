#include "sparse_jacobian.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "dae_solver.h"
#include "model_inputs.h"

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

// A DAE of 10 variables: y0 = 2 - y2 and y1 = y0 y3 are algebraic; y2..y9 form a ring of
// conversions driven by both.
constexpr int kRing = 10;
constexpr int kRow = kRing + 1;

void ring_fvec(double f[], double y[], double, Parameter*) {
    f[1] = 2 - y[1] - y[3];
    f[2] = y[1] * y[4] - y[2];
    for (int i = 3; i <= kRing; ++i) {
        int next = i == kRing ? 3 : i + 1;
        f[i] = -0.3 * i * y[i] * y[1] + 0.7 * y[next] + 0.1 * y[2] - 0.05 * y[i];
    }
}

void ring_fjac(double* jac, double y[], double, Parameter*) {
    jac[1 * kRow + 1] = -1;
    jac[1 * kRow + 3] = -1;
    jac[2 * kRow + 1] = y[4];
    jac[2 * kRow + 4] = y[1];
    jac[2 * kRow + 2] = -1;
    for (int i = 3; i <= kRing; ++i) {
        int next = i == kRing ? 3 : i + 1;
        jac[i * kRow + i] = -0.3 * i * y[1] - 0.05;
        jac[i * kRow + 1] = -0.3 * i * y[i];
        jac[i * kRow + next] += 0.7;
        jac[i * kRow + 2] = 0.1;
    }
}

// The compressed-column form of ring_fjac, as a -J file would give it.
RandomPattern ring_pattern;

void ring_csc(double values[], double y[], double gene, Parameter* p) {
    std::vector<double> rows(kRow * kRow, 0.0);
    ring_fjac(rows.data(), y, gene, p);
    for (int c = 0; c < kRing; ++c) {
        for (int k = ring_pattern.colptr[c]; k < ring_pattern.colptr[c + 1]; ++k) {
            values[k] = rows[(ring_pattern.rowidx[k] + 1) * kRow + c + 1];
        }
    }
}

std::vector<std::vector<double>> integrate_ring(LinearSolverKind kind) {
    if (ring_pattern.rowidx.empty()) {
        std::vector<double> y(kRow, 1.0), rows(kRow * kRow, 0.0);
        ring_fjac(rows.data(), y.data(), 1.0, nullptr);
        for (int c = 1; c <= kRing; ++c) {
            for (int r = 1; r <= kRing; ++r) {
                if (rows[r * kRow + c] != 0.0) ring_pattern.rowidx.push_back(r - 1);
            }
            ring_pattern.colptr.push_back(static_cast<int>(ring_pattern.rowidx.size()));
        }
    }
    SparseJacobianCode sparse = ring_pattern.code();
    sparse.values = ring_csc;
    ModelFunctions model(ring_fvec, ring_fjac, nullptr, kRing, sparse);
    SolverSettings settings;
    settings.relativeTolerance = 1e-10;
    settings.absoluteTolerance = 1e-12;
    settings.linearSolver = kind;
    std::vector<std::vector<double>> states;
    std::vector<double> initial = {0.0, 0.0, 1.5, 0.2, 0.1, 0.0, 0.3, 0.0, 0.9, 0.4};
    int status =
        integrate_dae(model, 2, std::vector<std::string>(kRing, "y"), initial, {0.0, 30.0, 1.5},
                      settings, [&](double, const std::vector<double>& y) {
                          states.push_back(y);
                          return 0;
                      });
    EXPECT_EQ(status, 0);
    return states;
}

// Both solve to 1e-10 relative, 1e-12 absolute at each step; the courses agree to 100 times that.
TEST(SparseSolver, KluAndDenseAgreeOnADaeWithAlgebraicEquations) {
    std::vector<std::vector<double>> dense = integrate_ring(LinearSolverKind::Dense);
    std::vector<std::vector<double>> klu = integrate_ring(LinearSolverKind::Klu);
    ASSERT_EQ(dense.size(), 21u);
    ASSERT_EQ(klu.size(), dense.size());
    EXPECT_NEAR(klu[0][0], 2 - klu[0][2], 1e-12);  // made consistent first
    for (size_t t = 0; t < dense.size(); ++t) {
        for (int i = 0; i < kRing; ++i) {
            EXPECT_NEAR(klu[t][i], dense[t][i], 1e-8 * std::fabs(dense[t][i]) + 1e-10)
                << "variable " << i << " at output " << t;
        }
    }
}

}  // namespace
}  // namespace kinesim
