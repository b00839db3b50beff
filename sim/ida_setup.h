// The IDAS set-up that every program integrating a model shares: the residual
// F = [g(y); y' - f(y)] of the semi-explicit DAE (the first algebraicCount equations algebraic),
// the solver's objects and their initialisation with the linear solver of the settings.
#pragma once

#include <sundials/sundials_context.h>
#include <sundials/sundials_nvector.h>

#include <memory>
#include <string>
#include <vector>

#include "dae_solver.h"
#include "linear_solver.h"
#include "model_functions.h"

namespace kinesim {

class StateEvents;

// What the callbacks share, and what they noticed on the way to a failure.
struct SolverState : IdaUserData {
    SolverState(ModelFunctions& model, int algebraicCount, double atol)
        : model(model), algebraicCount(algebraicCount), atol(atol) {}
    ModelFunctions& model;
    int algebraicCount;
    double atol;
    std::string lastMessage;                   // IDA's last error message
    const StateEvents* stateEvents = nullptr;  // whose triggers the root finder watches
    int nonFiniteRow = -1;                     // first equation that gave inf or nan
    double nonFiniteValue = 0.0;
    double nonFiniteTime = 0.0;
};

// The solver's objects, released together.
struct IdaObjects {
    SUNContext context = nullptr;
    void* mem = nullptr;
    N_Vector y = nullptr, dy = nullptr, id = nullptr;
    std::unique_ptr<LinearSolver> linear;

    IdaObjects() = default;
    IdaObjects(const IdaObjects&) = delete;
    IdaObjects& operator=(const IdaObjects&) = delete;
    ~IdaObjects();
};

// Creates the solver for `state.model` at time `start` from `initial` (y' = f(y) in the
// differential rows, 0 in the algebraic ones, which IDACalcIC is to make consistent) and
// attaches the residual, `state` as user data, a handler that keeps IDA's last message in
// `state`, the tolerances and the linear solver of `settings`. 0, or -1 (nothing logged).
int setup_ida(IdaObjects& ida, SolverState& state, const std::vector<double>& initial, double start,
              const SolverSettings& settings);

// Starts the solver again at `time` from ida.y (a parameter changed there): the slopes as in
// setup_ida. 0, or -1.
int restart_ida(IdaObjects& ida, SolverState& state, double time);

// IDACalcIC for the algebraic variables and the differential slopes, at a first-output hint fixed
// by the start time alone, so that the output grid cannot change the outcome. IDA's flag.
int calc_consistent_initial_values(IdaObjects& ida, double start);

// Forbids steps past `end`, except over spans so short that IDA's own check of the stop time
// (the span times the step size) underflows to 0; there the span is simply integrated through.
void set_stop_time(IdaObjects& ida, double start, double end);

// What an IDAS failure flag means, for messages ("too many steps before the next output time").
std::string failure_reason(int flag);

}  // namespace kinesim
