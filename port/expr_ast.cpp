#include "expr_ast.h"

#include <cstdlib>
#include <unordered_map>

#include "expr_walk.h"

namespace kineport {
namespace {

// The math of one translated subtree and how deep it nests.
struct Built {
    std::unique_ptr<ASTNode> math;
    int depth = 1;
};

std::unique_ptr<ASTNode> node_of(ASTNodeType_t type) {
    return std::make_unique<ASTNode>(type);
}

Built with_children(ASTNodeType_t type, Built first, Built second) {
    Built built{node_of(type), 1 + std::max(first.depth, second.depth)};
    built.math->addChild(first.math.release());
    built.math->addChild(second.math.release());
    return built;
}

Built negated(Built term) {
    Built built{node_of(AST_MINUS), term.depth + 1};
    built.math->addChild(term.math.release());
    return built;
}

// Appends a term to a run: a - b is first rewritten as a + (-b), which IEEE arithmetic computes
// alike.
Built extended(Built run, Built term, bool subtract) {
    if (run.math->getType() == AST_MINUS) {
        auto minus = node_of(AST_MINUS);
        minus->addChild(run.math->getChild(1));
        run.math->replaceChild(1, minus.release(), false);
        run.math->setType(AST_PLUS);
        ++run.depth;
    }
    if (subtract) term = negated(std::move(term));
    run.depth = std::max(run.depth, term.depth + 1);
    run.math->addChild(term.math.release());
    return run;
}

// A sum made here: an n-ary plus, or a binary minus (a unary minus has one child).
bool is_sum(const ASTNode& math) {
    return math.getType() == AST_PLUS ||
           (math.getType() == AST_MINUS && math.getNumChildren() == 2);
}

// The left side of a node extends its run when it is a run of the same kind: both compute the
// left fold of the terms.
Built combined(char op, Built left, Built right) {
    switch (op) {
        case '+':
        case '-':
            if (is_sum(*left.math)) return extended(std::move(left), std::move(right), op == '-');
            return with_children(op == '+' ? AST_PLUS : AST_MINUS, std::move(left),
                                 std::move(right));
        case '*':
            if (left.math->getType() == AST_TIMES) {
                return extended(std::move(left), std::move(right), false);
            }
            return with_children(AST_TIMES, std::move(left), std::move(right));
        case '/':
            return with_children(AST_DIVIDE, std::move(left), std::move(right));
        default:
            return with_children(AST_POWER, std::move(left), std::move(right));
    }
}

class MathBuilder : public ExprVisitor {
  public:
    explicit MathBuilder(const NameTranslator& name_math) : name_math_(name_math) {}

    int leave(ExprNode* node, const NodePlace&) override {
        Built left, right;
        bool hasLeft = node->left != nullptr || !node->leftText.empty();
        if (hasLeft && side(node->left, node->leftText, node->leftKind, left) != 0) return -1;
        if (node->op == 0) return store(node, std::move(left));
        if (side(node->right, node->rightText, node->rightKind, right) != 0) return -1;
        if (!hasLeft) return store(node, negated(std::move(right)));  // unary minus
        return store(node, combined(node->op, std::move(left), std::move(right)));
    }
    void unwind(const ExprNode*) override {}

    Built take(const ExprNode* node) {
        Built built = std::move(done_[node]);
        done_.erase(node);
        return built;
    }
    std::string problem;

  private:
    int side(const ExprNode* subtree, const std::string& text, int kind, Built& built) {
        if (subtree != nullptr) {
            built = take(subtree);
            return 0;
        }
        if (kind == OPERAND_NUMBER) {
            built.math = node_of(AST_REAL);
            built.math->setValue(std::strtod(text.c_str(), nullptr));
            return 0;
        }
        built.math = name_math_(text, problem);
        return built.math ? 0 : -1;
    }

    int store(const ExprNode* node, Built built) {
        if (built.depth > kMaxMathDepth) {
            problem = "the expression is nested deeper than " + std::to_string(kMaxMathDepth) +
                      " levels, more than libSBML can write";
            return -1;
        }
        done_[node] = std::move(built);
        return 0;
    }

    const NameTranslator& name_math_;
    std::unordered_map<const ExprNode*, Built> done_;
};

}  // namespace

std::unique_ptr<ASTNode> expression_math(ExprNode* root, const NameTranslator& name_math,
                                         std::string& problem) {
    MathBuilder builder(name_math);
    if (walk_children_first(root, builder) != 0) {
        problem = builder.problem;
        return nullptr;
    }
    return builder.take(root).math;
}

}  // namespace kineport
