// Set_Ssystem: the G/H data and count functions and the S-system functions, C or MATLAB.
#include "ssystem_writer.h"

#include <cstring>

#include "format.h"
#include "header_block.h"
#include "log.h"
#include "output_file.h"
#include "section_files.h"

namespace {

using zymorax::print;

// The header comment and the head of get_GHdata with the model's parameter declarations.
int write_GEhead(FILE* out, const DaeModel& model, const SsystemLayout& layout) {
    if (write_header_block(out, layout.cNotation, layout.matlab) != 0) {
        log_sys("## Error in write_GEhead.\n");
        return -1;
    }
    if (layout.matlab) {
        print(out, "function [gd, gi, hd, hi, v_plus, v_minus] = %s(y, p)\n", "ZYMORAX_get_GHdata");
        std::fputs("\t[n_var, n_const] = ZYMORAX_get_GHnum();\n", out);
        std::fputs("\tgd = zeros(n_var, n_var);\n\tgi = zeros(n_var, n_const);\n", out);
        std::fputs("\thd = zeros(n_var, n_var);\n\thi = zeros(n_var, n_const);\n", out);
        std::fputs("\tv_plus = zeros(1, n_var);\n\tv_minus = zeros(1, n_var);\n", out);
    } else {
        std::fputs("\n#include \"kine.h\"\n\n", out);
        std::fputs("void get_GHdata(double **gd, double **gi,", out);
        std::fputs(" double **hd, double **hi,\n", out);
        std::fputs("\tdouble *v_plus, double *v_minus, double *y, Parameter *p)\n{\n", out);
    }
    write_param_declarations(out, model, layout.matlab);
    std::fputs("\n", out);
    return 0;
}

// get_GHnum. MATLAB calls it by its file name, so the function keeps its plain name.
int write_GHnum(FILE* out, const SsystemLayout& layout) {
    if (layout.matlab) {
        if (write_header_block(out, layout.cNotation, true) != 0) return -1;
        std::fputs("function [n_var, n_const] = get_GHnum()\n", out);
        print(out, "\tn_var = %d;\n\tn_const = %d;\n", layout.n, layout.constCount);
        std::fputs("end\n", out);
    } else {
        std::fputs("void get_GHnum(int *n_var, int *n_const)\n{\n", out);
        print(out, "\t*n_var = %d;\n\t*n_const = %d;\n", layout.n, layout.constCount);
        std::fputs("}\n", out);
    }
    return 0;
}

// get_GHdata, then get_GHnum: one C file, or two MATLAB files.
int write_gh_files(DaeModel& model, const CompileOptions& options, const SsystemLayout& layout) {
    OutputFile file;
    if (!file.open(layout.matlab ? options.ghDataFile : options.ghFile)) return -1;
    if (write_GEhead(file.get(), model, layout) != 0) return -1;
    KineticOrderCounts counts;
    if (make_Sdata(file.get(), layout.n, model.equations, layout.constCount, layout.cNotation,
                   layout.matlab, counts) != 0) {
        return -1;
    }
    std::fputs(layout.matlab ? "end\n\n\n" : "}\n\n\n", file.get());
    if (layout.matlab && (file.close() != 0 || !file.open(options.ghFile))) return -1;
    if (write_GHnum(file.get(), layout) != 0) return -1;
    return file.close();
}

// The S-system usr_fvec, and its usr_fjac in the same C file or in a MATLAB file of its own.
int write_ssystem_files(const CompileOptions& options, const SsystemLayout& layout) {
    OutputFile file;
    if (!file.open(options.ssysFile)) return -1;
    if (write_header_block(file.get(), layout.cNotation, layout.matlab) != 0) return -1;
    if (layout.matlab) {
        print(file.get(), "function fvec = %s(y, Gene, p)\n", "ZYMORAX_S_usr_fvec");
    } else {
        std::fputs("\n#include \"kine.h\"\n\n", file.get());
        std::fputs("void usr_fvec(double fvec[], double y[], ", file.get());
        std::fputs("double Gene, Parameter *p)\n{\n", file.get());
    }
    if (write_S_funcs(file.get(), kSsysBodyFile, layout.constCount, layout.matlab) != 0) return -1;
    std::fputs(layout.matlab ? "end\n" : "}\n\n", file.get());
    if (layout.matlab) {
        if (file.close() != 0 || !file.open(options.ssysJacobianFile)) return -1;
        if (write_header_block(file.get(), layout.cNotation, true) != 0) return -1;
        print(file.get(), "function fjac = %s(y, Gene, p)\n", "ZYMORAX_S_usr_fjac");
    } else {
        std::fputs("void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], ", file.get());
        std::fputs("double Gene, Parameter *p)\n{\n", file.get());
    }
    if (write_S_funcs(file.get(), kSsysJacobianBodyFile, layout.constCount, layout.matlab) != 0) {
        return -1;
    }
    std::fputs(layout.matlab ? "end\n" : "}\n\n", file.get());
    return file.close();
}

// Copies every line of `in` behind a tab, whole however long (a line cut in two would break the
// code), in blocks rather than lines: the S-system Jacobian can run to hundreds of megabytes.
void copy_lines_indented(FILE* in, FILE* out) {
    std::vector<char> block(1 << 16);
    bool atLineStart = true;
    size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), in)) > 0) {
        for (size_t pos = 0; pos < got;) {
            const char* end = static_cast<const char*>(std::memchr(&block[pos], '\n', got - pos));
            const size_t stop = end != nullptr ? end - block.data() + 1 : got;
            if (atLineStart) std::fputc('\t', out);
            std::fwrite(&block[pos], 1, stop - pos, out);
            atLineStart = end != nullptr;
            pos = stop;
        }
    }
}

