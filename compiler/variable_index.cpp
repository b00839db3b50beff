// Numbering of the variables: the state-vector index of each variable, which is also the row
// of its equation in the generated residual vector.
#include "expression_setup.h"
#include "log.h"

namespace {

int report_algebraic_mismatch(const DaeModel& model, int algebraicVariables) {
    for (const VariableEntry& variable : model.variables) {
        if (variable.isAlgebraic && variable.used) log_sys("#  x[%s]\n", variable.name.c_str());
    }
    log_sys("#  Above %d x[**] variables are used.\n", algebraicVariables);
    log_sys("#  But number of Algebraic Equations is %d.\n", model.algebraicCount);
    log_sys("## Error in set_variable_index. \n");
    return -1;
}

}  // namespace

int set_variable_index(DaeModel& model) {
    int algebraicVariables = 0;
    for (VariableEntry& variable : model.variables) {
        if (variable.isAlgebraic) {
            variable.number = ++algebraicVariables;
            continue;
        }
        int row = find_row(model.differentialRows, variable.name);
        if (row < 0) {
            log_sys("#  y[%s] is used, but there is no differential equation\n",
                    variable.name.c_str());
            log_sys("#  which starts with dydt[%s].\n", variable.name.c_str());
            log_sys("## Error in set_variable_index. \n");
            return -1;
        }
        variable.number = row + 1;
    }
    if (algebraicVariables != model.algebraicCount) {
        return report_algebraic_mismatch(model, algebraicVariables);
    }
    return 0;
}
