// Set_expr: prints a tree bottom-up into text, class and brackets of every node.
#include "expr_compose.h"
#include "expr_node.h"
#include "expr_text.h"
#include "expr_walk.h"
#include "log.h"

namespace {

bool is_known_operator(char op) {
    return op == 0 || op == '+' || op == '-' || op == '*' || op == '/' || op == '^';
}

// The text and class a side contributes: a subtree's printed text or a leaf's text and kind.
ClassedText side_text(const ExprNode* subtree, const std::string& leafText, int leafKind) {
    if (subtree != nullptr) return {subtree->text, subtree->textClass};
    return {leafText, leafText.empty() ? TEXT_ZERO : leafKind};
}

int report_duplicate(const char* side, const std::string& leafText, const ExprNode* subtree) {
    log_sys("#  Duplicate expressions.\n");
    log_sys("#  char%s :%s.\n", side, leafText.c_str());
    log_sys("#  expr%s:%s.\n", side, subtree->text.c_str());
    return -1;
}

class PrintVisitor : public ExprVisitor {
public:
    explicit PrintVisitor(bool cNotation) : cNotation_(cNotation) {}

    int enter_left(ExprNode* node) override {
        if (node->left != nullptr && !node->leftText.empty()) {
            return report_duplicate("L", node->leftText, node->left);
        }
        if (node->left == nullptr && node->leftText.empty() && node->op != '-') {
            log_sys("#  No left-side expression.\n");
            return -1;
        }
        return 0;
    }

    int enter_right(ExprNode* node) override {
        if (node->right != nullptr && !node->rightText.empty()) {
            return report_duplicate("R", node->rightText, node->right);
        }
        if (node->right == nullptr && node->rightText.empty()) {
            log_sys("#  No right-side expression.\n");
            return -1;
        }
        return 0;
    }

    int leave(ExprNode* node, const NodePlace& place) override {
        if (!is_known_operator(node->op)) {
            log_sys("#  Unknown operator.\n");
            return -1;
        }
        ClassedText left = side_text(node->left, node->leftText, node->leftKind);
        ClassedText right = side_text(node->right, node->rightText, node->rightKind);
        ClassedText printed = compose_text(*node, left, right, cNotation_);
        if (printer_needs_brackets(printed, node->closed != 0, place)) {
            printed.text = "(" + printed.text + ")";
        }
        node->text = std::move(printed.text);
        node->textClass = printed.textClass;
        return 0;
    }

    void unwind(const ExprNode* node) override {
        log_sys("#  operation :'%s'.\n", op_text(node->op).c_str());
        log_sys("## Error in Set_expr.\n");
    }

private:
    bool cNotation_;
};

}  // namespace

int Set_expr(ExprNode* node, bool cNotation) {
    if (node == nullptr) {
        log_sys("## Error in Set_expr.\n");
        return -1;
    }
    PrintVisitor visitor(cNotation);
    return walk_children_first(node, visitor);
}
