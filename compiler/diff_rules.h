// The derivative rules of Make_diff, one per operator, working on printed texts.
#pragma once

#include "expr_node.h"
#include "expr_text.h"
#include "expr_walk.h"

// A derivative text and its class (TEXT_ZERO with an empty text for a zero derivative), owned so
// that a rule can build on it in place.
struct Derivative {
    GrowText text;
    int textClass = 0;
};

// One side of a node: its printed text and class, seen in place, and its derivative, which the
// rule takes over.
struct DiffSide {
    TextRef value;
    Derivative derivative;
};

// The printed text and class of a subtree as an operand. The printer leaves class 0 on a node
// without operator (one operand put in by substitution) and passes it up through unit factors;
// such a text is an operand, and taking it for a zero derivative would drop terms.
TextRef operand_value(const ExprNode* subtree);

// Product of a derivative and a printed text, dropping zero and unit factors.
Derivative mul(Derivative&& a, TextRef b);

// The derivative of "left op right" (op 0 for a node without operator, '-' with an empty left
// side for a unary minus). 0, or -1 after logging an internal error.
int derivative_by_operator(char op, DiffSide&& left, DiffSide&& right, bool cNotation,
                           Derivative& derivative);

// The derivative of a node: its operator's rule, or the chain rule of a call.
int derivative_of_node(const ExprNode& node, DiffSide&& left, DiffSide&& right, bool cNotation,
                       Derivative& derivative);

// Whether a derivative text needs brackets where its node stands.
bool derivative_needs_brackets(const Derivative& derivative, const NodePlace& place);

// The derivative wrapped in brackets where its node stands, when it needs them.
void bracket_derivative(Derivative& derivative, const NodePlace& place);
