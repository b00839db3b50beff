// The parameter file of C mode: counts, initial values, parameter elements and label order.
#include "code_writers.h"
#include "format.h"
#include "header_block.h"
#include "log.h"
#include "output_file.h"

namespace {

using zymorax::print;

void write_counts(FILE* out, const DaeModel& model) {
    print(out, "N_VAR   ;%4d; # num of variables(all)\n",
          model.algebraicCount + model.differentialCount);
    print(out, "N_ALGEBR;%4d; # num of variables(Algebraic Eq)\n", model.algebraicCount);
}

void write_initial_values(FILE* out, const DaeModel& model) {
    std::fputs("\n#Y_START ; index; initial_value; tag #comment\n", out);
    for (const VariableEntry& variable : model.variables) {
        std::string value = variable.initialValue >= 0
                                ? zymorax::format("%12.4e", variable.initialValue)
                                : std::string(12, ' ');
        print(out, "Y_START ;%4d;%s;  %s\t#\n", variable.number, value.c_str(),
              variable.name.c_str());
    }
}

void write_label_elements(FILE* out, const ParamLabel& row) {
    const char* label = row.label.c_str();
    for (int k = 1; k <= row.elementCount; ++k) {
        const ParamElement& element = row.elements[k - 1];
        if (!element.used) {
            print(out, "PARAM   ;%-14s;%4d;%12s;;0;D;;;; %s\t# Not Used!!\n", label, k, "1",
                  element.tag.c_str());
            continue;
        }
        std::string value = element.value != NO_VALUE ? zymorax::format("%12.4g", element.value)
                                                       : std::string(12, ' ');
        print(out, "PARAM   ;%-14s;%4d;%s;;0;D;;;; %s\t#\n", label, k, value.c_str(),
              element.tag.c_str());
    }
}

void write_parameters(FILE* out, const DaeModel& model) {
    std::fputs("\n#PARAM;name;index;val;val_start;num_survey;D/R/S;change-val;GA_min;GA_max;tag "
               "#comment\n",
               out);
    for (const ParamLabel& row : model.paramLabels) {
        if (row.used && row.elementCount > 0) write_label_elements(out, row);
    }
    std::fputs("\n#T_EVENT ; name; index; time; value; #comment\n\n", out);
    std::fputs("\n######## Don't edit the following lines. ######\n", out);
    for (const ParamLabel& row : model.paramLabels) {
        if (row.used) print(out, "PARAM_NAME ;%-15s #\n", row.label.c_str());
    }
}

int write_param_file(const DaeModel& model, const CompileOptions& options) {
    OutputFile file;
    if (!file.open(options.parameterFile)) return -1;
    FILE* out = file.get();
    std::fputs("##### Model ################\n", out);
    if (write_header_block(out, false, false) != 0) return -1;
    write_counts(out, model);
    write_initial_values(out, model);
    write_parameters(out, model);
    return file.close();
}

}  // namespace

int Write_paramFile(const DaeModel& model, const CompileOptions& options) {
    int result = require_file_name(options.parameterFile, "parameter file", 'P');
    if (result == 0) result = write_param_file(model, options);
    if (result != 0) log_sys("## Error in Write_paramFile.\n");
    return result;
}
