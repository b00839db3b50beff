// A model's time course at chosen times and, when asked, its forward sensitivities: how each
// variable changes with the log of each chosen parameter, integrated by IDAS beside the model.
//
// The sensitivity equations need dF/dy (the generated Jacobian, exact) and dF/dp. symcode
// writes no derivatives by parameters, so dF/dp comes from central differences of usr_fvec in
// the parameter alone (relative step 6e-6): their error, about 1e-10 of the rates, stays far
// below the integration's tolerance, and every other term is exact.
#pragma once

#include <string>
#include <vector>

#include "dae_solver.h"
#include "model_functions.h"
#include "state_events.h"
#include "time_events.h"

namespace kinefit {

struct Course {
    int variables = 0;
    int parameters = 0;                 // 0 when no sensitivities were asked for
    std::vector<double> states;         // [k * variables + i]: variable i at times[k]
    std::vector<double> sensitivities;  // [(k * parameters + j) * variables + i]: d y_i / d log p_j

    double state(int time, int variable) const { return states[time * variables + variable]; }
    double sensitivity(int time, int parameter, int variable) const {
        return sensitivities[(static_cast<size_t>(time) * parameters + parameter) * variables +
                             variable];
    }
};

// Integrates from `initial` at time 0 (the algebraic variables made consistent first, as
// kinesim does) and records the state at each of `times` (increasing, none below 0). `events`
// (by time) are applied as kinesim applies them, those at 0 before the start; a record at an
// event's time is after it, and the parameters are as before when it returns. With
// `parameters` not empty (the values the model reads, in its parameter record) it records the
// sensitivities to their logs as well, from d f / d p of the model's -Q code (which it must then
// have: ModelFunctions::set_parameter_jacobian), under the same error control as the state. 0, or -1 with
// `failure` saying at what time and why; nothing is logged, since a search meets parameter sets
// that cannot be integrated on its way. `stateEvents` (loaded on the model's parameter record),
// when given, fire as kinesim fires them, and the sensitivities jump across them (event_jumps.h).
// `initialSlopes`, when given, are the sensitivities at the start, d initial_i / d log p_j at
// [j * n + i] (initial values computed from the parameters); else they start at 0. With
// `byValue`, the sensitivities to parameter j are by its value where byValue[j] is set. With
// `aliases`, the elements aliases[j] carry parameter j's value too, and its sensitivities follow
// all of them.
int solve_course(kinesim::ModelFunctions& model, int algebraicCount,
                 const std::vector<double>& initial, const std::vector<double>& times,
                 const std::vector<kinesim::TimeEvent>& events,
                 const std::vector<double*>& parameters, const kinesim::SolverSettings& settings,
                 Course& course, std::string& failure,
                 kinesim::StateEvents* stateEvents = nullptr,
                 const std::vector<double>* initialSlopes = nullptr,
                 const std::vector<char>* byValue = nullptr,
                 const kinesim::ParameterAliases* aliases = nullptr);

}  // namespace kinefit
