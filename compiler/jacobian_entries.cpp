#include "jacobian_entries.h"

#include "code_format.h"
#include "tree_derivatives.h"
#include "variable_references.h"

int differentiate_equations(DaeModel& model, bool cNotation, std::vector<JacobianEntry>& entries) {
    entries.clear();
    std::string derivative;
    for (int i = 1; i <= model.equationCount; ++i) {
        const ExprNode* root = model.equations[i - 1].tree;
        TreeDerivatives row(root);
        for (int n : referenced_columns(root, root->text)) {
            if (row.derivative(element_symbol("y", n), cNotation, derivative) != 0) return -1;
            if (!derivative.empty()) entries.push_back({i, n, std::move(derivative)});
        }
    }
    return 0;
}

std::vector<JacobianEntry> by_columns(std::vector<JacobianEntry> entries, int columnCount,
                                      std::vector<int>& columnStarts) {
    // A counting sort: stable, so the rows of a column stay ascending.
    columnStarts.assign(columnCount + 1, 0);
    for (const JacobianEntry& entry : entries) ++columnStarts[entry.column];
    for (int c = 1; c <= columnCount; ++c) columnStarts[c] += columnStarts[c - 1];
    std::vector<int> next(columnStarts.begin(), columnStarts.end() - 1);
    std::vector<JacobianEntry> sorted(entries.size());
    for (JacobianEntry& entry : entries) sorted[next[entry.column - 1]++] = std::move(entry);
    return sorted;
}
