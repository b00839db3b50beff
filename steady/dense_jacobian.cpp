#include "dense_jacobian.h"

#include <cmath>
#include <vector>

namespace kinesteady {

Eigen::MatrixXd dense_jacobian(kinesim::ModelFunctions& model, const double* y) {
    const int n = model.size();
    std::vector<double> rowMajor(static_cast<size_t>(n) * n);
    model.jacobian(y, rowMajor.data());
    return Eigen::Map<Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>>(
        rowMajor.data(), n, n);
}

bool reduced_jacobian(const Eigen::MatrixXd& j, int algebraicCount, Eigen::MatrixXd& reduced) {
    const Eigen::Index na = algebraicCount, nd = j.rows() - na;
    if (na == 0) {
        reduced = j;
        return true;
    }
    Eigen::PartialPivLU<Eigen::MatrixXd> algebraic(j.topLeftCorner(na, na));
    if (!(std::fabs(algebraic.determinant()) > 0.0)) return false;
    reduced = j.bottomRightCorner(nd, nd) -
              j.bottomLeftCorner(nd, na) * algebraic.solve(j.topRightCorner(na, nd));
    return true;
}

}  // namespace kinesteady
