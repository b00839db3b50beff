// The Jacobian's compressed-column pattern when no -J file is given, so that large models take
// the sparse solver without one: the entries usr_fjac writes, found by filling its rows with a
// marker and calling it once. usr_fjac writes the entries that are not zero as expressions, each
// at every call, so the pattern holds at every state; the values are then read from its rows.
#pragma once

#include <cstddef>
#include <vector>

#include "compiled_model.h"

namespace kinesim {

class DerivedPattern {
  public:
    // Calls usr_fjac once with `parameters`. 0, or -1 after logging when its rows of
    // `variableCount` + 1 numbers do not fit in memory.
    int derive(UsrFjac fjac, Parameter* parameters, int variableCount);

    // The pattern, pointing into this object; `values` is nullptr and `fjacOffsets` says where
    // usr_fjac's rows hold each entry.
    SparseJacobianCode code() const;

  private:
    int n_ = 0;
    std::vector<int> colptr_, rowidx_;
    std::vector<std::size_t> offsets_;
};

}  // namespace kinesim
