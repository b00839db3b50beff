#include "variable_references.h"

#include <algorithm>
#include <string>

#include "format.h"

int state_index_of(const std::string& leafText) {
    return element_index_of(leafText, "y");
}

int element_index_of(const std::string& leafText, const std::string& base) {
    const size_t digitsAt = base.size() + 1;
    if (leafText.size() < digitsAt + 2 || leafText.compare(0, base.size(), base) != 0 ||
        leafText[base.size()] != '[' || leafText.back() != ']') {
        return 0;
    }
    long long n = 0;
    for (size_t i = digitsAt; i + 1 < leafText.size(); ++i) {
        char c = leafText[i];
        if (c < '0' || c > '9' || n > 100000000) return 0;
        n = n * 10 + (c - '0');
    }
    return static_cast<int>(n);
}

namespace {

void collect_leaf(const std::string& text, int kind, const std::string& base,
                  std::vector<int>& columns) {
    if (kind != OPERAND_NAME) return;
    int n = element_index_of(text, base);
    if (n > 0) columns.push_back(n);
}

}  // namespace

std::vector<int> referenced_columns(const ExprNode* root, const std::string& printed) {
    return referenced_indices(root, printed, "y");
}

std::vector<int> referenced_indices(const ExprNode* root, const std::string& printed,
                                    const std::string& base) {
    std::vector<int> columns;
    std::vector<const ExprNode*> pending;
    if (root != nullptr) pending.push_back(root);
    while (!pending.empty()) {
        const ExprNode* node = pending.back();
        pending.pop_back();
        if (node->left != nullptr) pending.push_back(node->left);
        if (node->right != nullptr) pending.push_back(node->right);
        collect_leaf(node->leftText, node->leftKind, base, columns);
        collect_leaf(node->rightText, node->rightKind, base, columns);
    }
    std::sort(columns.begin(), columns.end());
    columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
    columns.erase(std::remove_if(columns.begin(), columns.end(),
                                 [&](int n) {
                                     const std::string symbol =
                                         zymorax::format("%s[%d]", base.c_str(), n);
                                     return printed.find(symbol) == std::string::npos;
                                 }),
                  columns.end());
    return columns;
}
