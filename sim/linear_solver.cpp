#include "linear_solver.h"

#include <idas/idas.h>
#include <sunlinsol/sunlinsol_dense.h>
#include <sunlinsol/sunlinsol_klu.h>
#include <sunmatrix/sunmatrix_dense.h>
#include <sunmatrix/sunmatrix_sparse.h>

#include <algorithm>
#include <cmath>

#include "sparse_ordering.h"

namespace kinesim {

LinearSolverKind choose_linear_solver(LinearSolverKind asked, int variableCount) {
    if (asked != LinearSolverKind::Auto) return asked;
    return variableCount >= kSparseFromVariables ? LinearSolverKind::Klu : LinearSolverKind::Dense;
}

const char* linear_solver_name(LinearSolverKind kind) {
    return kind == LinearSolverKind::Klu ? "KLU" : "dense";
}

LinearSolver::LinearSolver(ModelFunctions& model, int algebraicCount, LinearSolverKind kind)
    : model_(model), algebraicCount_(algebraicCount), kind_(kind) {
    if (kind_ == LinearSolverKind::Klu) {
        pattern_ = std::make_unique<IterationPattern>(model.sparse(), algebraicCount);
        fValues_.resize(std::max(model.sparse().nnz, 1));
    }
}

LinearSolver::~LinearSolver() {
    if (solver_ != nullptr) SUNLinSolFree(solver_);
    if (matrix_ != nullptr) SUNMatDestroy(matrix_);
}

int LinearSolver::attach(void* idaMem, N_Vector like, SUNContext context) {
    sunindextype n = model_.size();
    if (kind_ == LinearSolverKind::Klu) {
        if (model_.sparse().values == nullptr && !model_.reserve_jacobian_rows()) return -1;
        matrix_ = SUNSparseMatrix(n, n, std::max<sunindextype>(pattern_->nonzeros(), 1), CSC_MAT,
                                  context);
        if (matrix_ != nullptr) solver_ = SUNLinSol_KLU(like, matrix_, context);
        if (solver_ != nullptr) use_nested_dissection(solver_);
    } else if (model_.reserve_jacobian_rows()) {  // never allocated inside a callback
        matrix_ = SUNDenseMatrix(n, n, context);
        if (matrix_ != nullptr) solver_ = SUNLinSol_Dense(like, matrix_, context);
    }
    if (solver_ == nullptr) return -1;
    idaMem_ = idaMem;
    IDALsJacFn jacobian = kind_ == LinearSolverKind::Klu ? sparse_jacobian : dense_jacobian;
    bool ok = IDASetLinearSolver(idaMem, solver_, matrix_) == IDA_SUCCESS &&
              IDASetJacFn(idaMem, jacobian) == IDA_SUCCESS;
    return ok ? 0 : -1;
}

int LinearSolver::singular_column(void* idaMem) const {
    int n = model_.size();
    if (kind_ == LinearSolverKind::Klu) {
        sun_klu_common* common = SUNLinSol_KLUGetCommon(solver_);
        bool singular = common != nullptr && common->status == KLU_SINGULAR;
        return singular && common->singular_col >= 0 && common->singular_col < n
                   ? static_cast<int>(common->singular_col)
                   : -1;
    }
    long pivot = 0;  // the dense LU reports the column of its zero pivot, from 1
    if (IDAGetLastLinFlag(idaMem, &pivot) != IDA_SUCCESS || pivot <= 0 || pivot > n) return -1;
    return static_cast<int>(pivot - 1);
}

// IDA's iteration matrix dF/dy + cj dF/dy' of F = [g(y); y' - f(y)].
int LinearSolver::dense_jacobian(double, double cj, N_Vector y, N_Vector, N_Vector,
                                 SUNMatrix matrix, void* data, N_Vector, N_Vector, N_Vector) {
    LinearSolver& self = *static_cast<IdaUserData*>(data)->linearSolver;
    int n = self.model_.size();
    const double* rows = self.model_.jacobian_rows(N_VGetArrayPointer(y));
    size_t stride = static_cast<size_t>(n) + 1;
    for (int j = 0; j < n; ++j) {
        double* column = SUNDenseMatrix_Column(matrix, j);
        for (int i = 0; i < n; ++i) {
            double entry = rows[(i + 1) * stride + j + 1];
            if (!std::isfinite(entry)) return 1;
            column[i] = i < self.algebraicCount_ ? entry : -entry + (i == j ? cj : 0.0);
        }
    }
    return 0;
}

// Once the first factorisation is known: when its factors hold many times the entries of the
// matrix (combinatorial networks), a factorisation costs more than steps do, and IDAS is let
// use a factorisation until cj has changed by 90% (by 25% else). Measured on the receptor
// network (16 times the entries) this halves the run: 14 factorisations instead of 63 in
// 1,012 steps instead of 554; on an enzyme chain (factors about as large as the matrix) the
// same change would have tripled the steps.
void LinearSolver::tune_setup_frequency() {
    sun_klu_numeric* numeric = SUNLinSol_KLUGetNumeric(solver_);
    if (tuned_ || numeric == nullptr) return;
    tuned_ = true;
    double factorEntries = static_cast<double>(numeric->lnz) + numeric->unz;
    if (factorEntries > 8.0 * static_cast<double>(pattern_->nonzeros())) {
        IDASetDeltaCjLSetup(idaMem_, 0.9);
    }
}

int LinearSolver::sparse_jacobian(double, double cj, N_Vector y, N_Vector, N_Vector,
                                  SUNMatrix matrix, void* data, N_Vector, N_Vector, N_Vector) {
    LinearSolver& self = *static_cast<IdaUserData*>(data)->linearSolver;
    self.tune_setup_frequency();
    self.model_.sparse_jacobian(N_VGetArrayPointer(y), self.fValues_.data());
    size_t count = static_cast<size_t>(self.model_.sparse().nnz);
    if (!std::all_of(self.fValues_.begin(), self.fValues_.begin() + count,
                     [](double v) { return std::isfinite(v); })) {
        return 1;
    }
    const IterationPattern& pattern = *self.pattern_;
    std::copy(pattern.colptr().begin(), pattern.colptr().end(),
              SUNSparseMatrix_IndexPointers(matrix));
    std::copy(pattern.rowidx().begin(), pattern.rowidx().end(),
              SUNSparseMatrix_IndexValues(matrix));
    pattern.fill(self.fValues_.data(), cj, SUNSparseMatrix_Data(matrix));
    return 0;
}

}  // namespace kinesim
