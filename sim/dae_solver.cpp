#include "dae_solver.h"

#include <idas/idas.h>
#include <nvector/nvector_serial.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "algebraic_start.h"
#include "format.h"
#include "ida_setup.h"
#include "log.h"
#include "own_kinetics.h"
#include "state_events.h"

namespace kinesim {

namespace {

std::string number(double value) {
    return zymorax::format("%.10g", value);
}

std::string variable_name(const std::vector<std::string>& tags, int index) {
    return zymorax::format("variable %d (%s)", index + 1, tags[index].c_str());
}

// The variable with the largest weighted local error estimate.
int largest_error_variable(IdaObjects& ida, int n) {
    N_Vector errors = N_VClone(ida.y);
    N_Vector weights = N_VClone(ida.y);
    int worst = 0;
    if (IDAGetEstLocalErrors(ida.mem, errors) == IDA_SUCCESS &&
        IDAGetErrWeights(ida.mem, weights) == IDA_SUCCESS) {
        const double* e = N_VGetArrayPointer(errors);
        const double* w = N_VGetArrayPointer(weights);
        for (int i = 1; i < n; ++i) {
            if (std::fabs(e[i] * w[i]) > std::fabs(e[worst] * w[worst])) worst = i;
        }
    }
    N_VDestroy(errors);
    N_VDestroy(weights);
    return worst;
}

// The variable that changes fastest for its size: dy/dt from the last accepted step, or, when no
// step was accepted yet (a failure at the start), from the equations at the current state. The
// algebraic variables are judged by the step too, and left out at the start.
int fastest_variable(IdaObjects& ida, SolverState& state) {
    int n = state.model.size();
    std::vector<double> y(n), rate(n);
    double now = 0.0;
    long steps = 0;
    N_Vector value = N_VMake_Serial(n, y.data(), ida.context);
    N_Vector slope = N_VMake_Serial(n, rate.data(), ida.context);
    bool stepped = IDAGetNumSteps(ida.mem, &steps) == IDA_SUCCESS && steps > 0 &&
                   IDAGetCurrentTime(ida.mem, &now) == IDA_SUCCESS &&
                   IDAGetDky(ida.mem, now, 0, value) == IDA_SUCCESS &&
                   IDAGetDky(ida.mem, now, 1, slope) == IDA_SUCCESS;
    N_VDestroy(value);
    N_VDestroy(slope);
    if (!stepped) {
        std::copy_n(N_VGetArrayPointer(ida.y), n, y.begin());
        state.model.rhs(y.data(), rate.data());
        std::fill_n(rate.begin(), std::min(state.algebraicCount, n), 0.0);
    }
    int fastest = 0;
    double largest = -1.0;
    for (int i = 0; i < n; ++i) {
        double speed = std::fabs(rate[i]) / std::max(std::fabs(y[i]), state.atol);
        if (!(speed <= largest)) {
            largest = speed;
            fastest = i;
        }
    }
    return fastest;
}

// Names the variable behind a failure: an equation that gave inf or nan, a zero pivot of the
// Jacobian, or else the largest local error.
std::string failing_variable(IdaObjects& ida, SolverState& state,
                             const std::vector<std::string>& tags, int flag) {
    int n = state.model.size();
    if (state.nonFiniteRow >= 0 &&
        (flag == IDA_REP_RES_ERR || flag == IDA_RES_FAIL || flag == IDA_FIRST_RES_FAIL ||
         flag == IDA_ERR_FAIL || flag == IDA_CONV_FAIL || flag == IDA_NO_RECOVERY)) {
        const char* what =
            state.nonFiniteRow < state.algebraicCount ? "algebraic equation" : "rate of";
        return zymorax::format(
            "%s %s is %s at t = %s", what, variable_name(tags, state.nonFiniteRow).c_str(),
            number(state.nonFiniteValue).c_str(), number(state.nonFiniteTime).c_str());
    }
    int column = flag == IDA_LSETUP_FAIL || flag == IDA_CONV_FAIL
                     ? ida.linear->singular_column(ida.mem)
                     : -1;
    if (column >= 0) return "no pivot in the column of " + variable_name(tags, column);
    if (flag == IDA_TOO_MUCH_WORK || flag == IDA_TOO_MUCH_ACC) {
        std::string text =
            "largest local error in " + variable_name(tags, largest_error_variable(ida, n));
        // Steps cut short again and again by values that are not numbers end this way too.
        if (state.nonFiniteRow < 0) return text;
        return text +
               zymorax::format(
                   "; on the way, %s %s was %s at t = %s",
                   state.nonFiniteRow < state.algebraicCount ? "algebraic equation" : "the rate of",
                   variable_name(tags, state.nonFiniteRow).c_str(),
                   number(state.nonFiniteValue).c_str(), number(state.nonFiniteTime).c_str());
    }
    return "fastest change in " + variable_name(tags, fastest_variable(ida, state));
}

// Finds consistent values of the algebraic variables in `start` before the integrator is set up.
// Beyond the size of a dense block, and as a second try after a failure, IDA's own solver is left
// to make them consistent: true then in `leftToIda`.
int solve_start(SolverState& state, const std::vector<std::string>& tags,
                const SolverSettings& settings, double startTime, std::vector<double>& start,
                bool& leftToIda) {
    std::vector<double> guess = start;
    AlgebraicStart algebraic =
        solve_algebraic_start(state.model, state.algebraicCount, start, settings.relativeTolerance,
                              settings.absoluteTolerance);
    leftToIda = algebraic.outcome != AlgebraicStart::Solved;
    if (algebraic.outcome != AlgebraicStart::Failed) return 0;
    IdaObjects ida;
    if (setup_ida(ida, state, guess, startTime, settings) == 0 &&
        calc_consistent_initial_values(ida, startTime) == IDA_SUCCESS &&
        IDAGetConsistentIC(ida.mem, ida.y, nullptr) == IDA_SUCCESS) {
        std::copy_n(N_VGetArrayPointer(ida.y), start.size(), start.begin());
        leftToIda = false;
        return 0;
    }
    log_sys(
        "No consistent initial values of the algebraic variables were found at t = %s: %s; "
        "after %d Newton steps %s.\n",
        number(startTime).c_str(), algebraic.reason.c_str(), algebraic.newtonSteps,
        describe_worst_equation(algebraic, tags).c_str());
    return -1;
}

int make_consistent(IdaObjects& ida, SolverState& state, const std::vector<std::string>& tags,
                    double startTime) {
    int flag = calc_consistent_initial_values(ida, startTime);
    if (flag == IDA_SUCCESS) return IDAGetConsistentIC(ida.mem, ida.y, ida.dy);
    const double* values = N_VGetArrayPointer(ida.y);
    std::vector<double> y(values, values + state.model.size());
    log_sys(
        "No consistent initial values of the algebraic variables were found at t = %s: %s; "
        "at the given initial values %s.\n",
        number(startTime).c_str(), failure_reason(flag).c_str(),
        worst_equation_at(state.model, state.algebraicCount, y, tags).c_str());
    if (!state.lastMessage.empty()) log_sys("IDA: %s\n", state.lastMessage.c_str());
    return -1;
}

// The integrator's value at an output time is interpolated; its algebraic variables, which the
// error test leaves out, are solved again from the differential ones there. The integrator's
// own state is not touched.
void consistent_output(SolverState& state, N_Vector y, const SolverSettings& settings) {
    const int algebraicCount = state.algebraicCount;
    if (algebraicCount == 0 || algebraicCount > kAlgebraicBlockLimit) return;
    double* values = N_VGetArrayPointer(y);
    std::vector<double> solved(values, values + state.model.size());
    AlgebraicStart result =
        solve_algebraic_start(state.model, algebraicCount, solved, settings.relativeTolerance,
                              settings.absoluteTolerance);
    if (result.outcome == AlgebraicStart::Solved) std::copy(solved.begin(), solved.end(), values);
}

// After a parameter changed at `time`: the algebraic variables consistent with the new values,
// the solver restarted there.
int restart_after_event(IdaObjects& ida, SolverState& state, const std::vector<std::string>& tags,
                        const SolverSettings& settings, double time) {
    double* values = N_VGetArrayPointer(ida.y);
    std::vector<double> y(values, values + state.model.size());
    bool leftToIda = false;
    if (solve_start(state, tags, settings, time, y, leftToIda) != 0) return -1;
    std::copy(y.begin(), y.end(), values);
    if (restart_ida(ida, state, time) != 0) return -1;
    return leftToIda ? make_consistent(ida, state, tags, time) : 0;
}

// Solves the algebraic variables of y again, in place, after an event assigned to it.
StateEvents::Settle settler(SolverState& state, const std::vector<std::string>& tags,
                            const SolverSettings& settings, double time) {
    return [&state, &tags, &settings, time](double* y) {
        std::vector<double> values(y, y + state.model.size());
        bool leftToIda = false;
        if (solve_start(state, tags, settings, time, values, leftToIda) != 0) return -1;
        std::copy(values.begin(), values.end(), y);
        return 0;
    };
}

// The state events of one integration and where the solver is to stop.
struct StateEventRun {
    StateEvents* events = nullptr;
    std::vector<int> directions;  // of the roots the solver found
    double stop = 0.0;
    int timeVariable = -1;
};

int root_functions(double, N_Vector y, N_Vector, double* g, void* data) {
    const SolverState& state = *static_cast<SolverState*>(static_cast<IdaUserData*>(data));
    state.stateEvents->roots(N_VGetArrayPointer(y), g);
    return 0;
}

// The root finder sees a sign change only between two steps; a trigger on what the steps do not
// follow (an algebraic variable, left out of the error test) could turn and turn back within
// one. Steps of at most one output step keep such a switch from passing unseen.
int watch_triggers(IdaObjects& ida, SolverState& state, double outputStep, StateEventRun& run) {
    if (run.events == nullptr || run.events->root_count() == 0) return 0;
    state.stateEvents = run.events;
    run.directions.assign(run.events->root_count(), 0);
    if (IDARootInit(ida.mem, run.events->root_count(), root_functions) != IDA_SUCCESS ||
        IDASetMaxStep(ida.mem, std::fabs(outputStep)) != IDA_SUCCESS) {
        return -1;
    }
    IDASetNoInactiveRootWarn(ida.mem);  // a trigger on constants alone is no fault
    return 0;
}

// Fires what the state events say at `time` (at a root the solver found when `atRoot`) and, when
// one fired, restarts the solver there.
int fire_state_events(IdaObjects& ida, SolverState& state, const std::vector<std::string>& tags,
                      const SolverSettings& settings, double time, bool atRoot,
                      StateEventRun& run) {
    if (run.events == nullptr) return 0;
    if (atRoot && IDAGetRootInfo(ida.mem, run.directions.data()) != IDA_SUCCESS) return -1;
    double* y = N_VGetArrayPointer(ida.y);
    if (run.timeVariable >= 0) y[run.timeVariable] = time;
    int fired = run.events->after_change(y, time, atRoot ? run.directions.data() : nullptr,
                                         settler(state, tags, settings, time));
    if (fired <= 0) return fired;
    if (restart_after_event(ida, state, tags, settings, time) != 0) return -1;
    set_stop_time(ida, time, run.stop);
    return 0;
}

// Integrates from `now` to `to`, where the solver is to stop exactly (an event's time); the
// state events met on the way fire, and the solver stops where a delayed one is due.
int advance(IdaObjects& ida, SolverState& state, const std::vector<std::string>& tags,
            const SolverSettings& settings, double to, double& now, StateEventRun& run) {
    for (;;) {
        const double due = run.events != nullptr ? run.events->next_scheduled() : to;
        const double goal = std::min(to, due);
        if (goal < to) set_stop_time(ida, now, goal);
        double reached = now;
        state.nonFiniteRow = -1;
        int flag = IDASolve(ida.mem, goal, &reached, ida.y, ida.dy, IDA_NORMAL);
        if (flag < 0) {
            IDAGetCurrentTime(ida.mem, &reached);
            std::string message = state.lastMessage;  // before the questions below add their own
            log_sys("The solver failed at t = %s: %s; %s.\n", number(reached).c_str(),
                    failure_reason(flag).c_str(), failing_variable(ida, state, tags, flag).c_str());
            if (!message.empty()) log_sys("IDA: %s\n", message.c_str());
            return -1;
        }
        bool atRoot = flag == IDA_ROOT_RETURN;
        now = atRoot ? reached : goal;
        if (atRoot || due <= now) {
            if (fire_state_events(ida, state, tags, settings, now, atRoot, run) != 0) return -1;
            set_stop_time(ida, now, run.stop);
        }
        if (now >= to) break;
    }
    now = to;
    return 0;
}

// The solver stops at the next time event, or else at the end.
void stop_at_next(IdaObjects& ida, const EventApplication& events, double now, double end,
                  StateEventRun& run) {
    run.stop = events.stop_before(end);
    set_stop_time(ida, now, run.stop);
}

// The state events at the start: triggers at their initial values, then what is true fires;
// when one fired, the solver restarts there.
int start_state_events(IdaObjects& ida, SolverState& state, const std::vector<std::string>& tags,
                       const SolverSettings& settings, double start, StateEventRun& run) {
    if (run.events == nullptr) return 0;
    int fired =
        run.events->start(N_VGetArrayPointer(ida.y), start, settler(state, tags, settings, start));
    if (fired <= 0) return fired;
    if (restart_after_event(ida, state, tags, settings, start) != 0) return -1;
    set_stop_time(ida, start, run.stop);
    return 0;
}

int emit(const OutputSink& sink, double time, N_Vector y, int n) {
    const double* values = N_VGetArrayPointer(y);
    return sink(time, std::vector<double>(values, values + n));
}

}  // namespace

int integrate_dae(ModelFunctions& model, int algebraicCount, const std::vector<std::string>& tags,
                  const std::vector<double>& initial, const TimeGrid& grid,
                  const SolverSettings& settings, const OutputSink& sink,
                  const std::vector<TimeEvent>& events, StateEvents* stateEvents) {
    int n = model.size();
    SolverState state(model, algebraicCount, settings.absoluteTolerance);
    EventApplication application(model.parameters(), events);
    std::vector<double*> changed;
    application.skip_before(grid.start);
    while (application.due(grid.start)) application.apply_next(changed);
    std::vector<double> start = initial;
    bool leftToIda = false;
    if (solve_start(state, tags, settings, grid.start, start, leftToIda) != 0) return -1;
    IdaObjects ida;
    StateEventRun run;
    run.events = stateEvents;
    // The model's time, integrated, is off by rounding; a switch at an output time would see it.
    auto timeTag = std::find(tags.begin(), tags.end(), zymorax::kModelTimeTag);
    run.timeVariable = timeTag == tags.end() ? -1 : static_cast<int>(timeTag - tags.begin());
    if (setup_ida(ida, state, start, grid.start, settings) != 0 ||
        watch_triggers(ida, state, grid.step, run) != 0) {
        log_sys("The solver cannot be set up for %d variables (out of memory?%s).\n", n,
                settings.linearSolver == LinearSolverKind::Dense
                    ? " the dense solver needs n^2 numbers; symcode -J and kinesim -J give KLU"
                    : "");
        return -1;
    }
    if (leftToIda && make_consistent(ida, state, tags, grid.start) != 0) return -1;
    stop_at_next(ida, application, grid.start, grid.end, run);
    if (start_state_events(ida, state, tags, settings, grid.start, run) != 0) return -1;
    if (int stop = emit(sink, grid.start, ida.y, n)) return stop;
    double now = grid.start;
    for (long k = 1;; ++k) {
        double target = std::min(grid.start + k * grid.step, grid.end);
        double snap = 1e-12 * std::fabs(grid.step);
        if (grid.end - target < snap) target = grid.end;
        // An event this close to the output time comes before the output.
        while (application.due(target + snap)) {
            double at = application.next_time();
            if (at > now && advance(ida, state, tags, settings, at, now, run) != 0) return -1;
            application.apply_next(changed);
            if (restart_after_event(ida, state, tags, settings, at) != 0) return -1;
            stop_at_next(ida, application, at, grid.end, run);
            if (fire_state_events(ida, state, tags, settings, at, false, run) != 0) return -1;
        }
        if (target > now && advance(ida, state, tags, settings, target, now, run) != 0) return -1;
        if (settings.algebraicOutOfErrorTest) {
            if (run.timeVariable >= 0) N_VGetArrayPointer(ida.y)[run.timeVariable] = target;
            consistent_output(state, ida.y, settings);
        }
        if (int stop = emit(sink, target, ida.y, n)) return stop;
        if (target >= grid.end) return 0;
    }
}

}  // namespace kinesim
