// The printer's composition of one node's text from the printed texts of its two sides.
#pragma once

#include <string>
#include <string_view>

#include "expr_node.h"
#include "expr_text.h"
#include "expr_walk.h"

// True for a node with op '-' and no left side.
bool is_unary_minus(const ExprNode& node);

// The first matching row of the composition table: unary minus, no operator, folding of two
// numbers, sums, products (unit and minus-unit factors dropped), powers.
ClassedText compose_text(const ExprNode& node, TextRef left, TextRef right, bool cNotation);

// The power of base and exponent: pow(A, B), or (A^B) and (A^(B)) for a negative exponent.
std::string power_text(std::string_view base, std::string_view exponent, bool cNotation);

// Whether a printed text of the given class needs brackets where it stands.
bool printer_needs_brackets(std::string_view text, int textClass, bool closed,
                            const NodePlace& place);
