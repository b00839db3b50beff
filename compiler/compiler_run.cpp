#include "compiler_run.h"

#include "code_writers.h"
#include "compile_options.h"
#include "dae_reader.h"
#include "expr_functions.h"
#include "expr_text.h"
#include "expression_setup.h"
#include "log.h"
#include "ssystem_writer.h"

namespace {

// Trees, checks, used marks, numbering and the rewriting of every variable.
int compile_expressions(DaeModel& model, bool cNotation, bool matlab) {
    if (set_expression(model, model.temporaries, cNotation) != 0) {
        log_sys("#  while setting up temporary expressions.\n");
        return -1;
    }
    if (set_expression(model, model.equations, cNotation) != 0) {
        log_sys("#  while setting up equations.\n");
        return -1;
    }
    mark_used_labels(model);
    if (set_variable_index(model) != 0) return -1;
    // From here no text is parsed again: calls print as the output's language says.
    set_matlab_calls(matlab);
    if (replace_expression(model, model.temporaries, cNotation) != 0) {
        log_sys("#  in Temporary Expression.\n");
        return -1;
    }
    if (replace_expression(model, model.equations, cNotation) != 0) {
        log_sys("#  in Equation.\n");
        return -1;
    }
    return 0;
}

bool calls_functions(const DaeModel& model) {
    for (const ExprEntry& equation : model.equations) {
        if (tree_calls_function(equation.tree)) return true;
    }
    return false;
}

// The code and parameter files, in the order a failure leaves them behind.
int write_outputs(DaeModel& model, const CompileOptions& options) {
    const bool cNotation = options.cNotation;
    const bool matlab = options.matlab;
    if (Write_usrfunc(model, options, cNotation, matlab) != 0) return -1;
    if (options.sparseJacobian && Write_sparse_jacobian(model, options, cNotation, matlab) != 0) {
        return -1;
    }
    if (options.parameterDerivatives &&
        Write_parameter_derivatives(model, options, cNotation) != 0) {
        return -1;
    }
    int params = matlab ? Write_paramFile_MATLAB(model, options) : Write_paramFile(model, options);
    if (params != 0) return -1;
    return Write_flux(model, options, cNotation, matlab);
}

int run_steps(int argc, char** argv) {
    CompileOptions options;
    if (my_init(argc, argv, options) != 0) return -1;
    if (options.parameterDerivatives && options.matlab) {
        log_sys("#  -Q writes C code only: it cannot be given with -MATLAB.\n");
        return -1;
    }
    set_extended_dialect(options.extendedDialect);
    DaeModel model;
    if (read_data(model, options.daeFile) != 0) return -1;
    if (compile_expressions(model, options.cNotation, options.matlab) != 0) return -1;
    if (write_outputs(model, options) != 0) return -1;
    // Only a model without algebraic equations and without calls has an S-system form.
    if (model.algebraicCount == 0 && !calls_functions(model) &&
        Set_Ssystem(model, options, options.cNotation, options.matlab) != 0) {
        return -1;
    }
    return 0;
}

}  // namespace

int run_symcode(int argc, char** argv) {
    if (run_steps(argc, argv) == 0) return 0;
    log_sys("### ERROR!!\n");
    return -1;
}
