#include "expr_ast.h"

#include <cstdlib>
#include <unordered_map>
#include <unordered_set>

#include "expr_functions.h"
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

// The math of a call of symcode's extended dialect; null for a name it does not know.
std::unique_ptr<ASTNode> call_node(const std::string& function) {
    static const std::unordered_map<std::string, ASTNodeType_t> kTypes = {
        {"exp", AST_FUNCTION_EXP},       {"log", AST_FUNCTION_LN},
        {"log10", AST_FUNCTION_LOG},     {"sqrt", AST_FUNCTION_ROOT},
        {"abs", AST_FUNCTION_ABS},       {"floor", AST_FUNCTION_FLOOR},
        {"ceil", AST_FUNCTION_CEILING},  {"sin", AST_FUNCTION_SIN},
        {"cos", AST_FUNCTION_COS},       {"tan", AST_FUNCTION_TAN},
        {"sinh", AST_FUNCTION_SINH},     {"cosh", AST_FUNCTION_COSH},
        {"tanh", AST_FUNCTION_TANH},     {"asin", AST_FUNCTION_ARCSIN},
        {"acos", AST_FUNCTION_ARCCOS},   {"atan", AST_FUNCTION_ARCTAN},
        {"min", AST_FUNCTION_MIN},       {"max", AST_FUNCTION_MAX},
        {"lt", AST_RELATIONAL_LT},       {"leq", AST_RELATIONAL_LEQ},
        {"gt", AST_RELATIONAL_GT},       {"geq", AST_RELATIONAL_GEQ},
        {"eq", AST_RELATIONAL_EQ},       {"neq", AST_RELATIONAL_NEQ},
        {"and", AST_LOGICAL_AND},        {"or", AST_LOGICAL_OR},
        {"xor", AST_LOGICAL_XOR},        {"not", AST_LOGICAL_NOT},
        {"piecewise", AST_FUNCTION_PIECEWISE},
    };
    auto type = kTypes.find(function);
    return type == kTypes.end() ? nullptr : node_of(type->second);
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
        if (node->op == kListOperator) return store(node, listed(std::move(left), std::move(right)));
        if (node->op == kCallOperator) return call(node, std::move(right));
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
    // An argument list: the arguments gathered under one node that only carries them.
    Built listed(Built left, Built right) {
        if (!lists_.count(left.math.get())) {
            Built list{node_of(AST_FUNCTION), left.depth};
            list.math->addChild(left.math.release());
            left = std::move(list);
            lists_.insert(left.math.get());
        }
        left.depth = std::max(left.depth, right.depth);
        left.math->addChild(right.math.release());
        return left;
    }

    int call(const ExprNode* node, Built arguments) {
        std::unique_ptr<ASTNode> math = call_node(node->function);
        if (!math) {
            problem = "the function '" + node->function + "' has no SBML form";
            return -1;
        }
        Built built{std::move(math), arguments.depth + 1};
        if (lists_.erase(arguments.math.get())) {
            while (arguments.math->getNumChildren() > 0) {
                built.math->addChild(arguments.math->getChild(0));
                arguments.math->removeChild(0);
            }
        } else {
            built.math->addChild(arguments.math.release());
        }
        return store(node, std::move(built));
    }

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
    std::unordered_set<const ASTNode*> lists_;  // nodes that only carry arguments
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
