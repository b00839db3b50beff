// The non-zero entries of the symbolic Jacobian d fvec[i]/d y[n], differentiated once and shared
// by every writer of the Jacobian (the dense usr_fjac and the compressed-column form).
#pragma once

#include <string>
#include <vector>

#include "dae_model.h"

// Every entry whose derivative is not zero, row by row, columns ascending, in the notation of
// cNotation: the entries usr_fjac writes. 0, or -1 after the differentiation logged its failure.
int differentiate_equations(DaeModel& model, bool cNotation, std::vector<JacobianEntry>& entries);

// The entries reordered column by column, rows ascending within a column; columnStarts gets
// columnCount + 1 offsets into the result (the entries of column c, from 1, are those from
// columnStarts[c-1] to columnStarts[c]-1). Linear in the entries and the columns.
std::vector<JacobianEntry> by_columns(std::vector<JacobianEntry> entries, int columnCount,
                                      std::vector<int>& columnStarts);
