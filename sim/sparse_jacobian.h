// The Jacobian in compressed-column form, as symcode's -J file gives it, and the pattern of the
// iteration matrix IDA factorises, built from it once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "kine.h"

namespace kinesim {

using UsrFjacCsc = void (*)(double values[], double y[], double Gene, Parameter* p);

// What the -J file defines: d fvec[i] / d y[j] (both from 1) is stored at row i - 1 of column
// j - 1; the rows of column c are rowidx[colptr[c] .. colptr[c + 1] - 1], increasing, and
// `values` writes the nnz values in that order.
struct SparseJacobianCode {
    int n = 0;
    int nnz = 0;
    const int* colptr = nullptr;  // n + 1 entries
    const int* rowidx = nullptr;  // nnz entries
    UsrFjacCsc values = nullptr;
    // Without a -J file, a pattern derived from usr_fjac: where its rows (n + 1 numbers each)
    // hold the k-th value.
    const std::size_t* fjacOffsets = nullptr;
};

// A compressed-column pattern: the rows of column c are rowidx[colptr[c] .. colptr[c + 1] - 1].
struct CompressedColumns {
    int rows = 0, columns = 0, nnz = 0;
    const int* colptr = nullptr;  // columns + 1 entries
    const int* rowidx = nullptr;  // nnz entries
};

// Checks that colptr runs from 0 to nnz without falling and that each column's rows increase
// within 0 .. rows - 1; the messages name the arrays as `prefix`_colptr and so on. 0, or -1
// after logging what is wrong in `file`.
int check_compressed_columns(const CompressedColumns& pattern, const std::string& file,
                             const char* prefix);

// Checks that the pattern is well formed for `variableCount` variables, so that filling a matrix
// from it can never leave its bounds. 0, or -1 after logging what is wrong in `file`.
int check_sparse_pattern(const SparseJacobianCode& code, int variableCount,
                         const std::string& file);

// IDA's iteration matrix dF/dy + cj dF/dy' of F = [g(y); y' - f(y)] (the first algebraicCount
// rows algebraic): the pattern of f with the diagonal of every differential row added.
class IterationPattern {
  public:
    IterationPattern(const SparseJacobianCode& f, int algebraicCount);

    int size() const { return static_cast<int>(colptr_.size()) - 1; }
    std::int64_t nonzeros() const { return static_cast<std::int64_t>(rowidx_.size()); }
    const std::vector<std::int64_t>& colptr() const { return colptr_; }
    const std::vector<std::int64_t>& rowidx() const { return rowidx_; }

    // The matrix's values in pattern order from f's values (in f's pattern order); O(nnz).
    void fill(const double* fValues, double cj, double* out) const;

  private:
    std::vector<std::int64_t> colptr_, rowidx_;
    std::vector<std::int64_t> fPosition_;  // where f's k-th entry goes
    std::vector<char> fNegated_;           // f's k-th entry lies in a differential row
    std::vector<std::int64_t> diagonal_;   // where cj goes, one per differential row
};

}  // namespace kinesim
