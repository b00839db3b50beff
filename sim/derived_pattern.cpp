#include "derived_pattern.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <new>

#include "log.h"
#include "model_functions.h"

namespace kinesim {

namespace {

// A NaN whose payload no arithmetic on the model's numbers produces.
constexpr std::uint64_t kUnwrittenBits = 0x7ff4d0e5a11c0ffeULL;

bool written(const double& entry) {
    std::uint64_t bits;
    std::memcpy(&bits, &entry, sizeof bits);
    return bits != kUnwrittenBits;
}

}  // namespace

int DerivedPattern::derive(UsrFjac fjac, Parameter* parameters, int variableCount) {
    n_ = variableCount;
    size_t stride = static_cast<size_t>(n_) + 1;
    std::vector<double> rows;
    double unwritten;
    std::memcpy(&unwritten, &kUnwrittenBits, sizeof unwritten);
    bool fits = fits_in_memory(sizeof(double) * static_cast<double>(stride) * stride);
    try {
        if (fits) rows.assign(stride * stride, unwritten);
    } catch (const std::bad_alloc&) {
        fits = false;
    }
    if (!fits) {
        log_sys("The Jacobian of %d variables does not fit in memory as usr_fjac's rows; give "
                "the sparse Jacobian file of symcode -J with -J.\n", n_);
        return -1;
    }
    std::vector<double> y(stride, 1.0);
    fjac(rows.data(), y.data(), 1.0, parameters);
    colptr_.assign(1, 0);
    for (int column = 1; column <= n_; ++column) {
        for (int row = 1; row <= n_; ++row) {
            size_t offset = row * stride + column;
            if (!written(rows[offset])) continue;
            if (rowidx_.size() == static_cast<size_t>(INT_MAX)) {
                log_sys("The Jacobian of %d variables has too many entries for the sparse solver "
                        "without -J.\n", n_);
                return -1;
            }
            rowidx_.push_back(row - 1);
            offsets_.push_back(offset);
        }
        colptr_.push_back(static_cast<int>(rowidx_.size()));
    }
    return 0;
}

SparseJacobianCode DerivedPattern::code() const {
    SparseJacobianCode code;
    code.n = n_;
    code.nnz = static_cast<int>(rowidx_.size());
    code.colptr = colptr_.data();
    code.rowidx = rowidx_.data();
    code.fjacOffsets = offsets_.data();
    return code;
}

}  // namespace kinesim
