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
TextRef side_text(const ExprNode* subtree, const std::string& leafText, int leafKind) {
    if (subtree != nullptr) return TextRef(subtree->text, subtree->textClass);
    return TextRef(leafText, leafText.empty() ? TEXT_ZERO : leafKind);
}

int report_duplicate(const char* side, const std::string& leafText, const ExprNode* subtree) {
    log_sys("#  Duplicate expressions.\n");
    log_sys("#  char%s :%s.\n", side, leafText.c_str());
    log_sys("#  expr%s:%s.\n", side, subtree->text.c_str());
    return -1;
}

int check_left_side(const ExprNode* node) {
    if (node->left != nullptr && !node->leftText.empty()) {
        return report_duplicate("L", node->leftText, node->left);
    }
    if (node->left == nullptr && node->leftText.empty() && node->op != '-') {
        log_sys("#  No left-side expression.\n");
        return -1;
    }
    return 0;
}

int check_right_side(const ExprNode* node) {
    if (node->right != nullptr && !node->rightText.empty()) {
        return report_duplicate("R", node->rightText, node->right);
    }
    if (node->right == nullptr && node->rightText.empty()) {
        log_sys("#  No right-side expression.\n");
        return -1;
    }
    return 0;
}

int check_operator(const ExprNode* node) {
    if (is_known_operator(node->op)) return 0;
    log_sys("#  Unknown operator.\n");
    return -1;
}

void log_unwind(const ExprNode* node) {
    log_sys("#  operation :'%s'.\n", op_text(node->op).c_str());
    log_sys("## Error in Set_expr.\n");
}

// No derivative reads the operands of a sum (or of a node without operator), so their texts
// are handed on rather than kept: a sum of n terms then holds its text once, not n times.
bool hands_on_operands(const ExprNode* node) {
    return node->op == 0 || node->op == '+' || node->op == '-';
}

// The text of a sum "L op R" with L taken over from the left subtree rather than copied.
bool compose_sum_in_place(ExprNode* node, TextRef left, TextRef right, ClassedText& printed) {
    const bool folds = left.textClass == TEXT_NUMBER && right.textClass == TEXT_NUMBER;
    const bool sum = node->op == '+' || node->op == '-';
    if (!sum || node->left == nullptr || folds) return false;
    printed.text = std::move(node->left->text);
    printed.text.append(node->op == '+' ? " + " : " - ").append(right.text);
    printed.textClass = TEXT_SUM;
    return true;
}

void release_operand_texts(ExprNode* node) {
    for (ExprNode* side : {node->left, node->right}) {
        if (side != nullptr) std::string().swap(side->text);
    }
}

class PrintVisitor : public ExprVisitor {
  public:
    explicit PrintVisitor(bool cNotation) : cNotation_(cNotation) {}

    int enter_left(ExprNode* node) override { return check_left_side(node); }
    int enter_right(ExprNode* node) override { return check_right_side(node); }

    int leave(ExprNode* node, const NodePlace& place) override {
        if (check_operator(node) != 0) return -1;
        TextRef left = side_text(node->left, node->leftText, node->leftKind);
        TextRef right = side_text(node->right, node->rightText, node->rightKind);
        ClassedText printed;
        if (!compose_sum_in_place(node, left, right, printed)) {
            printed = compose_text(*node, left, right, cNotation_);
        }
        if (printer_needs_brackets(printed, node->closed != 0, place)) {
            printed.text = concat({"(", printed.text, ")"});
        }
        if (hands_on_operands(node)) release_operand_texts(node);
        node->text = std::move(printed.text);
        node->textClass = printed.textClass;
        return 0;
    }

    void unwind(const ExprNode* node) override { log_unwind(node); }

  private:
    bool cNotation_;
};

}  // namespace

int check_printable(const ExprNode* node) {
    if (check_left_side(node) == 0 && check_right_side(node) == 0 && check_operator(node) == 0) {
        return 0;
    }
    for (; node != nullptr; node = node->parent) log_unwind(node);
    return -1;
}

int Set_expr(ExprNode* node, bool cNotation) {
    if (node == nullptr) {
        log_sys("## Error in Set_expr.\n");
        return -1;
    }
    PrintVisitor visitor(cNotation);
    return walk_children_first(node, visitor);
}
