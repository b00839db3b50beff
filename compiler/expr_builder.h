// The node operations with which Make_node (expr_node.h) builds a tree, one token at a time.
// Each returns 0, or -1 after logging its own lines and its "## Error in <operation>." trailer.
#pragma once

#include "expr_node.h"
#include "expr_scanner.h"

// Where the builder stands: the slot holding the root, and the node that takes the next token.
struct BuildState {
    ExprNode** rootSlot = nullptr;
    ExprNode* current = nullptr;
};

// '(': opens the current node, or a new open child in its free side that becomes current.
int add_emptyChild(BuildState& state);

// ')': closes the nearest open node; a bracket around one operand or around one subtree is
// removed again.
int close_bracket(BuildState& state);

// An operator: placed by priority, operators of equal priority associating to the left.
int set_oprator(BuildState& state, char op, int priority);

// A new node with op takes over node's right side as its left side and becomes node's right.
int insert_childNode(BuildState& state, ExprNode* node, char op, int priority);

// A new node with op takes node's place, holds node as its left side and inherits its open mark.
int insert_parent(BuildState& state, ExprNode* node, char op, int priority);

// Removes an operator-less node and puts its left subtree in its place.
int del_node(BuildState& state, ExprNode* node);

// A function of the extended dialect: the current node, when it is empty, or a new node in its
// free right side becomes the call; its bracketed argument follows.
int add_call(BuildState& state, const std::string& function);

// A name or number: the right leaf of a node with operator, else the left leaf.
int set_operand(BuildState& state, const Token& token);
