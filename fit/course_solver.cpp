#include "course_solver.h"

#include <idas/idas.h>
#include <nvector/nvector_serial.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "algebraic_start.h"
#include "event_jumps.h"
#include "format.h"
#include "ida_setup.h"
#include "state_events.h"

namespace kinefit {

namespace {

// What the sensitivity residual needs besides what kinesim's residual does.
struct SensitivityState : kinesim::SolverState {
    SensitivityState(kinesim::ModelFunctions& model, int algebraicCount, double atol,
                     const std::vector<double*>& parameters, const std::vector<char>& byValue,
                     const kinesim::ParameterAliases* aliases)
        : SolverState(model, algebraicCount, atol),
          parameters(parameters),
          product(model.size()),
          values(std::max(model.sparse().nnz, 1)),
          parameterValues(std::max(model.parameter_jacobian_code().nnz, 1)) {
        const kinesim::ParameterJacobianCode& code = model.parameter_jacobian_code();
        for (size_t j = 0; j < parameters.size(); ++j) {
            std::vector<double*> group{parameters[j]};
            if (aliases != nullptr)
                group.insert(group.end(), (*aliases)[j].begin(), (*aliases)[j].end());
            const std::vector<int> found = kinesim::parameter_columns(code, model.parameters(), group);
            reads.emplace_back();
            for (size_t g = 0; g < group.size(); ++g) {
                if (found[g] >= 0) reads.back().push_back({group[g], found[g]});
            }
            scales.push_back(byValue[j] != 0 ? 1.0 : *parameters[j]);
        }
    }

    // An element an event has set is no longer read through the parameter it carried.
    void mark_overwritten(const std::vector<double*>& changed) {
        for (std::vector<ColumnRead>& group : reads) {
            group.erase(std::remove_if(group.begin(), group.end(),
                                       [&](const ColumnRead& read) {
                                           return std::find(changed.begin(), changed.end(),
                                                            read.element) != changed.end();
                                       }),
                        group.end());
        }
    }

    // Evaluates d f / d p at y, for the parameter derivatives that follow.
    void load_parameter_jacobian(const double* y) {
        if (!parameters.empty()) model.parameter_jacobian(y, parameterValues.data());
    }

    // d f / d log p_j = p_j d f / d p_j (or d f / d p_j by value) into `out`, summed over the
    // elements that carry p_j: 0 where no equation reads them, and from an element on that an
    // event has set, which the model then no longer reads through p_j.
    void parameter_derivative(int j, double* out) const {
        std::fill_n(out, model.size(), 0.0);
        const kinesim::ParameterJacobianCode& code = model.parameter_jacobian_code();
        for (const ColumnRead& read : reads[j]) {
            for (int k = code.colptr[read.column]; k < code.colptr[read.column + 1]; ++k)
                out[code.rowidx[k]] += scales[j] * parameterValues[k];
        }
    }

    // Evaluates d f / d y at y, for the products that follow.
    void load_jacobian(const double* y) {
        if (model.has_sparse()) {
            model.sparse_jacobian(y, values.data());
        } else {
            rows = model.jacobian_rows(y);
        }
    }

    // product = (d f / d y) s.
    void multiply(const double* s) {
        int n = model.size();
        std::fill(product.begin(), product.end(), 0.0);
        const kinesim::SparseJacobianCode& sparse = model.sparse();
        if (model.has_sparse()) {
            for (int c = 0; c < n; ++c) {
                for (int k = sparse.colptr[c]; k < sparse.colptr[c + 1]; ++k)
                    product[sparse.rowidx[k]] += values[k] * s[c];
            }
            return;
        }
        size_t stride = static_cast<size_t>(n) + 1;
        for (int i = 0; i < n; ++i) {
            const double* row = rows + (i + 1) * stride + 1;
            double sum = 0.0;
            for (int j = 0; j < n; ++j) sum += row[j] * s[j];
            product[i] = sum;
        }
    }

