#include "newton_solve.h"

#include <kinsol/kinsol.h>
#include <nvector/nvector_serial.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunmatrix/sunmatrix_dense.h>

#include <algorithm>
#include <cmath>

#include "format.h"

namespace kinesteady {

namespace {

struct NewtonData {
    SteadySystem& system;
    Eigen::MatrixXd jacobian;
    std::string lastMessage;
};

int residual(N_Vector u, N_Vector g, void* data) {
    auto* newton = static_cast<NewtonData*>(data);
    newton->system.residual(N_VGetArrayPointer(u), N_VGetArrayPointer(g));
    const double* values = N_VGetArrayPointer(g);
    const bool finite = std::all_of(values, values + newton->system.size(),
                                    [](double v) { return std::isfinite(v); });
    return finite ? 0 : 1;  // recoverable: the line search steps back
}

int jacobian(N_Vector u, N_Vector, SUNMatrix j, void* data, N_Vector, N_Vector) {
    auto* newton = static_cast<NewtonData*>(data);
    newton->system.jacobian(N_VGetArrayPointer(u), newton->jacobian);
    const int n = newton->system.size();
    for (int c = 0; c < n; ++c) {
        double* column = SUNDenseMatrix_Column(j, c);
        for (int r = 0; r < n; ++r) {
            column[r] = newton->jacobian(r, c);
            if (!std::isfinite(column[r])) return 1;
        }
    }
    return 0;
}

void keep_message(int, const char*, const char*, char* message, void* data) {
    static_cast<NewtonData*>(data)->lastMessage = message;
}

// The KINSOL objects, released together.
struct KinsolObjects {
    SUNContext context = nullptr;
    void* mem = nullptr;
    N_Vector u = nullptr, scale = nullptr, constraints = nullptr;
    SUNMatrix matrix = nullptr;
    SUNLinearSolver linear = nullptr;
    ~KinsolObjects() {
        if (mem != nullptr) KINFree(&mem);
        if (linear != nullptr) SUNLinSolFree(linear);
        if (matrix != nullptr) SUNMatDestroy(matrix);
        for (N_Vector v : {u, scale, constraints}) {
            if (v != nullptr) N_VDestroy(v);
        }
        if (context != nullptr) SUNContext_Free(&context);
    }
};

// Each variable and its equation on the size of the variable at the start, small ones at a
// millionth of the largest: the residual's test then reads as a rate relative to its variable.
void set_scale(N_Vector scale, const std::vector<double>& y) {
    double largest = 1e-12;
    for (double v : y) largest = std::max(largest, std::fabs(v));
    for (size_t i = 0; i < y.size(); ++i)
        N_VGetArrayPointer(scale)[i] = 1.0 / std::max(std::fabs(y[i]), 1e-6 * largest);
}

std::string reason(int flag, const std::string& message) {
    switch (flag) {
        case KIN_LINESEARCH_NONCONV:
            return "the line search found no step that lowers the residual";
        case KIN_MAXITER_REACHED:
            return "200 iterations did not reach the steady state";
        case KIN_MXNEWT_5X_EXCEEDED:
            return "five steps in a row were of the largest allowed size (the iterates diverge)";
        case KIN_LINESEARCH_BCFAIL:
            return "the line search could not make enough progress";
        case KIN_LSETUP_FAIL:
        case KIN_LSOLVE_FAIL:
            return "the Jacobian is singular at an iterate";
        case KIN_SYSFUNC_FAIL:
        case KIN_FIRST_SYSFUNC_ERR:
        case KIN_REPTD_SYSFUNC_ERR:
            return "the rates are not numbers at an iterate";
        default:
            return message.empty() ? zymorax::format("KINSOL error %d", flag) : message;
    }
}

// KINSOL refuses a start outside its constraints: a state from integration may hold an amount
// rounded just below 0.
void keep_within(const std::vector<Bound>& bounds, std::vector<double>& y) {
    double largest = 1e-300;
    for (double v : y) largest = std::max(largest, std::fabs(v));
    for (size_t i = 0; i < y.size(); ++i) {
        if (bounds[i] == Bound::NonNegative && y[i] < 0.0) y[i] = 0.0;
        if (bounds[i] == Bound::Positive && !(y[i] > 0.0)) y[i] = 1e-12 * largest;
    }
}

}  // namespace

int newton_solve(SteadySystem& system, const std::vector<Bound>& bounds, std::vector<double>& y,
                 std::string& failure) {
    const int n = system.size();
    KinsolObjects k;
    NewtonData data{system, {}, {}};
    if (SUNContext_Create(nullptr, &k.context) != 0 ||
        (k.u = N_VNew_Serial(n, k.context)) == nullptr ||
        (k.scale = N_VNew_Serial(n, k.context)) == nullptr ||
        (k.constraints = N_VNew_Serial(n, k.context)) == nullptr ||
        (k.mem = KINCreate(k.context)) == nullptr ||
        (k.matrix = SUNDenseMatrix(n, n, k.context)) == nullptr ||
        (k.linear = SUNLinSol_Dense(k.u, k.matrix, k.context)) == nullptr) {
        failure = "no memory for Newton's method";
        return -1;
    }
    keep_within(bounds, y);
    std::copy(y.begin(), y.end(), N_VGetArrayPointer(k.u));
    set_scale(k.scale, y);
    for (int i = 0; i < n; ++i) N_VGetArrayPointer(k.constraints)[i] = static_cast<int>(bounds[i]);
    const bool ready = KINInit(k.mem, residual, k.u) == KIN_SUCCESS &&
                       KINSetUserData(k.mem, &data) == KIN_SUCCESS &&
                       KINSetErrHandlerFn(k.mem, keep_message, &data) == KIN_SUCCESS &&
                       KINSetLinearSolver(k.mem, k.linear, k.matrix) == KIN_SUCCESS &&
                       KINSetJacFn(k.mem, jacobian) == KIN_SUCCESS &&
                       KINSetConstraints(k.mem, k.constraints) == KIN_SUCCESS &&
                       KINSetMaxSetupCalls(k.mem, 1) == KIN_SUCCESS &&  // exact Newton
                       KINSetNumMaxIters(k.mem, 200) == KIN_SUCCESS &&
                       KINSetFuncNormTol(k.mem, 1e-13) == KIN_SUCCESS &&
                       KINSetScaledStepTol(k.mem, 1e-15) == KIN_SUCCESS;
    if (!ready) {
        failure = "KINSOL could not be set up";
        return -1;
    }
    const int flag = KINSol(k.mem, k.u, KIN_LINESEARCH, k.scale, k.scale);
    std::copy(N_VGetArrayPointer(k.u), N_VGetArrayPointer(k.u) + n, y.begin());
    if (flag == KIN_SUCCESS || flag == KIN_INITIAL_GUESS_OK || flag == KIN_STEP_LT_STPTOL)
        return 0;
    failure = reason(flag, data.lastMessage);
    return -1;
}

}  // namespace kinesteady
