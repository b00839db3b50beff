// The reading step of a run: split the DAE file, size the tables, read every section.
#include "dae_reader.h"

#include <new>

#include "compile_options.h"
#include "log.h"
#include "section_files.h"

int allocate_area(DaeModel& model) {
    const char* problem = nullptr;
    if (model.variableCount <= 0) {
        problem = "#  There is no variable. \n";
    } else if (model.equationCount <= 0) {
        problem = "#  There is no equation. \n";
    }
    if (problem != nullptr) {
        log_sys("%s", problem);
        log_sys("## Error in allocate_area. \n");
        return -1;
    }
    if (model.variableCount < model.equationCount) {
        log_sys("#  Lack of variables. Number of equations : %d, Number of variables : %d\n",
                model.equationCount, model.variableCount);
        log_sys("## Error in allocate_area. \n");
        return -1;
    }
    const char* table = "variables";
    try {
        model.variables.assign(model.variableCount, VariableEntry());
        model.equations.assign(model.equationCount, ExprEntry());
        model.paramLabels.assign(model.paramLabelCount, ParamLabel());
        table = "mid-expressions";
        model.temporaries.assign(model.temporaryCount, ExprEntry());
    } catch (const std::bad_alloc&) {
        log_sys("#  Can't allocate memory area for %s. \n", table);
        log_sys("## Error in allocate_area. \n");
        return -1;
    }
    return 0;
}

namespace {

int read_sections(DaeModel& model) {
    if (read_param_base(model) != 0 || read_param(model) != 0 || read_var(model) != 0) return -1;
    if (model.temporaryCount > 0 && read_mid_expression(model) != 0) return -1;
    if (model.algebraicCount > 0 && read_equation(model, true) != 0) return -1;
    return read_equation(model, false);
}

}  // namespace

int read_data(DaeModel& model, const std::string& daeFileName) {
    int result = require_file_name(daeFileName, "DAE file", 'D');
    if (result == 0 && split_dae_file(model, daeFileName) != 0) {
        log_sys("## Error in split_DAEfile. \n");
        result = -1;
    }
    if (result == 0) result = allocate_area(model) == 0 ? read_sections(model) : -1;
    if (result != 0) log_sys("## Error in read_data.\n");
    return result;
}
