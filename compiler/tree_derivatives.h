// Differentiation of one printed tree by many variables in turn (the columns of a Jacobian row).
// Make_diff walks the whole tree for every variable; here the tree is indexed once, and each
// derivative takes time in proportion to the part of the tree that holds the variable and to the
// text it gives. The texts are exactly those of Make_diff.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diff_rules.h"
#include "expr_node.h"

class TreeDerivatives {
  public:
    // Indexes the tree under `root`, which must be printed and must not change while this
    // object is used.
    explicit TreeDerivatives(const ExprNode* root);

    // The derivative of the whole tree by `variable` (empty for zero): the text Make_diff
    // leaves in the root's diffText. 0, or -1 after logging as Make_diff does.
    int derivative(const std::string& variable, bool cNotation, std::string& text);

  private:
    // A node of the tree, numbered children first (left before right), so that every node
    // comes after the nodes below it.
    struct Node {
        const ExprNode* expr;
        int parent = -1;
        int left = -1, right = -1;  // subtrees, -1 for a leaf or no side
        bool isRight = false;       // the right side of its parent
        bool inSum = false;         // a '+' or '-' with two sides: part of a run of sums
        int top = -1;               // inSum: the highest node of its run (left sides upward)
    };
    // A side of a run of sums whose subtree or leaf holds the variable. The derivative of the
    // run is the sum rule applied along the run; sides without the variable change nothing.
    struct Slot {
        int sumNode;   // the '+' or '-' node whose side this is
        bool isRight;  // its right side (a term) or its left side (the run's first operand)
        int subtree;   // -1 for a leaf
    };
    struct Leaf {
        std::string_view text;
        int holder;
        bool isRight;
    };

    void index_nodes(const ExprNode* root);
    void find_runs_of_sums();
    void reach(int node);
    int evaluate(int node, bool cNotation, Derivative& out);
    int evaluate_run(int top, Derivative& out);
    DiffSide node_side(int subtree, const std::string& leafText, int leafKind);
    void log_unwind(int node) const;

    std::vector<Node> nodes_;
    std::vector<Leaf> leaves_;  // every leaf, by text

    // Per derivative: which nodes hold the variable, what each gave, the slots of each run.
    const std::string* variable_ = nullptr;
    std::vector<int> reached_;  // the pass that reached a node last
    int pass_ = 0;
    std::vector<int> order_;
    std::vector<Derivative> results_;
    std::vector<std::vector<Slot>> slots_;
};
