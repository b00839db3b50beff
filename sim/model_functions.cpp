#include "model_functions.h"

#include <unistd.h>

#include <algorithm>
#include <new>

namespace kinesim {

namespace {

// The Gene argument of the generated functions: ZYMORAX_CTL.G_VALUE of the MATLAB side.
constexpr double kGeneValue = 1.0;

}  // namespace

ModelFunctions::ModelFunctions(UsrFvec fvec, UsrFjac fjac, Parameter* parameters, int variableCount,
                               SparseJacobianCode sparse)
    : fvec_(fvec),
      fjac_(fjac),
      parameters_(parameters),
      n_(variableCount),
      sparse_(sparse),
      y_(variableCount + 1, 0.0),
      f_(variableCount + 1, 0.0) {}

void ModelFunctions::keep_non_negative(const std::vector<int>& bases, double floor) {
    nonNegative_ = bases;
    jacobianFloor_ = floor;
}

void ModelFunctions::set_state(const double* y, double lowest) {
    std::copy(y, y + n_, y_.begin() + 1);
    for (int i : nonNegative_) y_[i + 1] = std::max(y_[i + 1], lowest);
}

void ModelFunctions::rhs(const double* y, double* f) {
    set_state(y);
    std::fill(f_.begin(), f_.end(), 0.0);
    fvec_(f_.data(), y_.data(), kGeneValue, parameters_);
    std::copy(f_.begin() + 1, f_.end(), f);
}

bool fits_in_memory(double bytes) {
    double memory = static_cast<double>(sysconf(_SC_PHYS_PAGES)) * sysconf(_SC_PAGE_SIZE);
    return memory <= 0 || bytes <= memory;
}

// The dense path holds usr_fjac's rows and the solver's matrix, both about n^2 numbers.
bool ModelFunctions::reserve_jacobian_rows() {
    double arrays = sparse_.fjacOffsets != nullptr ? 1.0 : 2.0;
    if (!fits_in_memory(arrays * sizeof(double) * (n_ + 1.0) * (n_ + 1.0))) return false;
    try {
        fjacRows_.resize(static_cast<size_t>(n_ + 1) * (n_ + 1));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

const double* ModelFunctions::jacobian_rows(const double* y) {
    set_state(y, jacobianFloor_);
    fjacRows_.assign(static_cast<size_t>(n_ + 1) * (n_ + 1), 0.0);
    fjac_(fjacRows_.data(), y_.data(), kGeneValue, parameters_);
    return fjacRows_.data();
}

void ModelFunctions::jacobian(const double* y, double* jacobian) {
    const double* rows = jacobian_rows(y);
    size_t row = static_cast<size_t>(n_) + 1;
    for (int i = 0; i < n_; ++i) {
        std::copy_n(rows + (i + 1) * row + 1, n_, jacobian + static_cast<size_t>(i) * n_);
    }
}

void ModelFunctions::sparse_jacobian(const double* y, double* values) {
    set_state(y, jacobianFloor_);
    if (sparse_.values != nullptr) {
        std::fill(values, values + sparse_.nnz, 0.0);
        sparse_.values(values, y_.data(), kGeneValue, parameters_);
        return;
    }
    // usr_fjac rewrites every entry of the pattern at each call: no clearing of its n^2 rows.
    if (fjacRows_.empty()) fjacRows_.assign(static_cast<size_t>(n_ + 1) * (n_ + 1), 0.0);
    fjac_(fjacRows_.data(), y_.data(), kGeneValue, parameters_);
    for (int k = 0; k < sparse_.nnz; ++k) values[k] = fjacRows_[sparse_.fjacOffsets[k]];
}

}  // namespace kinesim
