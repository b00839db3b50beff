// Children-first walk over an expression tree with an explicit stack, so that a tree of any depth
// is printed or differentiated without deep recursion.
#pragma once

#include "expr_node.h"

// Where a node stands: its parent (none for a root) and whether it is the parent's right side.
// Inside the walk both come from the walk itself; for the start node from its parent pointer.
struct NodePlace {
    const ExprNode* parent = nullptr;
    bool isRight = false;
};

class ExprVisitor {
public:
    virtual ~ExprVisitor() = default;
    // Before the left side of node is walked; -1 stops the walk.
    virtual int enter_left(ExprNode* node) { return node != nullptr ? 0 : -1; }
    // Before the right side of node is walked; -1 stops the walk.
    virtual int enter_right(ExprNode* node) { return node != nullptr ? 0 : -1; }
    // After both sides were handled; -1 stops the walk.
    virtual int leave(ExprNode* node, const NodePlace& place) = 0;
    // After a failure: called for the failing node and then for each ancestor up to the start.
    virtual void unwind(const ExprNode* node) = 0;
};

// 0, or -1 when a visitor step failed (the visitor has logged and unwound) or start is null.
int walk_children_first(ExprNode* start, ExprVisitor& visitor);
