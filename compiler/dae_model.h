// The tables symcode reads from one DAE file and annotates while compiling it. One record per
// run; rows are never removed, so row positions stay valid for the whole run.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "expr_node.h"

// Value of a parameter element whose line gives no value.
constexpr double NO_VALUE = -9.999e-99;

struct VariableEntry {
    int number = 0;            // index in the state vector, set when the variables are numbered
    std::string name;          // text between the brackets of x[...] or y[...]
    double initialValue = -1;  // -1 when the file gives none
    bool initialGiven = false;  // the file gives a value (negative ones in the extended dialect)
    int isAlgebraic = 0;       // 1 for x[...], 0 for y[...]
    int used = 0;              // referenced by an expression
};

// A temporary expression or an equation.
struct ExprEntry {
    int kind = 0;      // temporaries: 1 total, 0 flux; equations: 1 algebraic, 0 differential
    std::string name;  // temporary name, or the bracket text of dydt[...]; empty for aeq
    std::string text;  // expression text without blanks
    ExprNode* tree = nullptr;
};

struct ParamElement {
    std::string tag;   // text after ';' of the element's line; empty without a line
    double value = 0;  // NO_VALUE when the line gives none
    int used = 0;
};

struct ParamLabel {
    std::string label;
    int elementCount = 0;  // largest index met in the parameter lines
    int used = 0;
    std::vector<ParamElement> elements;  // element k holds index k+1
};

// A non-zero entry d fvec[row]/d y[column] of the symbolic Jacobian.
struct JacobianEntry {
    int row = 0;     // equation row, from 1
    int column = 0;  // variable number, from 1
    std::string derivative;
};

struct DaeModel {
    size_t daeFileSize = 0;  // bytes read from the DAE file
    int variableCount = 0;
    int algebraicCount = 0;
    int differentialCount = 0;
    int constantCount = 0;
    int temporaryCount = 0;
    int equationCount = 0;
    int paramLabelCount = 0;

    std::vector<VariableEntry> variables;
    std::vector<ExprEntry> temporaries;
    std::vector<ExprEntry> equations;     // algebraic rows first, then differential rows
    std::vector<ParamLabel> paramLabels;  // row 0 is "constantPlayer"

    // Name lookups, built once after the table they index is read; each maps a name to the
    // first row that carries it, so lookups keep first-match meaning.
    std::unordered_map<std::string, int> variableRows;
    std::unordered_map<std::string, int> temporaryRows;
    std::unordered_map<std::string, int> labelRows;
    std::unordered_map<std::string, int> differentialRows;  // equation row by dydt name

    // The non-zero Jacobian entries as usr_fjac writes them (row by row), kept by Write_usrfunc
    // for the writer of the compressed-column form.
    std::vector<JacobianEntry> jacobian;
};

// The first row whose name is `name`, or -1.
int find_row(const std::unordered_map<std::string, int>& rows, const std::string& name);

// Maps each name to its first row, by the names `name_of` gives for rows 0..count-1.
template <typename Table, typename NameOf>
std::unordered_map<std::string, int> index_first_rows(const Table& table, NameOf name_of) {
    std::unordered_map<std::string, int> rows;
    rows.reserve(table.size());
    for (size_t i = 0; i < table.size(); ++i) rows.emplace(name_of(table[i]), static_cast<int>(i));
    return rows;
}
