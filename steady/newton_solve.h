// Newton's method on the steady-state equations with SUNDIALS KINSOL: the dense exact Jacobian,
// a line search, and the variables that must stay at or above 0 kept there.
#pragma once

#include <string>
#include <vector>

#include "steady_system.h"

namespace kinesteady {

// How each variable is bounded during the iteration: KINSOL's constraint codes.
enum class Bound { None = 0, NonNegative = 1, Positive = 2 };

// Iterates from `y` (replaced by the last iterate) until the scaled residual is below 1e-13 or
// the steps are below rounding. 0 when it stopped there, -1 with `failure` saying why not; the
// caller judges the result (at_rest), since a stop on small steps may be short of a root.
int newton_solve(SteadySystem& system, const std::vector<Bound>& bounds, std::vector<double>& y,
                 std::string& failure);

}  // namespace kinesteady
