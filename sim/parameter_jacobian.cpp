#include "parameter_jacobian.h"

#include <unordered_map>

#include "log.h"
#include "model_inputs.h"
#include "sparse_jacobian.h"

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
    return check_compressed_columns({code.n, code.columns, code.nnz, code.colptr, code.rowidx},
                                    file, "usr_fpar");
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
