#include "variable_references.h"

#include <algorithm>
#include <iterator>
#include <string>

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

// The numbers n, ascending and distinct, for which the text contains "<base>[n]" with n written
// as "%d" writes it: one pass over the text rather than one search per number.
std::vector<int> indices_in_text(const std::string& text, const std::string& base) {
    const std::string opening = base + "[";
    std::vector<int> found;
    for (size_t at = text.find(opening); at != std::string::npos; at = text.find(opening, at + 1)) {
        size_t end = at + opening.size();
        long long n = 0;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9' && n <= 100000000) {
            n = n * 10 + (text[end++] - '0');
        }
        const bool leadingZero = text[at + opening.size()] == '0';
        const bool closed = end < text.size() && text[end] == ']';
        if (closed && !leadingZero && n <= 100000000) found.push_back(static_cast<int>(n));
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
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
    const std::vector<int> inText = indices_in_text(printed, base);
    std::vector<int> both;
    std::set_intersection(columns.begin(), columns.end(), inText.begin(), inText.end(),
                          std::back_inserter(both));
    return both;
}
