// -J: the Jacobian in compressed-column form, from the entries usr_fjac was written from. C: the
// pattern as constant arrays and usr_fjac_csc, which fills the values in pattern order. MATLAB:
// ZYMORAX_usr_jpattern, the n by n sparse 0/1 pattern. Nothing here is of order n squared.
#include "code_format.h"
#include "code_writers.h"
#include "format.h"
#include "header_block.h"
#include "jacobian_entries.h"
#include "log.h"
#include "output_file.h"

namespace {

using zymorax::print;

// Row indices of the entries in pattern order, from 0.
std::vector<int> row_indices(const std::vector<JacobianEntry>& entries) {
    std::vector<int> rows;
    rows.reserve(entries.size());
    for (const JacobianEntry& entry : entries) rows.push_back(entry.row - 1);
    return rows;
}

void write_c_pattern(FILE* out, int n, const std::vector<JacobianEntry>& entries,
                     const std::vector<int>& columnStarts) {
    std::fputs(
        "/* d fvec[i]/d y[j] in compressed-column form, indices from 0 (row i-1, column j-1): the\n"
        "   entries of column c are rows usr_fjac_rowidx[usr_fjac_colptr[c] .. "
        "usr_fjac_colptr[c+1]-1],\n"
        "   increasing. Exactly the entries usr_fjac writes. */\n",
        out);
    print(out, "const int usr_fjac_n = %d;\n", n);
    print(out, "const int usr_fjac_nnz = %d;\n", static_cast<int>(entries.size()));
    std::fputs("const int usr_fjac_colptr[] = {\n", out);
    write_number_lines(out, columnStarts, ",", 0);
    std::fputs("};\nconst int usr_fjac_rowidx[] = {\n", out);
    // C has no empty initialiser: an empty pattern holds a single 0.
    write_number_lines(out, entries.empty() ? std::vector<int>{0} : row_indices(entries), ",", 0);
    std::fputs("};\n\n", out);
}

int write_c_file(const DaeModel& model, const CompileOptions& options, bool cNotation,
                 const std::vector<JacobianEntry>& entries, const std::vector<int>& columnStarts) {
    OutputFile file;
    if (!file.open(options.sparseJacobianFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, cNotation, false) != 0) return -1;
    std::fputs("\n#include \"kine.h\"\n\n", out);
    write_c_pattern(out, model.equationCount, entries, columnStarts);
    std::fputs("void usr_fjac_csc(double values[], double y[], double Gene, Parameter *p)\n{\n",
               out);
    write_param_declarations(out, model, false);
    std::fputs("\n", out);
    for (size_t k = 0; k < entries.size(); ++k) {
        std::fprintf(out, "\tvalues[%d] = %s;\n", static_cast<int>(k),
                     entries[k].derivative.c_str());
    }
    std::fputs("}\n", out);
    return file.close();
}

// A MATLAB column of the numbers plus one (indices from 1), or an empty column.
void write_matlab_column(FILE* out, const char* name, const std::vector<int>& numbers) {
    if (numbers.empty()) {
        print(out, "\t%s = zeros(0, 1);\n", name);
        return;
    }
    print(out, "\t%s = [\n", name);
    write_number_lines(out, numbers, ";", 1);
    std::fputs("\t];\n", out);
}

int write_matlab_file(const DaeModel& model, const CompileOptions& options,
                      const std::vector<JacobianEntry>& entries) {
    OutputFile file;
    if (!file.open(options.sparseJacobianFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, false, true) != 0) return -1;
    print(out, "function [pattern] = %s()\n", "ZYMORAX_usr_jpattern");
    std::fputs("\t% pattern(i, j) is 1 where ZYMORAX_usr_fjac writes d fvec(i)/d y(j)\n", out);
    std::vector<int> columns;
    columns.reserve(entries.size());
    for (const JacobianEntry& entry : entries) columns.push_back(entry.column - 1);
    write_matlab_column(out, "rows", row_indices(entries));
    write_matlab_column(out, "columns", columns);
    const int n = model.equationCount;
    print(out, "\tpattern = sparse(rows, columns, 1, %d, %d);\n", n, n);
    std::fputs("end\n", out);
    return file.close();
}

}  // namespace

int Write_sparse_jacobian(DaeModel& model, const CompileOptions& options, bool cNotation,
                          bool matlab) {
    int result = require_file_name(options.sparseJacobianFile, "sparse Jacobian file", 'J');
    if (result == 0) {
        std::vector<int> columnStarts;
        std::vector<JacobianEntry> entries =
            by_columns(std::move(model.jacobian), model.equationCount, columnStarts);
        result = matlab ? write_matlab_file(model, options, entries)
                        : write_c_file(model, options, cNotation, entries, columnStarts);
    }
    if (result != 0) log_sys("## Error in Write_sparse_jacobian.\n");
    return result;
}
