#include "ida_setup.h"

#include <idas/idas.h>
#include <nvector/nvector_serial.h>

#include <algorithm>
#include <cmath>

#include "format.h"

namespace kinesim {

namespace {

int residual(realtype t, N_Vector yy, N_Vector yp, N_Vector rr, void* data) {
    auto* state = static_cast<SolverState*>(static_cast<IdaUserData*>(data));
    const double* y = N_VGetArrayPointer(yy);
    const double* dy = N_VGetArrayPointer(yp);
    double* r = N_VGetArrayPointer(rr);
    int n = state->model.size();
    state->model.rhs(y, r);
    bool finiteState = std::all_of(y, y + n, [](double v) { return std::isfinite(v); });
    for (int i = 0; i < n; ++i) {
        if (!std::isfinite(r[i])) {
            if (!finiteState) return 1;  // an iterate left the numbers: no equation to blame
            state->nonFiniteRow = i;
            state->nonFiniteValue = r[i];
            state->nonFiniteTime = t;
            return 1;  // recoverable: IDA tries a smaller step
        }
        if (i >= state->algebraicCount) r[i] = dy[i] - r[i];
    }
    return 0;
}

void keep_message(int, const char*, const char*, char* message, void* data) {
    static_cast<SolverState*>(static_cast<IdaUserData*>(data))->lastMessage = message;
}

// A step that takes a power law's variable below 0 is rejected and retried shorter.
int constrain_non_negative(IdaObjects& ida, const std::vector<int>& variables) {
    if (variables.empty()) return 0;
    N_Vector constraints = N_VNew_Serial(N_VGetLength(ida.y), ida.context);
    if (constraints == nullptr) return -1;
    N_VConst(0.0, constraints);
    for (int i : variables) N_VGetArrayPointer(constraints)[i] = 1.0;
    int flag = IDASetConstraints(ida.mem, constraints);
    N_VDestroy(constraints);
    return flag == IDA_SUCCESS ? 0 : -1;
}

// The algebraic variables are functions of the differential ones: their accuracy follows from
// theirs. Left in the error test, one that jumps (a switch) or has an infinite slope (sqrt(t) at
// t = 0) stops the integration. Output values are made consistent again at each output time.
int suppress_algebraic_errors(IdaObjects& ida, int algebraicCount) {
    if (algebraicCount == 0) return 0;
    return IDASetSuppressAlg(ida.mem, SUNTRUE) == IDA_SUCCESS ? 0 : -1;
}

// y' = f(y) in the differential rows; the algebraic entries are set by the IC solver.
void set_slopes(IdaObjects& ida, SolverState& state) {
    double* dy = N_VGetArrayPointer(ida.dy);
    state.model.rhs(N_VGetArrayPointer(ida.y), dy);
    for (int i = 0; i < state.model.size(); ++i) {
        if (i < state.algebraicCount || !std::isfinite(dy[i])) dy[i] = 0.0;
    }
}

}  // namespace

int restart_ida(IdaObjects& ida, SolverState& state, double time) {
    set_slopes(ida, state);
    return IDAReInit(ida.mem, time, ida.y, ida.dy) == IDA_SUCCESS ? 0 : -1;
}

int calc_consistent_initial_values(IdaObjects& ida, double start) {
    double hint = start + std::max(1e-6, 1e-12 * std::fabs(start));
    return IDACalcIC(ida.mem, IDA_YA_YDP_INIT, hint);
}

void set_stop_time(IdaObjects& ida, double start, double end) {
    if (end - start > 1e-140) IDASetStopTime(ida.mem, end);
}

IdaObjects::~IdaObjects() {
    if (mem != nullptr) IDAFree(&mem);
    linear.reset();
    for (N_Vector v : {y, dy, id}) {
        if (v != nullptr) N_VDestroy(v);
    }
    if (context != nullptr) SUNContext_Free(&context);
}

int setup_ida(IdaObjects& ida, SolverState& state, const std::vector<double>& initial, double start,
              const SolverSettings& settings) {
    int n = state.model.size();
    if (SUNContext_Create(nullptr, &ida.context) != 0) return -1;
    ida.y = N_VNew_Serial(n, ida.context);
    ida.dy = N_VNew_Serial(n, ida.context);
    ida.id = N_VNew_Serial(n, ida.context);
    ida.mem = IDACreate(ida.context);
    if (!ida.y || !ida.dy || !ida.id || !ida.mem) return -1;
    ida.linear =
        std::make_unique<LinearSolver>(state.model, state.algebraicCount, settings.linearSolver);
    state.linearSolver = ida.linear.get();
    std::copy(initial.begin(), initial.end(), N_VGetArrayPointer(ida.y));
    set_slopes(ida, state);
    for (int i = 0; i < n; ++i)
        N_VGetArrayPointer(ida.id)[i] = i < state.algebraicCount ? 0.0 : 1.0;
    bool ok = IDAInit(ida.mem, residual, start, ida.y, ida.dy) == IDA_SUCCESS &&
              IDASetUserData(ida.mem, static_cast<IdaUserData*>(&state)) == IDA_SUCCESS &&
              IDASetErrHandlerFn(ida.mem, keep_message, &state) == IDA_SUCCESS &&
              IDASStolerances(ida.mem, settings.relativeTolerance, settings.absoluteTolerance) ==
                  IDA_SUCCESS &&
              ida.linear->attach(ida.mem, ida.y, ida.context) == 0 &&
              IDASetId(ida.mem, ida.id) == IDA_SUCCESS &&
              (!settings.algebraicOutOfErrorTest ||
               suppress_algebraic_errors(ida, state.algebraicCount) == 0) &&
              IDASetMaxNumSteps(ida.mem, settings.maxStepsPerOutput) == IDA_SUCCESS &&
              constrain_non_negative(ida, state.model.non_negative()) == 0;
    return ok ? 0 : -1;
}

std::string failure_reason(int flag) {
    switch (flag) {
        case IDA_TOO_MUCH_WORK:
            return "too many steps before the next output time";
        case IDA_TOO_MUCH_ACC:
            return "the tolerances cannot be met";
        case IDA_ERR_FAIL:
            return "the error test failed repeatedly (the solution may blow up)";
        case IDA_CONV_FAIL:
            return "the Newton iteration did not converge";
        case IDA_LSETUP_FAIL:
            return "the Jacobian matrix is singular";
        case IDA_LSOLVE_FAIL:
            return "the linear solver failed";
        case IDA_REP_RES_ERR:
        case IDA_RES_FAIL:
        case IDA_FIRST_RES_FAIL:
            return "the equations give values that are not numbers";
        case IDA_CONSTR_FAIL:
            return "a constraint failed";
        default:
            return zymorax::format("IDA error %d", flag);
    }
}

}  // namespace kinesim
