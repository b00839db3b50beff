#include "algebraic_start.h"

#include <sundials/sundials_dense.h>

#include <algorithm>
#include <cmath>

#include "format.h"

namespace kinesim {

namespace {

constexpr int kMaxNewtonSteps = 100;
constexpr double kSmallestStepFraction = 1e-10;
constexpr double kStepTolerance = 1e-4;

// The algebraic rows of f at y, and their sum of squares (inf when one is not a number).
double algebraic_residuals(ModelFunctions& model, int count, const std::vector<double>& y,
                           std::vector<double>& f, std::vector<double>& g) {
    model.rhs(y.data(), f.data());
    double sum = 0.0;
    for (int i = 0; i < count; ++i) {
        g[i] = f[i];
        if (!std::isfinite(g[i])) return INFINITY;
        sum += g[i] * g[i];
    }
    return std::isfinite(sum) ? sum : INFINITY;
}

// The count x count block of d g / d y_a, column by column (column j at block[j * count]).
bool algebraic_jacobian(ModelFunctions& model, int count, const std::vector<double>& y,
                        std::vector<double>& block) {
    std::fill(block.begin(), block.end(), 0.0);
    const SparseJacobianCode& sparse = model.sparse();
    if (model.has_sparse()) {
        std::vector<double> values(sparse.nnz);
        model.sparse_jacobian(y.data(), values.data());
        for (int j = 0; j < count; ++j) {
            for (int k = sparse.colptr[j]; k < sparse.colptr[j + 1]; ++k) {
                if (sparse.rowidx[k] < count) block[j * count + sparse.rowidx[k]] = values[k];
            }
        }
    } else {
        int n = model.size();
        const double* rows = model.jacobian_rows(y.data());
        size_t stride = static_cast<size_t>(n) + 1;
        for (int j = 0; j < count; ++j) {
            for (int i = 0; i < count; ++i) block[j * count + i] = rows[(i + 1) * stride + j + 1];
        }
    }
    return std::all_of(block.begin(), block.end(), [](double v) { return std::isfinite(v); });
}

// Solves block * step = -g in place of g; false with the column (from 0) of a zero pivot.
bool newton_step(std::vector<double>& block, int count, std::vector<double>& g, int& column) {
    std::vector<double*> columns(count);
    for (int j = 0; j < count; ++j) columns[j] = &block[static_cast<size_t>(j) * count];
    std::vector<sunindextype> pivots(count);
    sunindextype zero = SUNDlsMat_denseGETRF(columns.data(), count, count, pivots.data());
    if (zero != 0) {
        column = static_cast<int>(zero - 1);
        return false;
    }
    for (double& v : g) v = -v;
    SUNDlsMat_denseGETRS(columns.data(), count, pivots.data(), g.data());
    return std::all_of(g.begin(), g.end(), [](double v) { return std::isfinite(v); });
}

bool step_is_small(const std::vector<double>& y, const std::vector<double>& step, double scale,
                   double rtol, double atol) {
    for (size_t i = 0; i < step.size(); ++i) {
        if (std::fabs(scale * step[i]) > kStepTolerance * (rtol * std::fabs(y[i]) + atol))
            return false;
    }
    return true;
}

void note_worst(AlgebraicStart& start, const std::vector<double>& g) {
    start.worstEquation = 0;
    for (size_t i = 1; i < g.size(); ++i) {
        if (!(std::fabs(g[i]) <= std::fabs(g[start.worstEquation])))
            start.worstEquation = static_cast<int>(i);
    }
    start.worstResidual = g.empty() ? 0.0 : g[start.worstEquation];
}

}  // namespace

AlgebraicStart solve_algebraic_start(ModelFunctions& model, int algebraicCount,
                                     std::vector<double>& y, double rtol, double atol) {
    AlgebraicStart start;
    if (algebraicCount <= 0) return start;
    if (algebraicCount > kAlgebraicBlockLimit) {
        start.outcome = AlgebraicStart::TooLarge;
        return start;
    }
    int count = algebraicCount;
    std::vector<double> f(model.size()), g(count), step(count), trial(y), block(count * count);
    double merit = algebraic_residuals(model, count, y, f, g);
    auto fail = [&](std::string reason) {
        start.outcome = AlgebraicStart::Failed;
        start.reason = std::move(reason);
        note_worst(start, g);
        return start;
    };
    if (!std::isfinite(merit)) return fail("the equations give values that are not numbers");
    for (; start.newtonSteps < kMaxNewtonSteps; ++start.newtonSteps) {
        if (merit == 0.0) return start;
        if (!algebraic_jacobian(model, count, y, block))
            return fail("the Jacobian of the algebraic equations is not a number");
        step = g;
        int column = -1;
        if (!newton_step(block, count, step, column)) {
            return fail(column < 0 ? "the Newton step is not a number"
                                   : zymorax::format("the Jacobian of the algebraic equations is "
                                                     "singular in the column of variable %d",
                                                     column + 1));
        }
        double lambda = 1.0, tried = INFINITY;
        std::vector<double> triedG(count);
        for (; lambda >= kSmallestStepFraction; lambda /= 2) {
            for (int i = 0; i < count; ++i) trial[i] = y[i] + lambda * step[i];
            tried = algebraic_residuals(model, count, trial, f, triedG);
            if (tried <= (1.0 - 1e-4 * lambda) * merit) break;
        }
        bool small = step_is_small(y, step, lambda, rtol, atol);
        if (lambda < kSmallestStepFraction) {
            if (step_is_small(y, step, 1.0, rtol, atol)) return start;  // at rounding level
            return fail("no step along the Newton direction makes the equations smaller");
        }
        std::copy_n(trial.begin(), count, y.begin());
        g = triedG;
        merit = tried;
        if (small && lambda == 1.0) return start;
    }
    return fail(zymorax::format("%d Newton steps did not converge", kMaxNewtonSteps));
}

std::string describe_worst_equation(const AlgebraicStart& start,
                                    const std::vector<std::string>& tags) {
    int row = start.worstEquation;
    return zymorax::format("algebraic equation %d (row of variable %d (%s)) gives %.10g", row + 1,
                           row + 1, tags[row].c_str(), start.worstResidual);
}

std::string worst_equation_at(ModelFunctions& model, int algebraicCount,
                              const std::vector<double>& y, const std::vector<std::string>& tags) {
    std::vector<double> f(model.size()), g(algebraicCount);
    algebraic_residuals(model, algebraicCount, y, f, g);
    AlgebraicStart at;
    note_worst(at, g);
    return describe_worst_equation(at, tags);
}

}  // namespace kinesim
