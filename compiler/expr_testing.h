// Helpers shared by the expression tests: parse, print, differentiate and show trees.
#pragma once

#include <string>

#include "expr_node.h"

namespace expr_testing {

// Parses and prints text; the root text, or "<failed>" when either step failed.
inline std::string printed(const std::string& text, bool cNotation = true) {
    ExprNode* root = nullptr;
    if (Make_node(&root, text) != 0 || Set_expr(root, cNotation) != 0) return "<failed>";
    return root->text;
}

inline int printed_class(const std::string& text) {
    ExprNode* root = nullptr;
    if (Make_node(&root, text) != 0 || Set_expr(root, true) != 0) return -1;
    return root->textClass;
}

// Parses, prints and differentiates text by variable; the derivative or "<failed>".
inline std::string derivative(const std::string& text, const std::string& variable,
                              bool cNotation = true) {
    ExprNode* root = nullptr;
    if (Make_node(&root, text) != 0 || Set_expr(root, cNotation) != 0 ||
        Make_diff(root, variable, cNotation) != 0) {
        return "<failed>";
    }
    return root->diffText;
}

// A tree as a compact s-expression: "(op left right)", '~' for no operator, '!' after the
// operator of a closed group, '_' for an empty side, leaves as their text.
inline std::string shape(const ExprNode* node) {
    auto side = [](const ExprNode* subtree, const std::string& leaf) {
        return subtree != nullptr ? shape(subtree) : (leaf.empty() ? std::string("_") : leaf);
    };
    std::string out = "(";
    out += node->op != 0 ? node->op : '~';
    if (node->closed) out += '!';
    out += " " + side(node->left, node->leftText) + " " + side(node->right, node->rightText) + ")";
    return out;
}

inline std::string parsed_shape(const std::string& text) {
    ExprNode* root = nullptr;
    if (Make_node(&root, text) != 0) return "<failed>";
    return shape(root);
}

}  // namespace expr_testing
