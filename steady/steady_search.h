// The search for a steady state: Newton from the initial state; where it does not converge, the
// time course from the initial state is followed to rest and Newton polishes that state. The
// result is checked against that time course: whether the initial state leads to it.
#pragma once

#include <string>
#include <vector>

#include "dae_solver.h"
#include "newton_solve.h"
#include "steady_system.h"

namespace kinesteady {

struct SteadyState {
    std::vector<double> y;
    std::string route;          // how it was found, for the report
    bool reached = false;       // the time course from the initial state comes to rest there
    std::string reachedNote;    // why not, when not
    double largestRate = 0.0;   // max |f_i| over the differential rows
    double scale = 1.0;         // the search's scale (SearchInputs)
    std::string largestRateOf;  // that row's variable
};

struct SearchInputs {
    int algebraicCount = 0;
    std::vector<std::string> tags;
    std::vector<double> initial;
    std::vector<Bound> bounds;
    kinesim::SolverSettings settings;
    // The size below which amounts are rounding: 1, or the largest initial value where that is
    // smaller (a model in moles of a few molecules); tolerances scale with it.
    double scale = 1.0;
};

// `scale` from the initial state, and the integration's absolute tolerance scaled by it.
void set_scale(SearchInputs& inputs);

// 0 with `found`, or -1 with `failure` saying why no steady state was found.
int find_steady_state(SteadySystem& system, const SearchInputs& inputs, SteadyState& found,
                      std::string& failure);

}  // namespace kinesteady
