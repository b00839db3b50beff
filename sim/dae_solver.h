// Integrates the generated model as a semi-explicit DAE with SUNDIALS IDA: the first
// algebraicCount equations are algebraic (0 = usr_fvec row), the others give dy/dt.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "linear_solver.h"
#include "model_functions.h"
#include "time_events.h"

namespace kinesim {

class StateEvents;

struct SolverSettings {
    double relativeTolerance = 1e-8;
    double absoluteTolerance = 1e-10;
    long maxStepsPerOutput = 50000;
    LinearSolverKind linearSolver = LinearSolverKind::Dense;  // Dense or Klu
    // The algebraic variables out of the error test (a jump of one, where a rule switches,
    // passes none); integrate_dae solves them again at each output time.
    bool algebraicOutOfErrorTest = false;
};

// Spans and output steps shorter than this are refused: IDA's first step, a thousandth of the
// span, would have a reciprocal beyond the doubles.
constexpr double kShortestInterval = 1e-300;

// The output times start, start + step, ... and the end itself.
struct TimeGrid {
    double start = 0.0;
    double end = 0.0;
    double step = 1.0;
};

// Receives the state at each output time, the first time with the consistent initial state.
// A non-zero result stops the integration (and is returned).
using OutputSink = std::function<int(double time, const std::vector<double>& state)>;

// Makes the algebraic variables consistent with the differential ones (IDA's own initial
// condition solver, starting from the given values), then integrates with the generated
// Jacobian and the linear solver of the settings. `events` (by time) within the grid's span are
// applied at their times, those at the start before it; the output at an event's time is the
// state after it. `stateEvents` (when given) fire where their triggers turn true, those true at
// the start before the first output. The parameters are as before when it returns. 0, or -1 after
// logging the time and the variable at which the solver failed.
int integrate_dae(ModelFunctions& model, int algebraicCount, const std::vector<std::string>& tags,
                  const std::vector<double>& initial, const TimeGrid& grid,
                  const SolverSettings& settings, const OutputSink& sink,
                  const std::vector<TimeEvent>& events = {}, StateEvents* stateEvents = nullptr);

}  // namespace kinesim
