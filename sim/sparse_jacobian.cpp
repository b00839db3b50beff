#include "sparse_jacobian.h"

#include "log.h"

namespace kinesim {

int check_compressed_columns(const CompressedColumns& pattern, const std::string& file,
                             const char* prefix) {
    const char* name = file.c_str();
    if (pattern.nnz < 0 || pattern.colptr[0] != 0 ||
        pattern.colptr[pattern.columns] != pattern.nnz) {
        log_sys("%s: %s_colptr does not run from 0 to %s_nnz (%d).\n", name, prefix, prefix,
                pattern.nnz);
        return -1;
    }
    for (int c = 0; c < pattern.columns; ++c) {
        if (pattern.colptr[c + 1] < pattern.colptr[c]) {
            log_sys("%s: %s_colptr falls at column %d.\n", name, prefix, c);
            return -1;
        }
        for (int k = pattern.colptr[c]; k < pattern.colptr[c + 1]; ++k) {
            bool rising = k == pattern.colptr[c] || pattern.rowidx[k] > pattern.rowidx[k - 1];
            if (pattern.rowidx[k] < 0 || pattern.rowidx[k] >= pattern.rows || !rising) {
                log_sys("%s: %s_rowidx[%d] = %d is out of order or range in column %d.\n", name,
                        prefix, k, pattern.rowidx[k], c);
                return -1;
            }
        }
    }
    return 0;
}

int check_sparse_pattern(const SparseJacobianCode& code, int variableCount,
                         const std::string& file) {
    if (code.n != variableCount) {
        log_sys("%s is the Jacobian of %d variables; the model has %d.\n", file.c_str(), code.n,
                variableCount);
        return -1;
    }
    return check_compressed_columns({code.n, code.n, code.nnz, code.colptr, code.rowidx}, file,
                                    "usr_fjac");
}

IterationPattern::IterationPattern(const SparseJacobianCode& f, int algebraicCount)
    : colptr_(1, 0), fPosition_(f.nnz), fNegated_(f.nnz) {
    rowidx_.reserve(static_cast<size_t>(f.nnz) + f.n);
    diagonal_.reserve(f.n);
    for (int c = 0; c < f.n; ++c) {
        bool needsDiagonal = c >= algebraicCount;
        for (int k = f.colptr[c]; k < f.colptr[c + 1]; ++k) {
            int row = f.rowidx[k];
            if (needsDiagonal && row >= c) {  // the diagonal goes before the first row below it
                if (row > c) rowidx_.push_back(c);
                diagonal_.push_back(static_cast<std::int64_t>(rowidx_.size()) - (row > c ? 1 : 0));
                needsDiagonal = false;
            }
            fPosition_[k] = static_cast<std::int64_t>(rowidx_.size());
            fNegated_[k] = row >= algebraicCount;
            rowidx_.push_back(row);
        }
        if (needsDiagonal) {
            diagonal_.push_back(static_cast<std::int64_t>(rowidx_.size()));
            rowidx_.push_back(c);
        }
        colptr_.push_back(static_cast<std::int64_t>(rowidx_.size()));
    }
}

void IterationPattern::fill(const double* fValues, double cj, double* out) const {
    size_t count = rowidx_.size();
    for (size_t k = 0; k < count; ++k) out[k] = 0.0;
    for (size_t k = 0; k < fPosition_.size(); ++k) {
        out[fPosition_[k]] = fNegated_[k] ? -fValues[k] : fValues[k];
    }
    for (std::int64_t position : diagonal_) out[position] += cj;
}

}  // namespace kinesim
