#include "model_functions.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
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
    mend_rows(fjacRows_.data());
    return fjacRows_.data();
}

void ModelFunctions::mend_rows(double* rows) {
    if (!mendNonFinite_) return;
    quotientColumn_ = 0;
    const size_t stride = static_cast<size_t>(n_) + 1;
    for (int i = 1; i <= n_; ++i) {
        for (int j = 1; j <= n_; ++j) {
            double& entry = rows[i * stride + j];
            if (!std::isfinite(entry)) entry = difference_quotient(i, j);
        }
    }
}

void ModelFunctions::mend_values(double* values) {
    if (!mendNonFinite_) return;
    quotientColumn_ = 0;
    for (int c = 0; c < n_; ++c) {
        for (int k = sparse_.colptr[c]; k < sparse_.colptr[c + 1]; ++k) {
            if (!std::isfinite(values[k]))
                values[k] = difference_quotient(sparse_.rowidx[k] + 1, c + 1);
        }
    }
}

double ModelFunctions::difference_quotient(int row, int column) {
    double& y = y_[column];
    const double keep = y, step = 6e-6 * std::max(std::fabs(keep), 1e-6);
    if (quotientColumn_ != column) {
        plus_.assign(f_.size(), 0.0);
        minus_.assign(f_.size(), 0.0);
        y = keep + step;
        fvec_(plus_.data(), y_.data(), kGeneValue, parameters_);
        y = keep - step;
        fvec_(minus_.data(), y_.data(), kGeneValue, parameters_);
        y = keep;
        quotientColumn_ = column;
    }
    double quotient = (plus_[row] - minus_[row]) / (2.0 * step);
    return std::isfinite(quotient) ? quotient : 0.0;
}

void ModelFunctions::parameter_jacobian(const double* y, double* values) {
    const ParameterJacobianCode& code = parameterJacobian_;
    set_state(y);
    std::fill(values, values + code.nnz, 0.0);
    code.values(values, y_.data(), kGeneValue, parameters_);
    if (!mendNonFinite_) return;
    for (int c = 0; c < code.columns; ++c) {
        double* p = parameters_->val[code.label[c]] + code.element[c];
        for (int k = code.colptr[c]; k < code.colptr[c + 1]; ++k) {
            if (!std::isfinite(values[k])) values[k] = parameter_quotient(code.rowidx[k] + 1, p);
        }
    }
}

double ModelFunctions::parameter_quotient(int row, double* p) {
    const double keep = *p, step = 6e-6 * std::max(std::fabs(keep), 1e-6);
    plus_.assign(f_.size(), 0.0);
    minus_.assign(f_.size(), 0.0);
    *p = keep + step;
    fvec_(plus_.data(), y_.data(), kGeneValue, parameters_);
    *p = keep - step;
    fvec_(minus_.data(), y_.data(), kGeneValue, parameters_);
    *p = keep;
    quotientColumn_ = 0;  // plus_ and minus_ no longer hold a column of the Jacobian
    double quotient = (plus_[row] - minus_[row]) / (2.0 * step);
    return std::isfinite(quotient) ? quotient : 0.0;
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
        mend_values(values);
        return;
    }
    // usr_fjac rewrites every entry of the pattern at each call: no clearing of its n^2 rows.
    if (fjacRows_.empty()) fjacRows_.assign(static_cast<size_t>(n_ + 1) * (n_ + 1), 0.0);
    fjac_(fjacRows_.data(), y_.data(), kGeneValue, parameters_);
    for (int k = 0; k < sparse_.nnz; ++k) values[k] = fjacRows_[sparse_.fjacOffsets[k]];
    mend_values(values);
}

}  // namespace kinesim
