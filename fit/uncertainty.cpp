#include "uncertainty.h"

#include <Eigen/Dense>
#include <cmath>
#include <limits>

namespace kinefit {

namespace {

// Eigenvalues of J'J below this fraction of the largest carry no information: beyond the
// precision of the sensitivities.
constexpr double kRankTolerance = 1e-12;

// How much of parameter j lies in the directions without information; above this it counts as
// undetermined.
constexpr double kUndeterminedShare = 1e-8;

}  // namespace

Uncertainty estimate_uncertainty(const std::vector<double>& jacobian, int residuals,
                                 const std::vector<double>& slopes, double chi2, bool allWeighted) {
    int k = static_cast<int>(slopes.size());
    Eigen::Map<const Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>> j(
        jacobian.data(), residuals, k);
    Eigen::SelfAdjointEigenSolver<Eigen::MatrixXd> eigen(j.transpose() * j);
    const Eigen::VectorXd& lambda = eigen.eigenvalues();  // increasing
    const Eigen::MatrixXd& v = eigen.eigenvectors();
    double largest = k > 0 ? lambda(k - 1) : 0.0;
    Eigen::MatrixXd covariance = Eigen::MatrixXd::Zero(k, k);
    Eigen::VectorXd undetermined = Eigen::VectorXd::Zero(k);
    Uncertainty result;
    for (int i = 0; i < k; ++i) {
        if (largest > 0.0 && lambda(i) > kRankTolerance * largest) {
            covariance += v.col(i) * v.col(i).transpose() / lambda(i);
            ++result.rank;
        } else {
            undetermined += v.col(i).cwiseAbs2();
        }
    }
    result.scaled = !allWeighted;
    if (result.scaled) covariance *= residuals > k ? chi2 / (residuals - k) : 0.0;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    result.correlations.assign(k, std::vector<double>(k, nan));
    for (int a = 0; a < k; ++a) {
        bool known = undetermined(a) <= kUndeterminedShare;
        result.standardErrors.push_back(known ? slopes[a] * std::sqrt(covariance(a, a))
                                              : std::numeric_limits<double>::infinity());
        for (int b = 0; b < k; ++b) {
            double scale = std::sqrt(covariance(a, a) * covariance(b, b));
            if (known && undetermined(b) <= kUndeterminedShare && scale > 0.0)
                result.correlations[a][b] = covariance(a, b) / scale;
        }
    }
    return result;
}

}  // namespace kinefit
