// Stability of a steady state: the eigenvalues of the Jacobian of the dynamics that remain once
// the algebraic variables are solved for and each conservation law's pivot is expressed by the
// other variables (a law adds an eigenvalue 0 that says nothing about stability).
#pragma once

#include <complex>
#include <string>
#include <vector>

#include "steady_system.h"

namespace kinesteady {

struct Stability {
    std::vector<std::complex<double>> eigenvalues;  // by decreasing real part
    std::vector<std::string> variables;             // the variables the reduced dynamics keep
    std::string verdict;                            // "stable", "unstable" or "marginal"
};

// 0, or -1 with `failure` saying why (the algebraic block is singular).
int analyse_stability(kinesim::ModelFunctions& model, int algebraicCount,
                      const ConservationLaws& laws, const std::vector<double>& y,
                      const std::vector<std::string>& tags, Stability& result,
                      std::string& failure);

}  // namespace kinesteady
