// MATLAB mode: the initial-value and control function, and the parameter and event function.
#include "code_writers.h"
#include "format.h"
#include "header_block.h"
#include "log.h"
#include "output_file.h"
#include "value_texts.h"

namespace {

using zymorax::print;

// The fixed solver settings, each group under its head.
const char* const kControlSettings[] = {
    "\n%==solver\n",
    "ZYMORAX_CTL.SOLVER = 3;\n",
    "ZYMORAX_CTL.P_SURVEY=0;\n",
    "ZYMORAX_CTL.PARALLEL=0;\n",
    "ZYMORAX_CTL.RK_EPS=1.0E-12;\n",
    "ZYMORAX_CTL.NDF_RTOL=1.0E-12;\n",
    "ZYMORAX_CTL.NDF_ATOL=1.0E-12;\n",
    "\n%==time span and time step-size\n",
    "ZYMORAX_CTL.T_START=0.0;\n",
    "ZYMORAX_CTL.T_END='';\n",
    "ZYMORAX_CTL.DELTA_T='';\n",
    "ZYMORAX_CTL.DELTA_M='';\n",
    "\n%==Newton-Raphson Method\n",
    "ZYMORAX_CTL.NR_TRIAL=20;\n",
    "ZYMORAX_CTL.NR_TOL_F=1.0E-12;\n",
    "ZYMORAX_CTL.NR_TOL_X=1.0E-12;\n",
    "ZYMORAX_CTL.NR_RATIO=1.1;\n",
    "ZYMORAX_CTL.NR_SENS_CW=0.001;\n",
    "\n%==Other\n",
    "ZYMORAX_CTL.G_VALUE=1;\n",
    "ZYMORAX_CTL.Y_DEFAULT=1.0E-2;\n",
};

const char* const kEvents[] = {
    "\n% T_EVENT\n",
    "event(1).name = ZYMORAX_Constant.TIME_START;\n",
    "event(1).index = 0;\n",
    "%event(1).time =\n",
    "event(1).value = 0;\n",
    "\n\n",
    "idxLatestEvent = length(event)+1;\n",
    "event(idxLatestEvent).name = ZYMORAX_Constant.TIME_END;\n",
    "event(idxLatestEvent).index = 0;\n",
    "%event(idxLatestEvent).time =\n",
    "event(idxLatestEvent).value = 0;\n",
};

void write_initial_values(FILE* out, const DaeModel& model) {
    std::fputs("\n%=initial parameters\n", out);
    for (const VariableEntry& variable : model.variables) {
        const char* name = variable.name.c_str();
        if (has_initial_value(variable)) {
            std::string value = matlab_initial_value(variable.initialValue);
            print(out, "Y_START(%4d).value = %s; %% %s\n", variable.number, value.c_str(), name);
        } else {
            print(out, "%% Y_START(%4d) is no_value %% %s\n", variable.number, name);
        }
        print(out, "Y_START(%4d).tag = '%s';\n", variable.number, name);
    }
}

int write_initial_file(const DaeModel& model, const CompileOptions& options) {
    OutputFile file;
    if (!file.open(options.initialFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, false, true) != 0) return -1;
    print(out, "function [ZYMORAX_CTL Y_START] = %s()\n", "ZYMORAX_initial");
    std::fputs("\n%=control data\n", out);
    print(out, "ZYMORAX_CTL.N_VAR=%d; %% num of variables(all)\n",
          model.algebraicCount + model.differentialCount);
    print(out, "ZYMORAX_CTL.N_ALGEBR=%d; %% num of variables(Algebraic Eq)\n",
          model.algebraicCount);
    for (const char* setting : kControlSettings) std::fputs(setting, out);
    write_initial_values(out, model);
    std::fputs("\n%=solver parameter\n", out);
    std::fputs("ZYMORAX_CTL.MASS=eye(ZYMORAX_CTL.N_VAR);\n", out);
    std::fputs("for i=1:ZYMORAX_CTL.N_ALGEBR\n", out);
    std::fputs("\tZYMORAX_CTL.MASS(i,i)=0;\n", out);
    std::fputs("end\n", out);
    std::fputs("end\n", out);
    return file.close();
}

void write_label_elements(FILE* out, const ParamLabel& row) {
    const char* label = row.label.c_str();
    for (int k = 1; k <= row.elementCount; ++k) {
        const ParamElement& element = row.elements[k - 1];
        if (!element.used) {
            print(out, "param.%s(%4d).value = %s; %%\tNot Used!!\n", label, k,
                  unused_value(element).c_str());
        } else if (element.value != NO_VALUE) {
            print(out, "param.%s(%4d).value = %s;\n", label, k,
                  matlab_param_value(element.value).c_str());
        } else {
            print(out, "%% param.%s(%4d) is no_value;\n", label, k);
        }
        print(out, "param.%s(%4d).num_survey = 0;\n", label, k);
        print(out, "param.%s(%4d).d_r_s = 'D';\n", label, k);
        print(out, "param.%s(%4d).tag = '%s';\n", label, k, element.tag.c_str());
    }
    std::fputs("\n", out);
}

int write_parameter_file(const DaeModel& model, const CompileOptions& options) {
    OutputFile file;
    if (!file.open(options.parameterFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, false, true) != 0) return -1;
    print(out, "function [param, event] = %s()\n", "ZYMORAX_param");
    for (const char* line : kEvents) std::fputs(line, out);
    std::fputs("\n% PARAMETER\n", out);
    for (const ParamLabel& row : model.paramLabels) {
        if (row.used) write_label_elements(out, row);
    }
    std::fputs("end\n", out);
    return file.close();
}

}  // namespace

int Write_paramFile_MATLAB(const DaeModel& model, const CompileOptions& options) {
    int result = require_file_name(options.parameterFile, "parameter file", 'P');
    if (result == 0) result = write_initial_file(model, options);
    if (result == 0) result = write_parameter_file(model, options);
    if (result != 0) log_sys("## Error in Write_paramFile.\n");
    return result;
}
