// The generated functions with their parameters, called with 0-based vectors.
#pragma once

#include <vector>

#include "compiled_model.h"

namespace kinesim {

// Whether `bytes` fit in the machine's memory: n^2 arrays beyond it are refused up front rather
// than left to the kernel's out-of-memory killer while they are filled.
bool fits_in_memory(double bytes);

class ModelFunctions {
  public:
    ModelFunctions(UsrFvec fvec, UsrFjac fjac, Parameter* parameters, int variableCount,
                   SparseJacobianCode sparse = {});

    // f = usr_fvec(y); both of variableCount entries.
    void rhs(const double* y, double* f);
    // jacobian[i * n + j] = d f_i / d y_j (row-major, n x n).
    void jacobian(const double* y, double* jacobian);
    // Makes the (n + 1)^2 buffer of jacobian_rows; false when there is no memory for it (and the
    // dense solver's matrix, unless the pattern is derived from usr_fjac).
    bool reserve_jacobian_rows();
    // usr_fjac's own rows: entry (i, j), both from 1, at [i * (n + 1) + j]. Valid until the next
    // call; the buffer is made at the first call unless reserved before.
    const double* jacobian_rows(const double* y);
    // The sparse Jacobian's values in its pattern order (sparse().nnz of them): from the -J file,
    // or read from usr_fjac's rows.
    void sparse_jacobian(const double* y, double* values);

    // From now on the variables `bases` (from 0, under power laws) enter the right-hand side at
    // 0 or above, and the Jacobian at `floor` or above, where an order below 1 has a finite
    // slope: an approximation that IDA's Newton iteration takes, as it does any Jacobian.
    void keep_non_negative(const std::vector<int>& bases, double floor);
    const std::vector<int>& non_negative() const { return nonNegative_; }

    // Whether Jacobian entries that are not numbers (the derivative of a term that overflows,
    // such as exp(u) / (1 + exp(u))^2 at a steep switch) are replaced by central differences of
    // usr_fvec in their column, 0 where those are not numbers either: what the solvers need to
    // take a Newton step. On by default; the Jacobian check turns it off to see usr_fjac itself.
    void mend_non_finite_jacobian(bool mend) { mendNonFinite_ = mend; }

    // d f / d p from the -Q file, and its values at y in that file's pattern order
    // (parameter_jacobian_code().nnz of them). A value that is not a number (x^g log x at x = 0)
    // is mended as those of the Jacobian are, by central differences of usr_fvec.
    void set_parameter_jacobian(const ParameterJacobianCode& code) { parameterJacobian_ = code; }
    const ParameterJacobianCode& parameter_jacobian_code() const { return parameterJacobian_; }
    void parameter_jacobian(const double* y, double* values);

    int size() const { return n_; }
    Parameter* parameters() const { return parameters_; }
    const SparseJacobianCode& sparse() const { return sparse_; }
    // Whether a -J file or a pattern derived from usr_fjac gives the Jacobian in sparse form.
    bool has_sparse() const { return sparse_.colptr != nullptr; }

  private:
    // y into the 1-based buffer, the power laws' variables at `lowest` or above.
    void set_state(const double* y, double lowest = 0.0);
    // Replace the entries that are not numbers, of usr_fjac's 1-based rows or of the sparse
    // values in pattern order, at the state in y_.
    void mend_rows(double* rows);
    void mend_values(double* values);
    // d f_row / d y_column (both from 1) by central differences, 0 when that is not a number.
    double difference_quotient(int row, int column);
    // d f_row / d p (row from 1) by central differences in the value p points to.
    double parameter_quotient(int row, double* p);

    UsrFvec fvec_;
    UsrFjac fjac_;
    Parameter* parameters_;
    int n_;
    SparseJacobianCode sparse_;
    ParameterJacobianCode parameterJacobian_;
    std::vector<double> y_, f_, fjacRows_;  // 1-based buffers for the generated code
    std::vector<int> nonNegative_;
    double jacobianFloor_ = 0.0;
    bool mendNonFinite_ = true;
    std::vector<double> plus_, minus_;
    int quotientColumn_ = 0;  // the column plus_ and minus_ hold, 0 for none
};

}  // namespace kinesim