// A local copy of the values of the structure field p.<label>.
void write_matlab_binding(FILE* out, const char* label) {
    print(out, "\t%s_len = length(p.%s);\n", label, label);
    print(out, "\tfor i=1:1:%s_len\n", label);
    print(out, "\t\t%s(i) = p.%s(i).value;\n", label, label);
    std::fputs("\tend\n", out);
}

// The S-system functions read five parameter arrays in a fixed order, whatever the model's
// own labels are.
void write_ssystem_declarations(FILE* out, int constCount, bool matlab) {
    if (!matlab) {
        print(out, "\tdouble *%s\t= p->val[1];\n", "constantPlayer");
        std::fputs("\tdouble *kplus\t= p->val[2];\n\tdouble *kminus\t= p->val[3];\n", out);
        std::fputs("\tdouble *g\t= p->val[4];\n\tdouble *h\t= p->val[5];\n\n", out);
        return;
    }
    if (constCount > 0) write_matlab_binding(out, "constantPlayer");
    for (const char* label : {"kplus", "kminus", "g", "h"}) write_matlab_binding(out, label);
}

}  // namespace

int count_used_constants(const DaeModel& model) {
    if (model.paramLabels.empty()) return 0;
    const std::vector<ParamElement>& constants = model.paramLabels[0].elements;
    for (size_t k = constants.size(); k > 0; --k) {
        if (constants[k - 1].used) return static_cast<int>(k);
    }
    return 0;
}

int write_S_funcs(FILE* out, const std::string& scratchName, int constCount, bool matlab) {
    write_ssystem_declarations(out, constCount, matlab);
    FILE* scratch = open_logged(scratchName, "r");
    if (scratch == nullptr) {
        log_sys("## Error in write_S_funcs.\n");
        return -1;
    }
    FileCloser closeScratch(scratch);
    copy_lines_indented(scratch, out);
    if (std::ferror(scratch) != 0) {
        log_sys("#  Cannot read %s\n", scratchName.c_str());
        log_sys("## Error in write_S_funcs.\n");
        return -1;
    }
    return 0;
}

int Set_Ssystem(DaeModel& model, const CompileOptions& options, bool cNotation, bool matlab) {
    const SsystemLayout layout{model.differentialCount, count_used_constants(model), cNotation,
                               matlab};
    int result = require_file_name(options.ghFile, "G/H file", 'G');
    if (result == 0) result = require_file_name(options.ssysFile, "S-system file", 'S');
    if (result == 0) result = write_gh_files(model, options, layout);
    if (result == 0) result = write_ssystem_files(options, layout);
    if (result != 0) log_sys("## Error in Set_Ssystem.\n");
    return result;
}
