// usr_flux: the value of every temporary expression, totals and fluxes in two arrays.
#include "code_writers.h"
#include "format.h"
#include "header_block.h"
#include "log.h"
#include "output_file.h"

namespace {

using zymorax::print;

void write_flux_head(FILE* out, const DaeModel& model, bool matlab) {
    if (matlab) {
        print(out, "function [total, flux] = %s(y, Gene, p)\n", "ZYMORAX_usr_flux");
    } else {
        std::fputs("\n#include \"kine.h\"\n\n", out);
        std::fputs("void usr_flux(double total[], double flux[], double y[], ", out);
        std::fputs("double Gene, Parameter *p)\n{\n", out);
    }
    write_param_declarations(out, model, matlab);
    std::fputs("\n", out);
}

// One running index over all temporaries; each array is filled at the rows of its own kind.
void write_flux_rows(FILE* out, const DaeModel& model, bool matlab) {
    int r = 0;
    for (const ExprEntry& row : model.temporaries) {
        ++r;
        const char* array = row.kind == 1 ? "total" : "flux";
        if (matlab) {
            print(out, "\t%s(%3d) = %s; %% %s\n", array, r, matlab_text(row.tree->text).c_str(),
                  row.name.c_str());
            continue;
        }
        // The name stands in a C comment: keep it from closing the comment early.
        std::string name;
        if (!checkCcomment(row.name, name)) name.clear();
        print(out, "\t%s[%3d] = %s; /* %s */\n", array, r, row.tree->text.c_str(), name.c_str());
    }
}

void write_missing_kinds(FILE* out, const DaeModel& model, bool matlab) {
    bool anyTotal = false, anyFlux = false;
    for (const ExprEntry& row : model.temporaries) (row.kind == 1 ? anyTotal : anyFlux) = true;
    if (!anyTotal) {
        std::fputs(matlab ? "\n\t% No Total expression.\n" : "\n\t/* No Total expression. */\n",
                   out);
    }
    if (!anyFlux) {
        std::fputs(matlab ? "\n\t% No Flux expression.\n" : "\n\t/* No Flux expression. */\n",
                   out);
    }
}

int write_flux_file(const DaeModel& model, const CompileOptions& options, bool cNotation,
                    bool matlab) {
    OutputFile file;
    if (!file.open(options.tempExprFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, cNotation, matlab) != 0) return -1;
    write_flux_head(out, model, matlab);
    write_flux_rows(out, model, matlab);
    write_missing_kinds(out, model, matlab);
    std::fputs(matlab ? "end\n\n" : "}\n\n", out);
    return file.close();
}

}  // namespace

int Write_flux(const DaeModel& model, const CompileOptions& options, bool cNotation,
               bool matlab) {
    int result = require_file_name(options.tempExprFile, "temporary-expression file", 'T');
    if (result == 0) result = write_flux_file(model, options, cNotation, matlab);
    if (result != 0) log_sys("## Error in Write_flux.\n");
    return result;
}
