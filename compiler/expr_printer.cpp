// Set_expr: prints a tree bottom-up into text, class and brackets of every node.
#include <vector>

#include "expr_compose.h"
#include "expr_functions.h"
#include "expr_node.h"
#include "expr_text.h"
#include "expr_walk.h"
#include "log.h"

namespace {

bool is_known_operator(char op) {
    return op == 0 || op == '+' || op == '-' || op == '*' || op == '/' || op == '^' ||
           op == kCallOperator || op == kListOperator;
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
    if (node->left == nullptr && node->leftText.empty() && node->op != '-' &&
        node->op != kCallOperator) {
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

std::size_t argument_count(const ExprNode* call) {
    std::size_t count = 1;
    for (const ExprNode* list = call->right; list != nullptr && list->op == kListOperator;
         list = list->left) {
        ++count;
    }
    return count;
}

// A list stands in a call's brackets; a call has as many arguments as its function takes.
int check_call(const ExprNode* node, const NodePlace& place) {
    if (node->op == kListOperator) {
        const char parent = place.parent != nullptr ? place.parent->op : 0;
        if (parent == kCallOperator || (parent == kListOperator && !place.isRight)) return 0;
        log_sys("#  ',' stands outside the brackets of a call.\n");
        return -1;
    }
    if (node->op != kCallOperator || accepts_argument_count(node->function, argument_count(node))) {
        return 0;
    }
    log_sys("#  '%s' does not take %zu argument(s).\n", node->function.c_str(),
            argument_count(node));
    return -1;
}

void log_unwind(const ExprNode* node) {
    log_sys("#  operation :'%s'.\n", op_text(node->op).c_str());
    log_sys("## Error in Set_expr.\n");
}

// No derivative reads the operands of a sum (or of a node without operator), so their texts
// are handed on to it rather than kept: a sum of n terms then holds its text once, not n
// times, and brackets around it are added in place.
bool hands_on_operands(const ExprNode* node) {
    return node->op == 0 || node->op == '+' || node->op == '-';
}

// A printed text and its class, owned, growing at either end.
struct Printed {
    GrowText text;
    int textClass = 0;
};

class PrintVisitor : public ExprVisitor {
  public:
    PrintVisitor(const ExprNode* start, bool cNotation) : start_(start), cNotation_(cNotation) {}

    int enter_left(ExprNode* node) override { return check_left_side(node); }
    int enter_right(ExprNode* node) override { return check_right_side(node); }

    int leave(ExprNode* node, const NodePlace& place) override {
        if (check_operator(node) != 0 || check_call(node, place) != 0) return -1;
        Printed printed = hands_on_operands(node) ? compose_handed_on(node) : compose_kept(node);
        if (printer_needs_brackets(printed.text.view(), printed.textClass, node->closed != 0,
                                   place)) {
            printed.text.prepend("(");
            printed.text.append(")");
        }
        node->textClass = printed.textClass;
        if (node != start_ && place.parent != nullptr && hands_on_operands(place.parent)) {
            std::string().swap(node->text);
            handedOn_.push_back(std::move(printed.text));
        } else {
            node->text = printed.text.release();
        }
        return 0;
    }

    void unwind(const ExprNode* node) override { log_unwind(node); }

  private:
    // A node whose operands keep their texts (products, quotients, powers).
    Printed compose_kept(const ExprNode* node) const {
        ClassedText printed =
            compose_text(*node, side_text(node->left, node->leftText, node->leftKind),
                         side_text(node->right, node->rightText, node->rightKind), cNotation_);
        return {GrowText(printed.text), printed.textClass};
    }

    // The text of a side that was handed on, or of a leaf, taken over.
    Printed take_side(const ExprNode* subtree, const std::string& leafText, int leafKind) {
        if (subtree == nullptr) {
            return {GrowText(leafText), leafText.empty() ? TEXT_ZERO : leafKind};
        }
        Printed side{std::move(handedOn_.back()), subtree->textClass};
        handedOn_.pop_back();
        return side;
    }

    // A sum, a difference, a unary minus or a node without operator, built on the texts its
    // operands handed on: the right one was handed on last.
    Printed compose_handed_on(const ExprNode* node) {
        Printed right = take_side(node->right, node->rightText, node->rightKind);
        Printed left = take_side(node->left, node->leftText, node->leftKind);
        if (is_unary_minus(*node)) {
            right.text.prepend("-");
            return {std::move(right.text), TEXT_SUM};
        }
        if (node->op == 0) return {std::move(left.text), node->textClass};
        if (left.textClass == TEXT_NUMBER && right.textClass == TEXT_NUMBER) {
            ClassedText printed = compose_text(*node, TextRef(left.text.view(), TEXT_NUMBER),
                                               TextRef(right.text.view(), TEXT_NUMBER), cNotation_);
            return {GrowText(printed.text), printed.textClass};
        }
        GrowText text = assemble({left.text, node->op == '+' ? " + " : " - ", right.text});
        return {std::move(text), TEXT_SUM};
    }

    const ExprNode* start_;
    bool cNotation_;
    std::vector<GrowText> handedOn_;  // texts of finished operands of sums, innermost last
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
    PrintVisitor visitor(node, cNotation);
    return walk_children_first(node, visitor);
}
