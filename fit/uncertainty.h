// How well the data determine the fitted parameters: standard errors and correlations from the
// Fisher information J'J of the weighted residuals at the optimum (J by the logs of the
// parameters), the covariance of the logs being its inverse.
#pragma once

#include <vector>

namespace kinefit {

struct Uncertainty {
    // Of the values themselves: p times the standard error of log p (to first order). Infinite
    // for a parameter the data do not determine (a direction of J'J without information).
    std::vector<double> standardErrors;
    std::vector<std::vector<double>> correlations;  // of the logs; NaN where undetermined
    int rank = 0;         // of J'J: below the number of parameters when some are undetermined
    bool scaled = false;  // scaled by chi2 / (residuals - parameters): some values had no sd
};

// `jacobian` is row-major, `residuals` x `slopes.size()`, by the search's coordinates, whose
// slopes d value / d x (the value itself for a log search) carry the errors over to the values.
// Without standard deviations for every value (`allWeighted` false) the weights are relative only,
// and the covariance is scaled by the residual variance chi2 / (residuals - parameters).
Uncertainty estimate_uncertainty(const std::vector<double>& jacobian, int residuals,
                                 const std::vector<double>& slopes, double chi2, bool allWeighted);

}  // namespace kinefit
