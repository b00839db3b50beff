// Make_diff: differentiates a printed tree bottom-up by one variable name.
#include "diff_rules.h"
#include "expr_node.h"
#include "expr_text.h"
#include "expr_walk.h"
#include "log.h"

namespace {

// The class of a subtree as a factor. The printer leaves class 0 on a node without operator
// (one operand put in by substitution) and passes it up through unit factors; such a text is
// an operand, and taking it for a zero derivative would drop terms.
int operand_class(const ExprNode* node) {
    return node->textClass == TEXT_ZERO && !node->text.empty() ? TEXT_NAME : node->textClass;
}

class DiffVisitor : public ExprVisitor {
public:
    DiffVisitor(const std::string& variable, bool cNotation)
        : variable_(variable), cNotation_(cNotation) {}

    int leave(ExprNode* node, const NodePlace& place) override {
        DiffSide left = side(node->left, node->leftText, node->leftKind);
        DiffSide right = side(node->right, node->rightText, node->rightKind);
        ClassedText derivative;
        if (derivative_by_operator(node->op, left, right, cNotation_, derivative) != 0) return -1;
        if (derivative_needs_brackets(derivative, place)) {
            derivative.text = "(" + derivative.text + ")";
        }
        node->diffText = std::move(derivative.text);
        node->diffClass = derivative.textClass;
        return 0;
    }

    void unwind(const ExprNode* node) override {
        log_sys("#  operation :'%s'.\n", op_text(node->op).c_str());
        log_sys("## Error in Make_diff.\n");
    }

private:
    DiffSide side(const ExprNode* subtree, const std::string& leafText, int leafKind) const {
        DiffSide s;
        if (subtree != nullptr) {
            s.value = {subtree->text, operand_class(subtree)};
            s.derivative = {subtree->diffText, subtree->diffClass};
        } else if (!leafText.empty()) {
            s.value = {leafText, leafKind};
            if (leafText == variable_) s.derivative = {"1", TEXT_NUMBER};
        }
        return s;
    }

    const std::string& variable_;
    bool cNotation_;
};

}  // namespace

int Make_diff(ExprNode* node, const std::string& variableName, bool cNotation) {
    if (node == nullptr) {
        log_sys("## Error in Make_diff.\n");
        return -1;
    }
    DiffVisitor visitor(variableName, cNotation);
    return walk_children_first(node, visitor);
}
