// make_Sdata and get_preGH: the body of get_GHdata (V+ and V- of every equation with their
// derivatives) and the lines of the S-system functions, written into the two scratch files.
#include <algorithm>

#include "code_format.h"
#include "format.h"
#include "header_block.h"
#include "log.h"
#include "output_file.h"
#include "section_files.h"
#include "ssystem_split.h"
#include "ssystem_writer.h"
#include "tree_derivatives.h"
#include "variable_references.h"

namespace {

using zymorax::format;
using zymorax::print;

// One derivative line: "\tgd[  e][  k] = ...;" for a variable, "gi" for a constant. A part
// can hold a symbol and still not depend on it ((y[1] - y[1])*k[1]); that entry is written as 0
// so that the line stays code.
int write_derivative(FILE* out, TreeDerivatives& part, const std::string& symbol, const char* array,
                     int e, int index, const SsystemLayout& layout) {
    std::string derivative;
    if (part.derivative(symbol, layout.cNotation, derivative) != 0) return -1;
    if (derivative.empty()) derivative = "0";
    if (layout.matlab) derivative = matlab_text(derivative);
    std::fprintf(out, layout.matlab ? "\t%s(%3d,%3d) = %s;\n" : "\t%s[%3d][%3d] = %s;\n", array, e,
                 index, derivative.c_str());
    return 0;
}

// Derivatives by the variables (table entries 1..n), then by the constants (n+1..).
int write_part_derivatives(FILE* out, ExprNode* root, const SsystemLayout& layout, int e,
                           const RatePart& part) {
    TreeDerivatives derivatives(root);
    const std::string variableArray = format("%sd", part.prefix);
    for (int k : referenced_columns(root, part.text)) {
        if (k > layout.n) continue;
        const std::string symbol = element_symbol("y", k);
        if (write_derivative(out, derivatives, symbol, variableArray.c_str(), e, k, layout) != 0) {
            return -1;
        }
        part.table.push_back({k, ++part.counter});
    }
    const std::string constantArray = format("%si", part.prefix);
    for (int j : referenced_indices(root, part.text, "constantPlayer")) {
        if (j > layout.constCount) continue;
        const std::string symbol = element_symbol("constantPlayer", j);
        if (write_derivative(out, derivatives, symbol, constantArray.c_str(), e, j, layout) != 0) {
            return -1;
        }
        part.table.push_back({layout.n + j, ++part.counter});
    }
    return 0;
}

int report_equation_failure(const std::string& equation, const RateParts& parts) {
    log_sys("#  equation = '%s'\n", equation.c_str());
    log_sys("#  V+ = '%s', V- = '%s'\n", parts.positive.c_str(), parts.negative.c_str());
    return -1;
}

// Steps a to d for equation i: split, G/H data of both parts, the S-system lines.
int write_equation(FILE* ghData, FILE* fvecScratch, FILE* fjacScratch, ExprEntry& row, int i,
                   const SsystemLayout& layout, KineticOrderCounts& counts) {
    RateParts parts;
    if (row.tree == nullptr || Set_expr(row.tree, false) != 0) {
        return report_equation_failure(row.tree != nullptr ? row.tree->text : row.text, parts);
    }
    const std::string& equation = row.tree->text;
    parts = split_rate_terms(equation);
    OrderTable gIndex, hIndex;
    const bool hasPositive = !parts.positive.empty();
    const bool hasNegative = !parts.negative.empty();
    if ((hasPositive && get_preGH(ghData, layout, i - 1,
                                  {"v_plus", parts.positive, "g", counts.gCount, gIndex}) != 0) ||
        (hasNegative && get_preGH(ghData, layout, i - 1,
                                  {"v_minus", parts.negative, "h", counts.hCount, hIndex}) != 0)) {
        return report_equation_failure(equation, parts);
    }
    std::fputs(ssystem_fvec_line(i, gIndex, hIndex, hasPositive, hasNegative, layout).c_str(),
               fvecScratch);
    write_ssystem_fjac_lines(fjacScratch, i, gIndex, hIndex, layout);
    return 0;
}

int write_equations(FILE* ghData, int n, std::vector<ExprEntry>& equations,
                    const SsystemLayout& layout, KineticOrderCounts& counts) {
    OutputFile fvecScratch, fjacScratch;
    if (!fvecScratch.open(kSsysBodyFile) || !fjacScratch.open(kSsysJacobianBodyFile)) return -1;
    if (layout.matlab) print(fjacScratch.get(), "fjac = zeros(%d);\n", n);
    const int rows = std::min(n, static_cast<int>(equations.size()));
    for (int i = 1; i <= rows; ++i) {
        if (write_equation(ghData, fvecScratch.get(), fjacScratch.get(), equations[i - 1], i,
                           layout, counts) != 0) {
            return -1;
        }
    }
    int closedFvec = fvecScratch.close();
    int closedFjac = fjacScratch.close();
    return closedFvec == 0 && closedFjac == 0 ? 0 : -1;
}

}  // namespace

int get_preGH(FILE* ghData, const SsystemLayout& layout, int position, const RatePart& part) {
    const int e = position + 1;
    ExprNode* root = nullptr;
    if (Make_node(&root, part.text) != 0 || Set_expr(root, layout.cNotation) != 0) {
        log_sys("## Error in get_preGH.\n");
        return -1;
    }
    if (layout.matlab) {
        std::fprintf(ghData, "\t%-7s(%3d) = %s;\n", part.name, e, matlab_text(root->text).c_str());
    } else {
        std::fprintf(ghData, "\t%-7s[%3d] = %s;\n", part.name, e, root->text.c_str());
    }
    if (write_part_derivatives(ghData, root, layout, e, part) != 0) {
        log_sys("## Error in get_preGH.\n");
        return -1;
    }
    return 0;
}

int make_Sdata(FILE* ghData, int n, std::vector<ExprEntry>& equations, int constCount,
               bool cNotation, bool matlab, KineticOrderCounts& counts) {
    const SsystemLayout layout{n, constCount, cNotation, matlab};
    if (write_equations(ghData, n, equations, layout, counts) != 0) {
        log_sys("## Error in make_Sdata.\n");
        return -1;
    }
    return 0;
}
