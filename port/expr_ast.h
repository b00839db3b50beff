// A parsed expression as libSBML math. The tree is translated as it stands, so the math
// computes what the generated code computes, in the same order: runs of '+' and '-' become one
// n-ary plus (a subtracted term as a unary minus, a - b staying a binary minus), runs of '*' one
// n-ary times; '/' and '^' stay binary. The walk keeps its own stack, so a sum of any length is
// translated; nesting beyond kMaxMathDepth levels is refused, because libSBML writes, checks and
// frees math recursively.
#pragma once

#include <sbml/math/ASTNode.h>

#include <functional>
#include <memory>
#include <string>

#include "expr_node.h"

namespace kineport {

constexpr int kMaxMathDepth = 1000;

// The math of a name leaf, or null with `problem` set.
using NameTranslator =
    std::function<std::unique_ptr<ASTNode>(const std::string& name, std::string& problem)>;

// The math of the tree, or null with `problem` set.
std::unique_ptr<ASTNode> expression_math(ExprNode* root, const NameTranslator& name_math,
                                         std::string& problem);

}  // namespace kineport
