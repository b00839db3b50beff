#include "jacobian_check.h"

#include <algorithm>
#include <cmath>

#include "format.h"

namespace kinesim {

namespace {

// Central differences, column by column; the step follows the cube root of the machine epsilon.
std::vector<double> difference_jacobian(ModelFunctions& model, const std::vector<double>& state) {
    int n = model.size();
    std::vector<double> result(static_cast<size_t>(n) * n), y = state, up(n), down(n);
    for (int j = 0; j < n; ++j) {
        double h = 6e-6 * std::max(std::fabs(state[j]), 1e-3);
        y[j] = state[j] + h;
        model.rhs(y.data(), up.data());
        y[j] = state[j] - h;
        model.rhs(y.data(), down.data());
        y[j] = state[j];
        for (int i = 0; i < n; ++i)
            result[static_cast<size_t>(i) * n + j] = (up[i] - down[i]) / (2 * h);
    }
    return result;
}

}  // namespace

JacobianComparison compare_jacobian(ModelFunctions& model, const std::vector<double>& state) {
    int n = model.size();
    std::vector<double> generated(static_cast<size_t>(n) * n);
    model.jacobian(state.data(), generated.data());
    std::vector<double> difference = difference_jacobian(model, state);
    JacobianComparison result;
    for (int i = 0; i < n; ++i) {
        const double* g = &generated[static_cast<size_t>(i) * n];
        const double* d = &difference[static_cast<size_t>(i) * n];
        double rowScale = 0.0;
        for (int j = 0; j < n; ++j)
            rowScale = std::max({rowScale, std::fabs(g[j]), std::fabs(d[j])});
        for (int j = 0; j < n; ++j) {
            if (!std::isfinite(g[j]) || !std::isfinite(d[j])) {
                ++result.nonFiniteEntries;
                continue;
            }
            double scale = std::max({std::fabs(g[j]), std::fabs(d[j]), 1e-6 * rowScale, 1e-300});
            double error = std::fabs(g[j] - d[j]) / scale;
            if (error > result.largestError) {
                result =
                    JacobianComparison{error, i + 1, j + 1, g[j], d[j], result.nonFiniteEntries};
            }
        }
    }
    return result;
}

std::string describe_comparison(const JacobianComparison& result,
                                const std::vector<std::string>& tags) {
    std::string text;
    if (result.row == 0) {
        text = "usr_fjac agrees with finite differences of usr_fvec: largest relative error 0\n";
    } else {
        text = zymorax::format(
            "Largest relative error of usr_fjac: %.3e at fjac[%d][%d] (equation of %s, by %s): "
            "usr_fjac %.10g, finite differences %.10g\n",
            result.largestError, result.row, result.column, tags[result.row - 1].c_str(),
            tags[result.column - 1].c_str(), result.generated, result.difference);
    }
    if (result.nonFiniteEntries > 0) {
        text += zymorax::format("%d entries are not numbers (inf or nan) and were not compared\n",
                                result.nonFiniteEntries);
    }
    return text;
}

}  // namespace kinesim
