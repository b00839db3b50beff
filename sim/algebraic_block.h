// Whether N_ALGEBR fits the generated code. The C code does not say which equations are
// algebraic, but a DAE of index 1 needs the Jacobian block of its algebraic equations by its
// algebraic variables to be nonsingular, so at least structurally so: each of the first A
// equations must be matched to its own variable among the first A that it reads. An N_ALGEBR
// above the model's own count usually breaks this; one below it cannot be seen in the code.
#pragma once

#include <set>
#include <utility>

namespace kinesim {

// `entries` holds the (equation, variable) pairs of the Jacobian's non-zero entries, both from
// 1. Returns 0 when equations 1..algebraicCount can each be matched to a distinct variable of
// 1..algebraicCount that they read; else the first equation (in order) left without one.
int unmatched_algebraic_equation(const std::set<std::pair<int, int>>& entries, int algebraicCount);

}  // namespace kinesim
