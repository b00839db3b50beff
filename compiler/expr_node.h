// Expression trees of symcode: one node is one operation "left op right"; each side is either a
// subtree or a leaf operand held as text. Nodes live until the process ends.
#pragma once

#include <string>

// Kind of a leaf operand.
enum OperandKind { OPERAND_ZERO = 0, OPERAND_NAME = 4, OPERAND_NUMBER = 5 };

// Class of a printed text (and of a derivative: TEXT_ZERO is a zero derivative).
enum TextClass {
    TEXT_ZERO = 0,
    TEXT_SUM = 1,      // a sum, difference, unary minus or any text beginning with '-'
    TEXT_PRODUCT = 2,  // '*' or '/'
    TEXT_POWER = 3,
    TEXT_NAME = 4,
    TEXT_NUMBER = 5,
};

struct ExprNode {
    char op = 0;       // 0 (the node stands for its left side), '+', '-', '*', '/', '^', or 'F'
    int priority = 0;  // 1 for + -, 2 for * /, 3 for ^, 4 for a call, 0 without operator
    std::string function;  // op 'F': the function called on the right side (symcode -X)
    int open = 0;      // a bracket opened by '(' and not yet closed
    int closed = 0;    // a bracket group closed by ')' holding an operator
    ExprNode* parent = nullptr;

    ExprNode* left = nullptr;  // subtree, or
    std::string leftText;      // leaf (empty: none)
    int leftKind = 0;          // OperandKind of the leaf

    ExprNode* right = nullptr;
    std::string rightText;
    int rightKind = 0;

    std::string text;  // printed form of the subtree (Set_expr)
    int textClass = 0;
    std::string diffText;  // derivative (Make_diff)
    int diffClass = 0;
};

// A new zero-filled node owned by the process-wide node store.
ExprNode* new_expr_node();

// Parses `text` into a tree; the root is stored in *rootSlot at once and may be replaced while
// building. 0, or -1 after logging.
int Make_node(ExprNode** rootSlot, const std::string& text);

// Prints the subtree bottom-up, setting text and textClass of every node; cNotation selects
// pow(a, b) rather than (a^b). The texts of the operands of sums and of nodes without operator
// are handed on to them and left empty (no derivative reads them); the start node and the
// operands of products, quotients and powers keep theirs. 0, or -1 after logging.
int Set_expr(ExprNode* node, bool cNotation);

// Whether Set_expr can print `node` itself (each side present once, a known operator). On a
// fault it logs what Set_expr would log for this node and its ancestors up to the root, so for a
// tree whose other nodes are printable it answers as printing the whole tree would. 0 or -1.
int check_printable(const ExprNode* node);

// Differentiates a printed subtree by a variable name such as "y[3]", setting diffText and
// diffClass bottom-up; an empty diffText is a zero derivative. 0, or -1 after logging.
int Make_diff(ExprNode* node, const std::string& variableName, bool cNotation);

// The leading decimal number of a text after one pair of outer brackets is removed; 0 if none.
double text_value(const std::string& text);
