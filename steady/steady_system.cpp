#include "steady_system.h"

#include "dense_jacobian.h"

namespace kinesteady {

SteadySystem::SteadySystem(kinesim::ModelFunctions& model, const ConservationLaws& laws)
    : model_(model), laws_(laws) {}

void SteadySystem::residual(const double* y, double* g) {
    model_.rhs(y, g);
    for (int k = 0; k < laws_.count(); ++k) g[laws_.pivots[k]] = laws_.amount(k, y) - laws_.totals[k];
}

void SteadySystem::jacobian(const double* y, Eigen::MatrixXd& a) {
    const int n = size();
    a = dense_jacobian(model_, y);
    for (int k = 0; k < laws_.count(); ++k) {
        for (int j = 0; j < n; ++j) a(laws_.pivots[k], j) = laws_.coefficients[k][j];
    }
}

}  // namespace kinesteady
