#include "steady_system.h"

namespace kinesteady {

SteadySystem::SteadySystem(kinesim::ModelFunctions& model, const ConservationLaws& laws)
    : model_(model), laws_(laws) {}

void SteadySystem::residual(const double* y, double* g) {
    model_.rhs(y, g);
    for (int k = 0; k < laws_.count(); ++k) g[laws_.pivots[k]] = laws_.amount(k, y) - laws_.totals[k];
}

void SteadySystem::jacobian(const double* y, Eigen::MatrixXd& a) {
    const int n = size();
    rowMajor_.resize(static_cast<size_t>(n) * n);
    model_.jacobian(y, rowMajor_.data());
    a = Eigen::Map<Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>>(
        rowMajor_.data(), n, n);
    for (int k = 0; k < laws_.count(); ++k) {
        for (int j = 0; j < n; ++j) a(laws_.pivots[k], j) = laws_.coefficients[k][j];
    }
}

}  // namespace kinesteady
