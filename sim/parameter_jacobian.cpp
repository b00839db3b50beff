#include "parameter_jacobian.h"

#include <unordered_map>

#include "log.h"
#include "model_inputs.h"

namespace kinesim {

namespace {

int check_columns(const ParameterJacobianCode& code, const ParameterValues& parameters,
                  const std::string& file) {
    for (int c = 0; c < code.columns; ++c) {
        const int label = code.label[c], element = code.element[c];
        if (label < 1 || label > parameters.slot_count() || element < 1 ||
            element > parameters.element_count(label)) {
            log_sys("%s: column %d reads element %d of label %d, which the parameter file does "
                    "not have.\n",
                    file.c_str(), c, element, label);
            return -1;
        }
    }
    return 0;
}

int check_rows(const ParameterJacobianCode& code, const std::string& file) {
    if (code.nnz < 0 || code.colptr[0] != 0 || code.colptr[code.columns] != code.nnz) {
        log_sys("%s: usr_fpar_colptr does not run from 0 to usr_fpar_nnz (%d).\n", file.c_str(),
                code.nnz);
        return -1;
    }
    for (int c = 0; c < code.columns; ++c) {
        if (code.colptr[c + 1] < code.colptr[c]) {
            log_sys("%s: usr_fpar_colptr falls at column %d.\n", file.c_str(), c);
            return -1;
        }
        for (int k = code.colptr[c]; k < code.colptr[c + 1]; ++k) {
            bool rising = k == code.colptr[c] || code.rowidx[k] > code.rowidx[k - 1];
            if (code.rowidx[k] < 0 || code.rowidx[k] >= code.n || !rising) {
                log_sys("%s: usr_fpar_rowidx[%d] = %d is out of order or range in column %d.\n",
                        file.c_str(), k, code.rowidx[k], c);
                return -1;
            }
        }
    }
    return 0;
}

}  // namespace

int check_parameter_jacobian(const ParameterJacobianCode& code, int variableCount,
                             const ParameterValues& parameters, const std::string& file) {
    if (code.n != variableCount) {
        log_sys("%s holds the parameter derivatives of %d equations; the model has %d.\n",
                file.c_str(), code.n, variableCount);
        return -1;
    }
    if (code.columns < 0) {
        log_sys("%s: usr_fpar_columns is negative (%d).\n", file.c_str(), code.columns);
        return -1;
    }
    if (check_columns(code, parameters, file) != 0) return -1;
    return check_rows(code, file);
}

std::vector<int> parameter_columns(const ParameterJacobianCode& code, const Parameter* record,
                                   const std::vector<double*>& wanted) {
    std::unordered_map<const double*, int> byAddress;
    for (int c = 0; c < code.columns; ++c)
        byAddress.emplace(record->val[code.label[c]] + code.element[c], c);
    std::vector<int> columns;
    columns.reserve(wanted.size());
    for (double* p : wanted) {
        auto found = byAddress.find(p);
        columns.push_back(found == byAddress.end() ? -1 : found->second);
    }
    return columns;
}

}  // namespace kinesim
