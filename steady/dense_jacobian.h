// The model's Jacobian as the dense matrices the analysis works on.
#pragma once

#include <Eigen/Dense>

#include "model_functions.h"

namespace kinesteady {

// d f / d y at y (usr_fjac, n x n).
Eigen::MatrixXd dense_jacobian(kinesim::ModelFunctions& model, const double* y);

// The dynamics of the differential variables once the algebraic ones (the first
// algebraicCount) follow them: J_dd - J_da J_aa^-1 J_ad. False, `reduced` untouched, when J_aa
// is singular.
bool reduced_jacobian(const Eigen::MatrixXd& j, int algebraicCount, Eigen::MatrixXd& reduced);

}  // namespace kinesteady
