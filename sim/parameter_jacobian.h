// d f / d p as symcode's -Q file gives it: the pattern in compressed-column form, a column per
// parameter element the equations read, and the function that fills the values.
#pragma once

#include <string>
#include <vector>

#include "kine.h"

namespace kinesim {

class ParameterValues;

using UsrFparCsc = void (*)(double values[], double y[], double Gene, Parameter* p);

// Column c is the element p->val[label[c]][element[c]]; its rows (from 0, increasing) are
// rowidx[colptr[c] .. colptr[c + 1] - 1], and `values` writes the nnz values in that order.
struct ParameterJacobianCode {
    int n = 0;
    int columns = 0;
    int nnz = 0;
    const int* label = nullptr;
    const int* element = nullptr;
    const int* colptr = nullptr;
    const int* rowidx = nullptr;
    UsrFparCsc values = nullptr;
};

// Checks the pattern against the model's `variableCount` and the labels and elements of
// `parameters`, so that no column can point outside them. 0, or -1 after logging what is wrong
// in `file`.
int check_parameter_jacobian(const ParameterJacobianCode& code, int variableCount,
                             const ParameterValues& parameters, const std::string& file);

// Per sensitivity parameter j, the other elements that carry its value (a condition that sets
// several model parameters to one estimated parameter): derivatives by j sum over all of them.
using ParameterAliases = std::vector<std::vector<double*>>;

// For each of `wanted` (pointers into `record`'s values), the column of the element it points
// to, or -1 where no equation reads it.
std::vector<int> parameter_columns(const ParameterJacobianCode& code, const Parameter* record,
                                   const std::vector<double*>& wanted);

}  // namespace kinesim
