// -Q: d fvec / d p for every parameter element the equations read, differentiated by the rules
// of usr_fjac, in compressed-column form: the pattern as constant arrays, usr_fpar_csc fills the
// values in pattern order. Calibration's sensitivities need exactly this matrix at every step.
#include <map>
#include <utility>

#include "code_format.h"
#include "code_writers.h"
#include "format.h"
#include "header_block.h"
#include "log.h"
#include "output_file.h"
#include "tree_derivatives.h"
#include "variable_references.h"

namespace {

using zymorax::print;

// One column: an element of a used label, numbered as the generated code binds the labels.
struct ParameterColumn {
    std::string symbol;  // "<label>[<element>]" as the equations read it
    std::vector<int> rows;  // from 0, ascending
    std::vector<std::string> derivatives;
};

using ColumnKey = std::pair<int, int>;  // (label number from 1, element from 1)

// The derivatives of equation `row` (from 0) by each element of a used label it reads.
int differentiate_row(const DaeModel& model, int row, bool cNotation,
                      std::map<ColumnKey, ParameterColumn>& columns) {
    const ExprNode* root = model.equations[row].tree;
    TreeDerivatives derivatives(root);
    std::string text;
    int labelNumber = 0;
    for (const ParamLabel& label : model.paramLabels) {
        if (!label.used) continue;
        ++labelNumber;
        for (int element : referenced_indices(root, root->text, label.label)) {
            const std::string symbol = element_symbol(label.label.c_str(), element);
            if (derivatives.derivative(symbol, cNotation, text) != 0) return -1;
            if (text.empty()) continue;
            ParameterColumn& column = columns[{labelNumber, element}];
            column.symbol = symbol;
            column.rows.push_back(row);
            column.derivatives.push_back(std::move(text));
        }
    }
    return 0;
}

void write_numbers(FILE* out, const char* name, const std::vector<int>& numbers) {
    print(out, "const int %s[] = {\n", name);
    // C has no empty initialiser: an empty list holds a single 0.
    write_number_lines(out, numbers.empty() ? std::vector<int>{0} : numbers, ",", 0);
    std::fputs("};\n", out);
}

void write_pattern(FILE* out, int n, const std::map<ColumnKey, ParameterColumn>& columns) {
    std::vector<int> labels, elements, colptr{0}, rowidx;
    for (const auto& [key, column] : columns) {
        labels.push_back(key.first);
        elements.push_back(key.second);
        rowidx.insert(rowidx.end(), column.rows.begin(), column.rows.end());
        colptr.push_back(static_cast<int>(rowidx.size()));
    }
    std::fputs(
        "/* d fvec[i]/d p in compressed-column form, indices from 0: column c is the parameter\n"
        "   element p->val[usr_fpar_label[c]][usr_fpar_element[c]], and its entries are rows\n"
        "   usr_fpar_rowidx[usr_fpar_colptr[c] .. usr_fpar_colptr[c+1]-1] (row i-1 for fvec[i]),\n"
        "   increasing. An element no equation reads has no column. */\n",
        out);
    print(out, "const int usr_fpar_n = %d;\n", n);
    print(out, "const int usr_fpar_columns = %d;\n", static_cast<int>(columns.size()));
    print(out, "const int usr_fpar_nnz = %d;\n", static_cast<int>(rowidx.size()));
    write_numbers(out, "usr_fpar_label", labels);
    write_numbers(out, "usr_fpar_element", elements);
    write_numbers(out, "usr_fpar_colptr", colptr);
    write_numbers(out, "usr_fpar_rowidx", rowidx);
    std::fputs("\n", out);
}

int write_file(const DaeModel& model, const CompileOptions& options, bool cNotation,
               const std::map<ColumnKey, ParameterColumn>& columns) {
    OutputFile file;
    if (!file.open(options.parameterDerivativeFile)) return -1;
    FILE* out = file.get();
    if (write_header_block(out, cNotation, false) != 0) return -1;
    std::fputs("\n#include \"kine.h\"\n\n", out);
    write_pattern(out, model.equationCount, columns);
    std::fputs("void usr_fpar_csc(double values[], double y[], double Gene, Parameter *p)\n{\n",
               out);
    write_param_declarations(out, model, false);
    std::fputs("\n", out);
    int k = 0;
    for (const auto& [key, column] : columns) {
        for (size_t e = 0; e < column.rows.size(); ++e, ++k) {
            std::fprintf(out, "\tvalues[%d] = %s;\t/* d fvec[%d]/d %s */\n", k,
                         column.derivatives[e].c_str(), column.rows[e] + 1,
                         column.symbol.c_str());
        }
    }
    std::fputs("}\n", out);
    return file.close();
}

}  // namespace

int Write_parameter_derivatives(const DaeModel& model, const CompileOptions& options,
                                bool cNotation) {
    int result = require_file_name(options.parameterDerivativeFile,
                                   "parameter derivatives file", 'Q');
    std::map<ColumnKey, ParameterColumn> columns;
    for (int row = 0; result == 0 && row < model.equationCount; ++row)
        result = differentiate_row(model, row, cNotation, columns);
    if (result == 0) result = write_file(model, options, cNotation, columns);
    if (result != 0) log_sys("## Error in Write_parameter_derivatives.\n");
    return result;
}
