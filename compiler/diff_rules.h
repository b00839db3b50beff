// The derivative rules of Make_diff, one per operator, working on printed texts.
#pragma once

#include <string>

#include "expr_compose.h"

// One side of a node: its printed text and class, and its derivative text and class
// (TEXT_ZERO with an empty text for a zero derivative).
struct DiffSide {
    ClassedText value;
    ClassedText derivative;
};

// Product of two texts, dropping zero and unit factors.
ClassedText mul(const ClassedText& a, const ClassedText& b);

// The derivative of "left op right" (op 0 for a node without operator, '-' with an empty left
// side for a unary minus). 0, or -1 after logging an internal error.
int derivative_by_operator(char op, const DiffSide& left, const DiffSide& right, bool cNotation,
                           ClassedText& derivative);

// Whether a derivative text needs brackets where its node stands.
bool derivative_needs_brackets(const ClassedText& derivative, const NodePlace& place);