    const std::vector<double*>& parameters;
    struct ColumnRead {
        double* element;
        int column;  // of d f / d p
    };
    std::vector<std::vector<ColumnRead>> reads;  // per parameter: the elements equations read
    std::vector<double> scales;  // per parameter: d p / d (its search variable) at the start
    std::vector<double> product, values, parameterValues;
    const double* rows = nullptr;
};

SensitivityState& state_of(void* data) {
    return *static_cast<SensitivityState*>(static_cast<kinesim::IdaUserData*>(data));
}

// The residuals of the sensitivity equations: dF/dy s_j + dF/dy' s'_j + dF/dlog p_j with
// F = [g(y); y' - f(y)].
int sensitivity_residual(int count, double, N_Vector yy, N_Vector, N_Vector, N_Vector* yS,
                         N_Vector* ypS, N_Vector* rS, void* data, N_Vector, N_Vector, N_Vector) {
    SensitivityState& state = state_of(data);
    const double* y = N_VGetArrayPointer(yy);
    int n = state.model.size();
    state.load_jacobian(y);
    state.load_parameter_jacobian(y);
    for (int j = 0; j < count; ++j) {
        double* r = N_VGetArrayPointer(rS[j]);
        const double* slope = N_VGetArrayPointer(ypS[j]);
        state.multiply(N_VGetArrayPointer(yS[j]));
        state.parameter_derivative(j, r);
        for (int i = 0; i < n; ++i) {
            double d = state.product[i] + r[i];
            r[i] = i < state.algebraicCount ? d : slope[i] - d;
            if (!std::isfinite(r[i])) return 1;
        }
    }
    return 0;
}

// A set of sensitivity vectors, released with the object.
struct VectorArray {
    N_Vector* vectors = nullptr;
    int count = 0;
    ~VectorArray() {
        if (vectors != nullptr) N_VDestroyVectorArray(vectors, count);
    }
};

// s = d initial / d log p at the start (0 without `initialSlopes`), and s' = d f / d y s +
// d f / d log p in the differential rows; IDACalcIC corrects both where there are algebraic
// variables.
int start_sensitivities(kinesim::IdaObjects& ida, SensitivityState& state,
                        const kinesim::SolverSettings& settings,
                        const std::vector<double>* initialSlopes, VectorArray& s, VectorArray& sp) {
    int count = static_cast<int>(state.parameters.size());
    s.count = sp.count = count;
    s.vectors = N_VCloneVectorArray(count, ida.y);
    sp.vectors = N_VCloneVectorArray(count, ida.y);
    if (s.vectors == nullptr || sp.vectors == nullptr) return -1;
    const double* y = N_VGetArrayPointer(ida.y);
    const int n = state.model.size();
    if (initialSlopes != nullptr) state.load_jacobian(y);
    state.load_parameter_jacobian(y);
    for (int j = 0; j < count; ++j) {
        double* start = N_VGetArrayPointer(s.vectors[j]);
        double* slope = N_VGetArrayPointer(sp.vectors[j]);
        state.parameter_derivative(j, slope);
        if (initialSlopes == nullptr) {
            std::fill_n(start, n, 0.0);
        } else {
            std::copy_n(initialSlopes->begin() + static_cast<size_t>(j) * n, n, start);
            state.multiply(start);
            for (int i = 0; i < n; ++i) slope[i] += state.product[i];
        }
        std::fill_n(slope, std::min(state.algebraicCount, n), 0.0);
    }
    std::vector<double> atol(count, settings.absoluteTolerance);
    bool ok =
        IDASensInit(ida.mem, count, IDA_STAGGERED, sensitivity_residual, s.vectors, sp.vectors) ==
            IDA_SUCCESS &&
        IDASensSStolerances(ida.mem, settings.relativeTolerance, atol.data()) == IDA_SUCCESS &&
        IDASetSensErrCon(ida.mem, SUNTRUE) == IDA_SUCCESS;
    return ok ? 0 : -1;
}

void record(const kinesim::IdaObjects& ida, const VectorArray& s, int k, Course& course) {
    int n = course.variables;
    std::copy_n(N_VGetArrayPointer(ida.y), n, course.states.begin() + static_cast<size_t>(k) * n);
    for (int j = 0; j < s.count; ++j) {
        std::copy_n(N_VGetArrayPointer(s.vectors[j]), n,
                    course.sensitivities.begin() + (static_cast<size_t>(k) * s.count + j) * n);
    }
}

std::string failed_at(double time, int flag, const SensitivityState& state) {
    std::string text = zymorax::format("the solver failed at t = %.10g: %s", time,
                                       kinesim::failure_reason(flag).c_str());
    return state.lastMessage.empty() ? text : text + " (IDA: " + state.lastMessage + ")";
}

// The algebraic variables are solved for before the solver starts; IDACalcIC then only has to
// make their sensitivities consistent, or, for a block too large to factor densely, the values too.
int solve_algebraic_start(SensitivityState& state, const kinesim::SolverSettings& settings,
                          std::vector<double>& start, std::string& failure) {
    kinesim::AlgebraicStart algebraic =
        kinesim::solve_algebraic_start(state.model, state.algebraicCount, start,
                                       settings.relativeTolerance, settings.absoluteTolerance);
    if (algebraic.outcome != kinesim::AlgebraicStart::Failed) return 0;
    failure = zymorax::format(
        "no consistent initial values of the algebraic variables: %s; after %d Newton steps "
        "algebraic equation %d gives %.10g",
        algebraic.reason.c_str(), algebraic.newtonSteps, algebraic.worstEquation + 1,
        algebraic.worstResidual);
    return -1;
}

int make_consistent(kinesim::IdaObjects& ida, SensitivityState& state, VectorArray& s,
                    VectorArray& sp, double time, std::string& failure) {
    if (state.algebraicCount == 0) return 0;
    int flag = kinesim::calc_consistent_initial_values(ida, time);
    if (flag != IDA_SUCCESS) {
        failure = "no consistent initial values of the algebraic variables: " +
                  kinesim::failure_reason(flag);
        return -1;
    }
    if (IDAGetConsistentIC(ida.mem, ida.y, ida.dy) != IDA_SUCCESS) return -1;
    if (s.count > 0 && IDAGetSensConsistentIC(ida.mem, s.vectors, sp.vectors) != IDA_SUCCESS)
        return -1;
    return 0;
}

// After an event at `time` (`what`, for messages): the algebraic variables solved again with
// the new values, the solver restarted. The differential sensitivities are as the event left
// them (continuous across a change of a parameter at a fixed time); their slopes are
// J s + d f / d log p anew, and IDACalcIC makes the algebraic sensitivities consistent.
int restart_after_event(kinesim::IdaObjects& ida, SensitivityState& state,
                        const kinesim::SolverSettings& settings, VectorArray& s, VectorArray& sp,
                        double time, const char* what, std::string& failure) {
    int n = state.model.size();
    double* values = N_VGetArrayPointer(ida.y);
    std::vector<double> y(values, values + n);
    if (solve_algebraic_start(state, settings, y, failure) != 0) {
        failure = zymorax::format("after the %s at t = %.10g, ", what, time) + failure;
        return -1;
    }
    std::copy(y.begin(), y.end(), values);
    if (kinesim::restart_ida(ida, state, time) != 0) return -1;
    if (s.count > 0) {
        state.load_jacobian(values);
        state.load_parameter_jacobian(values);
        for (int j = 0; j < s.count; ++j) {
            double* slope = N_VGetArrayPointer(sp.vectors[j]);
            state.multiply(N_VGetArrayPointer(s.vectors[j]));
            state.parameter_derivative(j, slope);
            for (int i = 0; i < n; ++i)
                slope[i] = i < state.algebraicCount ? 0.0 : slope[i] + state.product[i];
        }
        if (IDASensReInit(ida.mem, IDA_STAGGERED, s.vectors, sp.vectors) != IDA_SUCCESS) return -1;
    }
    if (make_consistent(ida, state, s, sp, time, failure) != 0) {
        failure = zymorax::format("after the %s at t = %.10g: ", what, time) + failure;
        return -1;
    }
    return 0;
}

// The events file's events on one course: the engine, the jumps of the sensitivities, the
// roots found, and where the solver is to stop next (a T_EVENT, or the end).
struct EventRun {
    kinesim::StateEvents* events = nullptr;
    std::unique_ptr<EventJumps> jumps;
    std::vector<int> directions;
    double stop = 0.0;

