// Helpers shared by the expression tests: parse, print, differentiate and show trees, and build
// the trees by hand that the builder never makes.
#pragma once

#include <string>

#include "expr_node.h"

namespace expr_testing {

// An input text and what is expected of it.
struct TextCase {
    std::string text;
    std::string expected;
};

// Parses and prints text; the root text, or "<failed>" when either step failed.
inline std::string printed(const std::string& text, bool cNotation = true) {
    ExprNode* root = nullptr;
    if (Make_node(&root, text) != 0 || Set_expr(root, cNotation) != 0) return "<failed>";
    return root->text;
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

// A detached node "left op right" whose non-empty leaves are of the given kind.
inline ExprNode* node_with(char op, const std::string& left, const std::string& right,
                           int kind = OPERAND_NAME) {
    ExprNode* node = new_expr_node();
    node->op = op;
    node->priority = (op == '+' || op == '-')   ? 1
                     : (op == '*' || op == '/') ? 2
                     : op == '^'                ? 3
                                                : 0;
    node->leftText = left;
    node->leftKind = left.empty() ? 0 : kind;
    node->rightText = right;
    node->rightKind = right.empty() ? 0 : kind;
    return node;
}

inline void attach(ExprNode* parent, ExprNode* child, bool right) {
    (right ? parent->right : parent->left) = child;
    child->parent = parent;
}

// Parses outer and puts the tree of inner in place of its root leaf named leaf, as the
// substitution of a temporary does; nullptr when either text does not parse.
inline ExprNode* substituted(const std::string& outer, const std::string& leaf,
                             const std::string& inner) {
    ExprNode* root = nullptr;
    ExprNode* sub = nullptr;
    if (Make_node(&root, outer) != 0 || Make_node(&sub, inner) != 0) return nullptr;
    bool right = root->rightText == leaf;
    (right ? root->rightText : root->leftText).clear();
    (right ? root->rightKind : root->leftKind) = 0;
    attach(root, sub, right);
    return root;
}

}  // namespace expr_testing
