// The equations a steady state solves: every right-hand side at 0, except that the row of each
// conservation law's pivot holds the law itself (sum c_j y_j - total = 0), so that the
// Jacobian of a model with conserved amounts is not singular.
#pragma once

#include <Eigen/Dense>
#include <vector>

#include "conservation.h"
#include "model_functions.h"

namespace kinesteady {

class SteadySystem {
  public:
    SteadySystem(kinesim::ModelFunctions& model, const ConservationLaws& laws);

    int size() const { return model_.size(); }
    kinesim::ModelFunctions& model() { return model_; }
    const ConservationLaws& laws() const { return laws_; }
    void set_total(int law, double total) { laws_.totals[law] = total; }

    // g(y), size() entries.
    void residual(const double* y, double* g);
    // d g / d y at y.
    void jacobian(const double* y, Eigen::MatrixXd& a);

  private:
    kinesim::ModelFunctions& model_;
    ConservationLaws laws_;
};

}  // namespace kinesteady