    EventRun(kinesim::StateEvents* events, const std::vector<double*>& parameters,
             const std::vector<char>& byValue, const kinesim::ParameterAliases& aliases, int size,
             int algebraicCount)
        : events(events) {
        if (events == nullptr) return;
        if (!parameters.empty())
            jumps = std::make_unique<EventJumps>(*events, parameters, byValue, aliases, size,
                                                 algebraicCount);
        events->set_observer(jumps.get());
    }
    EventRun(const EventRun&) = delete;
    EventRun& operator=(const EventRun&) = delete;
    ~EventRun() {
        if (events != nullptr) events->set_observer(nullptr);
    }
};

int root_functions(double, N_Vector y, N_Vector, double* g, void* data) {
    state_of(data).stateEvents->roots(N_VGetArrayPointer(y), g);
    return 0;
}

// The root finder sees a sign change only between two steps: as kinesim keeps its steps within
// one output step, these are kept within the shortest gap between two recorded times.
int watch_triggers(kinesim::IdaObjects& ida, SensitivityState& state,
                   const std::vector<double>& times, EventRun& run) {
    if (run.events == nullptr || run.events->root_count() == 0) return 0;
    state.stateEvents = run.events;
    run.directions.assign(run.events->root_count(), 0);
    double gap = times.empty() ? 0.0 : times.back();
    for (size_t k = 1; k < times.size(); ++k) {
        if (times[k] > times[k - 1]) gap = std::min(gap, times[k] - times[k - 1]);
    }
    if (IDARootInit(ida.mem, run.events->root_count(), root_functions) != IDA_SUCCESS ||
        (gap > 0.0 && IDASetMaxStep(ida.mem, gap) != IDA_SUCCESS)) {
        return -1;
    }
    IDASetNoInactiveRootWarn(ida.mem);
    return 0;
}

// Fires what the events say at `time` (at a root the solver found when `atRoot`, or at the start
// when `atStart`) and, when one fired, carries the sensitivities across and restarts the solver.
int fire_events(kinesim::IdaObjects& ida, SensitivityState& state,
                const kinesim::SolverSettings& settings, VectorArray& s, VectorArray& sp,
                double time, bool atRoot, bool atStart, EventRun& run, std::string& failure) {
    if (run.events == nullptr) return 0;
    if (atRoot && IDAGetRootInfo(ida.mem, run.directions.data()) != IDA_SUCCESS) return -1;
    double* y = N_VGetArrayPointer(ida.y);
    if (run.jumps) {
        std::vector<const double*> before;
        for (int j = 0; j < s.count; ++j) before.push_back(N_VGetArrayPointer(s.vectors[j]));
        run.jumps->prepare(before, N_VGetArrayPointer(ida.dy));
    }
    std::string settleFailure;
    auto settle = [&](double* values) {
        std::vector<double> solved(values, values + state.model.size());
        if (solve_algebraic_start(state, settings, solved, settleFailure) != 0) return -1;
        std::copy(solved.begin(), solved.end(), values);
        return 0;
    };
    int fired = atStart ? run.events->start(y, time, settle)
                        : run.events->after_change(
                              y, time, atRoot ? run.directions.data() : nullptr, settle);
    if (fired < 0) {
        failure = zymorax::format("the events at t = %.10g cannot be applied", time) +
                  (settleFailure.empty() ? std::string(" (see the log)") : ": " + settleFailure);
        return -1;
    }
    if (fired == 0) return 0;
    if (run.jumps) {
        std::vector<double> rates(state.model.size());
        state.model.rhs(y, rates.data());
        std::vector<double*> after;
        for (int j = 0; j < s.count; ++j) after.push_back(N_VGetArrayPointer(s.vectors[j]));
        run.jumps->finish(rates.data(), after);
    }
    if (restart_after_event(ida, state, settings, s, sp, time, "event", failure) != 0) return -1;
    kinesim::set_stop_time(ida, time, run.stop);
    return 0;
}

// Integrates from `now` to `to`, firing the events met on the way and stopping where a delayed
// one is due, and fetches the sensitivities there.
int advance(kinesim::IdaObjects& ida, SensitivityState& state,
            const kinesim::SolverSettings& settings, VectorArray& s, VectorArray& sp, double to,
            double& now, EventRun& run, std::string& failure) {
    for (;;) {
        const double due = run.events != nullptr ? run.events->next_scheduled() : to;
        const double goal = std::min(to, due);
        if (goal < to) kinesim::set_stop_time(ida, now, goal);
        double reached = now;
        int flag = IDASolve(ida.mem, goal, &reached, ida.y, ida.dy, IDA_NORMAL);
        if (flag < 0) {
            IDAGetCurrentTime(ida.mem, &reached);
            failure = failed_at(reached, flag, state);
            return -1;
        }
        bool atRoot = flag == IDA_ROOT_RETURN;
        if (s.count > 0 && IDAGetSens(ida.mem, &reached, s.vectors) != IDA_SUCCESS) return -1;
        now = atRoot ? reached : goal;
        if ((atRoot || due <= now) &&
            fire_events(ida, state, settings, s, sp, now, atRoot, false, run, failure) != 0) {
            return -1;
        }
        if (now >= to) break;
        kinesim::set_stop_time(ida, now, run.stop);
    }
    now = to;
    return 0;
}

// Records the course at `times`; an event at a recorded time comes before the record.
int integrate(kinesim::IdaObjects& ida, SensitivityState& state,
              const kinesim::SolverSettings& settings, const std::vector<double>& times,
              kinesim::EventApplication& events, EventRun& run, VectorArray& s, VectorArray& sp,
              Course& course, std::string& failure) {
    if (times.empty()) return 0;
    double now = 0.0, end = times.back();
    std::vector<double*> changed;
    run.stop = events.stop_before(end);
    kinesim::set_stop_time(ida, now, run.stop);
    for (size_t k = 0; k < times.size(); ++k) {
        while (events.due(times[k])) {
            double at = events.next_time();
            if (at > now && advance(ida, state, settings, s, sp, at, now, run, failure) != 0)
                return -1;
            events.apply_next(changed);
            state.mark_overwritten(changed);
            if (restart_after_event(ida, state, settings, s, sp, at, "T_EVENT", failure) != 0)
                return -1;
            run.stop = events.stop_before(end);
            kinesim::set_stop_time(ida, at, run.stop);
            if (fire_events(ida, state, settings, s, sp, at, false, false, run, failure) != 0)
                return -1;
        }
        if (times[k] > now &&
            advance(ida, state, settings, s, sp, times[k], now, run, failure) != 0) {
            return -1;
        }
        record(ida, s, static_cast<int>(k), course);
    }
    return 0;
}

}  // namespace

int solve_course(kinesim::ModelFunctions& model, int algebraicCount,
                 const std::vector<double>& initial, const std::vector<double>& times,
                 const std::vector<kinesim::TimeEvent>& events,
                 const std::vector<double*>& parameters, const kinesim::SolverSettings& settings,
                 Course& course, std::string& failure, kinesim::StateEvents* stateEvents,
                 const std::vector<double>* initialSlopes, const std::vector<char>* byValue,
                 const kinesim::ParameterAliases* aliases) {
    int n = model.size();
    if (!parameters.empty() && model.parameter_jacobian_code().values == nullptr) {
        failure = "the sensitivities need d f / d p, which symcode -Q writes";
        return -1;
    }
    course.variables = n;
    course.parameters = static_cast<int>(parameters.size());
    course.states.assign(times.size() * n, 0.0);
    course.sensitivities.assign(times.size() * n * parameters.size(), 0.0);
    const std::vector<char> scales =
        byValue != nullptr ? *byValue : std::vector<char>(parameters.size(), 0);
    const kinesim::ParameterAliases carriers =
        aliases != nullptr ? *aliases : kinesim::ParameterAliases(parameters.size());
    SensitivityState state(model, algebraicCount, settings.absoluteTolerance, parameters, scales,
                           &carriers);
    kinesim::EventApplication application(model.parameters(), events);
    std::vector<double*> changed;
    application.skip_before(0.0);
    while (application.due(0.0)) {
        application.apply_next(changed);
        state.mark_overwritten(changed);
    }
    kinesim::IdaObjects ida;
    VectorArray s, sp;
    EventRun run(stateEvents, parameters, scales, carriers, n, algebraicCount);
    failure.clear();
    std::vector<double> start = initial;
    if (solve_algebraic_start(state, settings, start, failure) != 0 ||
        kinesim::setup_ida(ida, state, start, 0.0, settings) != 0 ||
        (!parameters.empty() && start_sensitivities(ida, state, settings, initialSlopes, s, sp) != 0) ||
        watch_triggers(ida, state, times, run) != 0 ||
        make_consistent(ida, state, s, sp, 0.0, failure) != 0 ||
        fire_events(ida, state, settings, s, sp, 0.0, false, true, run, failure) != 0 ||
        integrate(ida, state, settings, times, application, run, s, sp, course, failure) != 0) {
        if (failure.empty()) failure = "the solver could not be set up (out of memory?)";
        return -1;
    }
    return 0;
}

}  // namespace kinefit
