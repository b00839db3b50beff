// The parameter file of C mode: counts, initial values, parameter elements and label order.
#include "code_writers.h"
#include "header_block.h"
#include "log.h"
#include "output_file.h"
#include "param_layout.h"
#include "value_texts.h"

namespace {

void write_text(FILE* out, const std::string& text) {
    std::fputs(text.c_str(), out);
}

void write_initial_values(FILE* out, const DaeModel& model) {
    write_text(out, zymorax::y_start_header());
    for (const VariableEntry& variable : model.variables) {
        std::string value = has_initial_value(variable) ? initial_value_field(variable.initialValue)
                                                        : zymorax::blank_value_text();
        write_text(out, zymorax::y_start_row(variable.number, value, variable.name));
    }
}

void write_label_elements(FILE* out, const ParamLabel& row) {
    for (int k = 1; k <= row.elementCount; ++k) {
        const ParamElement& element = row.elements[k - 1];
        if (!element.used) {
            write_text(out, zymorax::unused_param_row(row.label, k, element.tag,
                                                      unused_value(element)));
            continue;
        }
        std::string value = element.value != NO_VALUE ? param_value_field(element.value)
                                                      : zymorax::blank_value_text();
        write_text(out, zymorax::param_row(row.label, k, value, element.tag));
    }
}

void write_parameters(FILE* out, const DaeModel& model) {
    write_text(out, zymorax::param_header());
    for (const ParamLabel& row : model.paramLabels) {
        if (row.used && row.elementCount > 0) write_label_elements(out, row);
    }
    write_text(out, zymorax::event_header());
    write_text(out, zymorax::fixed_part_header());
    for (const ParamLabel& row : model.paramLabels) {
        if (row.used) write_text(out, zymorax::param_name_row(row.label));
    }
}

int write_param_file(const DaeModel& model, const CompileOptions& options) {
    OutputFile file;
    if (!file.open(options.parameterFile)) return -1;
    FILE* out = file.get();
    write_text(out, zymorax::model_header());
    if (write_header_block(out, false, false) != 0) return -1;
    write_text(out, zymorax::count_rows(model.algebraicCount + model.differentialCount,
                                        model.algebraicCount));
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
