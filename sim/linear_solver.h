// The linear solver of IDAS's Newton iteration, chosen in one place for every program that
// integrates a model: dense LU with usr_fjac's rows, or sparse LU (KLU) with the Jacobian of the
// -J file, which costs work and memory in proportion to its non-zeros instead of n^2.
#pragma once

#include <sundials/sundials_context.h>
#include <sundials/sundials_linearsolver.h>
#include <sundials/sundials_matrix.h>
#include <sundials/sundials_nvector.h>

#include <memory>
#include <string>
#include <vector>

#include "model_functions.h"
#include "sparse_jacobian.h"

namespace kinesim {

enum class LinearSolverKind { Auto, Dense, Klu };

// From this many variables Auto takes KLU, with the -J file's Jacobian or else the pattern of
// usr_fjac's entries. Measured on enzyme
// chains to t = 1000 (kinesim, mean of 5 runs): 20 variables 150 ms dense, 135 ms KLU; 40: 180,
// 176; 60: 361, 261; 200: 1,368, 862; 400: 3,711, 1,472. Below 60 the two cost the same.
constexpr int kSparseFromVariables = 60;

// The solver to use: Auto resolved by the model's size.
LinearSolverKind choose_linear_solver(LinearSolverKind asked, int variableCount);

// "dense" or "KLU", for messages.
const char* linear_solver_name(LinearSolverKind kind);

class LinearSolver;

// IDAS hands every callback the same user data pointer: whatever a program passes must be (or
// derive from) this record, so that the Jacobian function finds its solver.
struct IdaUserData {
    LinearSolver* linearSolver = nullptr;
};

class LinearSolver {
  public:
    // `kind` is Dense or Klu; Klu needs the model's sparse Jacobian.
    LinearSolver(ModelFunctions& model, int algebraicCount, LinearSolverKind kind);
    ~LinearSolver();
    LinearSolver(const LinearSolver&) = delete;
    LinearSolver& operator=(const LinearSolver&) = delete;

    // Makes the matrix and the solver and attaches them, with the Jacobian function, to `idaMem`,
    // whose user data must be an IdaUserData naming this solver. 0, or -1.
    int attach(void* idaMem, N_Vector like, SUNContext context);

    // The variable (from 0) of the column where the last factorisation found no pivot, or -1.
    int singular_column(void* idaMem) const;

  private:
    static int dense_jacobian(double t, double cj, N_Vector y, N_Vector yp, N_Vector r,
                              SUNMatrix matrix, void* data, N_Vector, N_Vector, N_Vector);
    static int sparse_jacobian(double t, double cj, N_Vector y, N_Vector yp, N_Vector r,
                               SUNMatrix matrix, void* data, N_Vector, N_Vector, N_Vector);

    void tune_setup_frequency();

    ModelFunctions& model_;
    void* idaMem_ = nullptr;
    bool tuned_ = false;
    int algebraicCount_;
    LinearSolverKind kind_;
    std::unique_ptr<IterationPattern> pattern_;  // KLU only
    std::vector<double> fValues_;                // KLU only: the -J file's values
    SUNMatrix matrix_ = nullptr;
    SUNLinearSolver solver_ = nullptr;
};

}  // namespace kinesim
