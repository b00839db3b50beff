// usr_fvec (residuals of all equations) and usr_fjac (their symbolic Jacobian).
#include "code_writers.h"
#include "format.h"
#include "header_block.h"
#include "jacobian_entries.h"
#include "log.h"
#include "output_file.h"

namespace {

using zymorax::print;

// Writes the Jacobian entries, with `entry` taking (row, column, derivative); integers and texts
// only, so the C library prints them (code_format.h).
void write_jacobian_entries(FILE* out, const std::vector<JacobianEntry>& entries, const char* entry,
                            bool matlab) {
    for (const JacobianEntry& e : entries) {
        const std::string derivative = matlab ? matlab_text(e.derivative) : e.derivative;
        std::fprintf(out, entry, e.row, e.column, derivative.c_str());
    }
}

void write_c_function_head(FILE* out, const char* signature, const DaeModel& model) {
    std::fputs(signature, out);
    std::fputs("double Gene, Parameter *p)\n{\n", out);
    write_param_declarations(out, model, false);
    std::fputs("\n", out);
}

int write_c_usrfunc(DaeModel& model, const CompileOptions& options, bool cNotation) {
    OutputFile file;
    if (!file.open(options.userFunctionFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, cNotation, false) != 0) return -1;
    std::fputs("\n#include \"kine.h\"\n\n", out);
    write_c_function_head(out, "void usr_fvec(double fvec[], double y[], ", model);
    for (int i = 1; i <= model.equationCount; ++i) {
        print(out, "\tfvec[%3d] = %s;\n", i, model.equations[i - 1].tree->text.c_str());
    }
    std::fputs("}\n\n", out);
    write_c_function_head(out, "void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], ", model);
    if (differentiate_equations(model, cNotation, model.jacobian) != 0) return -1;
    write_jacobian_entries(out, model.jacobian, "\tfjac[%3d][%3d] = %s;\n", false);
    std::fputs("}\n", out);
    return file.close();
}

int write_matlab_fvec(const DaeModel& model, const CompileOptions& options) {
    OutputFile file;
    if (!file.open(options.userFunctionFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, false, true) != 0) return -1;
    print(out, "function [fvec] = %s(y, Gene, p, t)\n", "ZYMORAX_usr_fvec");
    write_param_declarations(out, model, true);
    std::fputs("\n", out);
    for (int i = 1; i <= model.equationCount; ++i) {
        print(out, "\tfvec(%3d) = %s;\n", i,
              matlab_text(model.equations[i - 1].tree->text).c_str());
    }
    std::fputs("end\n\n", out);
    return file.close();
}

int write_matlab_fjac(DaeModel& model, const CompileOptions& options, bool cNotation) {
    OutputFile file;
    if (!file.open(options.jacobianFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, false, true) != 0) return -1;
    print(out, "function [fjac] = %s(y, Gene, p)\n", "ZYMORAX_usr_fjac");
    print(out, "\tfjac = zeros(%d);\n", model.equationCount);
    write_param_declarations(out, model, true);
    std::fputs("\n", out);
    if (differentiate_equations(model, cNotation, model.jacobian) != 0) return -1;
    write_jacobian_entries(out, model.jacobian, "\tfjac(%3d,%3d) = %s;\n", true);
    std::fputs("end\n\n", out);
    return file.close();
}

}  // namespace

int Write_usrfunc(DaeModel& model, const CompileOptions& options, bool cNotation, bool matlab) {
    int result = require_file_name(options.userFunctionFile, "user-function file", 'F');
    if (result == 0 && matlab) {
        result = write_matlab_fvec(model, options) == 0
                     ? write_matlab_fjac(model, options, cNotation)
                     : -1;
    } else if (result == 0) {
        result = write_c_usrfunc(model, options, cNotation);
    }
    // Only the compressed-column writer reads the entries again.
    if (!options.sparseJacobian) std::vector<JacobianEntry>().swap(model.jacobian);
    if (result != 0) log_sys("## Error in Write_usrfunc.\n");
    return result;
}
