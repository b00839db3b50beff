// Make_diff: differentiates a printed tree bottom-up by one variable name.
#include "diff_rules.h"
#include "expr_node.h"
#include "expr_text.h"
#include "expr_walk.h"
#include "log.h"

namespace {

class DiffVisitor : public ExprVisitor {
  public:
    DiffVisitor(const std::string& variable, bool cNotation)
        : variable_(variable), cNotation_(cNotation) {}

    int leave(ExprNode* node, const NodePlace& place) override {
        Derivative derivative;
        if (derivative_of_node(*node, side(node->left, node->leftText, node->leftKind),
                                   side(node->right, node->rightText, node->rightKind), cNotation_,
                                   derivative) != 0) {
            return -1;
        }
        bracket_derivative(derivative, place);
        node->diffText = derivative.text.release();
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
            s.value = operand_value(subtree);
            s.derivative = {GrowText(subtree->diffText), subtree->diffClass};
        } else if (!leafText.empty()) {
            s.value = TextRef(leafText, leafKind);
            if (leafText == variable_) s.derivative = {GrowText("1"), TEXT_NUMBER};
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
