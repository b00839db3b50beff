// Conservation laws of a model: linear combinations of the differential variables whose rate is
// 0 at every state where the algebraic equations hold. The generated code holds no
// stoichiometric matrix, so its left null space is found from the rates themselves, sampled at
// random states around the initial one with their algebraic variables solved for: every rate
// vector lies in the image of the stoichiometry, and enough of them span it. A quasi-steady
// complex (TPP) adds the laws of its totals that hold only there.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "model_functions.h"

namespace kinesteady {

// Law k: sum_j coefficients[k][j] y_j = total[k], with coefficient 1 at its pivot variable and 0
// there in every other law (reduced row echelon form, pivots the first variables that can be),
// variables from 0.
struct ConservationLaws {
    std::vector<std::vector<double>> coefficients;  // [law][variable], n entries each
    std::vector<int> pivots;                        // the variable each law stands in for
    std::vector<double> totals;

    int count() const { return static_cast<int>(pivots.size()); }
    // The pivot's law, -1 when `variable` is no pivot.
    int law_of(int variable) const;
    // sum_j coefficients[k][j] y_j.
    double amount(int law, const double* y) const;
};

// Finds the laws among the differential variables (algebraicCount and above) from the rates at
// samples around `initial`, with totals at `initial`. 0, or -1 with `failure` saying why (no
// sample gave finite rates).
int find_conservation_laws(kinesim::ModelFunctions& model, int algebraicCount,
                           const std::vector<double>& initial, std::mt19937& random,
                           ConservationLaws& laws, std::string& failure);

// "Kin.cyt + Kin:Sub.cyt = 0.5": a law with its variables' tags, coefficients other than 1
// written before them.
std::string describe_law(const ConservationLaws& laws, int law,
                         const std::vector<std::string>& tags);

}  // namespace kinesteady
