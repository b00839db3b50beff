// The printer's composition of one node's text from the printed texts of its two sides.
#pragma once

#include <string>

#include "expr_node.h"
#include "expr_walk.h"

struct ClassedText {
    std::string text;
    int textClass = TEXT_ZERO;
};

// True for a node with op '-' and no left side.
bool is_unary_minus(const ExprNode& node);

// The first matching row of the composition table: unary minus, no operator, folding of two
// numbers, sums, products (unit and minus-unit factors dropped), powers.
ClassedText compose_text(const ExprNode& node, const ClassedText& left, const ClassedText& right,
                         bool cNotation);

// The power of base and exponent: pow(A, B), or (A^B) and (A^(B)) for a negative exponent.
std::string power_text(const std::string& base, const std::string& exponent, bool cNotation);

// Whether a printed text needs brackets where it stands.
bool printer_needs_brackets(const ClassedText& printed, bool closed, const NodePlace& place);
