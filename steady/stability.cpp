#include "stability.h"

#include "dense_jacobian.h"

#include <Eigen/Eigenvalues>
#include <algorithm>
#include <cmath>

namespace kinesteady {

namespace {

// A real part this small against the largest eigenvalue is rounding of 0: the eigenvalues'
// error is some tens of roundings of the largest, which a stiff model makes large.
constexpr double kMarginalReal = 1e-14;

std::string verdict_of(const std::vector<std::complex<double>>& eigenvalues) {
    if (eigenvalues.empty()) return "stable";
    double largest = 1.0;
    for (const auto& e : eigenvalues) largest = std::max(largest, std::abs(e));
    const double leading = eigenvalues.front().real();
    if (leading > kMarginalReal * largest) return "unstable";
    if (leading >= -kMarginalReal * largest) return "marginal";
    return "stable";
}

}  // namespace

int analyse_stability(kinesim::ModelFunctions& model, int algebraicCount,
                      const ConservationLaws& laws, const std::vector<double>& y,
                      const std::vector<std::string>& tags, Stability& result,
                      std::string& failure) {
    const int n = model.size(), na = algebraicCount;
    Eigen::MatrixXd reduced;
    if (!reduced_jacobian(dense_jacobian(model, y.data()), na, reduced)) {
        failure = "the algebraic equations' Jacobian by the algebraic variables is singular";
        return -1;
    }
    // Each pivot x_p = total - sum of the law's other terms, so d x_p / d x_free = -c_free.
    std::vector<int> free;
    for (int v = na; v < n; ++v) {
        if (laws.law_of(v) < 0) free.push_back(v);
    }
    const int nf = static_cast<int>(free.size());
    Eigen::MatrixXd dynamics(nf, nf);
    for (int r = 0; r < nf; ++r) {
        for (int c = 0; c < nf; ++c) {
            double entry = reduced(free[r] - na, free[c] - na);
            for (int k = 0; k < laws.count(); ++k)
                entry -= reduced(free[r] - na, laws.pivots[k] - na) * laws.coefficients[k][free[c]];
            dynamics(r, c) = entry;
        }
        result.variables.push_back(tags[free[r]]);
    }
    if (!dynamics.allFinite()) {
        failure = "the Jacobian at the steady state holds entries that are not numbers";
        return -1;
    }
    if (nf > 0) {
        Eigen::EigenSolver<Eigen::MatrixXd> solver(dynamics, false);
        if (solver.info() != Eigen::Success) {
            failure = "the eigenvalue iteration did not converge";
            return -1;
        }
        for (Eigen::Index k = 0; k < nf; ++k) result.eigenvalues.push_back(solver.eigenvalues()(k));
    }
    std::sort(result.eigenvalues.begin(), result.eigenvalues.end(),
              [](const auto& a, const auto& b) {
                  return a.real() != b.real() ? a.real() > b.real() : a.imag() > b.imag();
              });
    result.verdict = verdict_of(result.eigenvalues);
    return 0;
}

}  // namespace kinesteady
