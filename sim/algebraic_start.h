// Consistent initial values of the algebraic variables, found before the integrator starts: the
// algebraic equations g(y) = 0 solved for the first algebraicCount variables with the differential
// ones held. The solution depends on the model and its values only, never on the output times, and
// a failure names the equation that is left unsatisfied.
#pragma once

#include <string>
#include <vector>

#include "model_functions.h"

namespace kinesim {

// Up to this many algebraic variables the block of their Jacobian is factored densely here; above
// it the integrator's own initial-condition solver is left to do the work.
constexpr int kAlgebraicBlockLimit = 2000;

struct AlgebraicStart {
    enum Outcome { Solved, Failed, TooLarge };
    Outcome outcome = Solved;
    std::string reason;     // why it failed: singular block, no descent, iteration limit
    int worstEquation = 0;  // from 0: the algebraic equation farthest from 0 where it stopped
    double worstResidual = 0.0;
    int newtonSteps = 0;
};

// Newton's method on the algebraic block of the Jacobian (from the -J file when the model has one,
// else usr_fjac's rows) with a backtracking line search on the squared residuals. `y` holds the
// guess and receives the values found (or the closest ones, on failure). Steps are small enough
// when every change is below 1e-4 of rtol |y| + atol.
AlgebraicStart solve_algebraic_start(ModelFunctions& model, int algebraicCount,
                                     std::vector<double>& y, double rtol, double atol);

// "algebraic equation 2 (row of variable 2 (S)) gives 5" for the failure's worst equation.
std::string describe_worst_equation(const AlgebraicStart& start,
                                    const std::vector<std::string>& tags);

// The same for the algebraic equation farthest from 0 at `y`.
std::string worst_equation_at(ModelFunctions& model, int algebraicCount,
                              const std::vector<double>& y, const std::vector<std::string>& tags);

}  // namespace kinesim
