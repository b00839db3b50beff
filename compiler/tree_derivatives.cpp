#include "tree_derivatives.h"

#include <algorithm>
#include <utility>

#include "log.h"

namespace {

bool is_sum_with_two_sides(const ExprNode* node) {
    return (node->op == '+' || node->op == '-') &&
           (node->left != nullptr || !node->leftText.empty());
}

}  // namespace

TreeDerivatives::TreeDerivatives(const ExprNode* root) {
    index_nodes(root);
    find_runs_of_sums();
    reached_.assign(nodes_.size(), 0);
    results_.resize(nodes_.size());
    slots_.resize(nodes_.size());
}

void TreeDerivatives::index_nodes(const ExprNode* root) {
    // Each pending entry is a node and the numbers its sides got once they were numbered.
    struct Pending {
        const ExprNode* expr;
        int left = -1, right = -1;
        int stage = 0;  // 0: left side next, 1: right side next, 2: the node itself
    };
    std::vector<Pending> pending{{root}};
    while (!pending.empty()) {
        Pending& top = pending.back();
        const ExprNode* next = top.stage == 0 ? top.expr->left : top.expr->right;
        if (top.stage++ < 2) {
            if (next != nullptr) pending.push_back({next});
            continue;
        }
        const int id = static_cast<int>(nodes_.size());
        nodes_.push_back({top.expr, -1, top.left, top.right});
        for (int child : {top.left, top.right}) {
            if (child >= 0) nodes_[child].parent = id;
        }
        if (top.right >= 0) nodes_[top.right].isRight = true;
        if (!top.expr->leftText.empty()) leaves_.push_back({top.expr->leftText, id, false});
        if (!top.expr->rightText.empty()) leaves_.push_back({top.expr->rightText, id, true});
        pending.pop_back();
        if (pending.empty()) break;
        Pending& parent = pending.back();
        (parent.stage == 1 ? parent.left : parent.right) = id;
    }
    std::stable_sort(leaves_.begin(), leaves_.end(),
                     [](const Leaf& a, const Leaf& b) { return a.text < b.text; });
}

// A run of sums is a '+' or '-' node with two sides together with the ones below it on its
// left: a - b + c - d is one run. Its nodes are numbered upward, parents after children.
void TreeDerivatives::find_runs_of_sums() {
    for (int id = static_cast<int>(nodes_.size()) - 1; id >= 0; --id) {
        Node& node = nodes_[id];
        node.inSum = is_sum_with_two_sides(node.expr);
        if (!node.inSum) continue;
        const bool belowAnother =
            node.parent >= 0 && !node.isRight && is_sum_with_two_sides(nodes_[node.parent].expr);
        node.top = belowAnother ? nodes_[node.parent].top : id;
    }
}

// Marks `node` and the nodes above it that hold the variable, up to one already marked; a node
// inside a run of sums is passed over to the top of its run, which gets a slot instead.
void TreeDerivatives::reach(int node) {
    while (reached_[node] != pass_) {
        reached_[node] = pass_;
        order_.push_back(node);
        const int parent = nodes_[node].parent;
        if (parent < 0) return;
        if (!nodes_[parent].inSum) {
            node = parent;
            continue;
        }
        slots_[nodes_[parent].top].push_back({parent, nodes_[node].isRight, node});
        node = nodes_[parent].top;
    }
}

DiffSide TreeDerivatives::node_side(int subtree, const std::string& leafText, int leafKind) {
    DiffSide side;
    if (subtree >= 0) {
        side.value = operand_value(nodes_[subtree].expr);
        if (reached_[subtree] == pass_) side.derivative = std::move(results_[subtree]);
    } else if (!leafText.empty()) {
        side.value = TextRef(leafText, leafKind);
        if (leafText == *variable_) side.derivative = {GrowText("1"), TEXT_NUMBER};
    }
    return side;
}

// The sum rule along a run: the first operand, then each term at its node. A node whose term
// does not hold the variable passes the derivative below it on unchanged (the rule would only
// print a number again, and a number reaches a run printed so already), so only the slots are
// visited, in the order of their nodes.
int TreeDerivatives::evaluate_run(int top, Derivative& out) {
    std::vector<Slot>& slots = slots_[top];
    std::sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) {
        return a.sumNode != b.sumNode ? a.sumNode < b.sumNode : a.isRight < b.isRight;
    });
    out = Derivative();
    for (const Slot& slot : slots) {
        const ExprNode* sum = nodes_[slot.sumNode].expr;
        Derivative d;
        if (slot.subtree >= 0) {
            d = std::move(results_[slot.subtree]);
        } else {
            d = {GrowText("1"), TEXT_NUMBER};  // a leaf slot is the variable itself
        }
        if (!slot.isRight) {
            out = std::move(d);
            continue;
        }
        DiffSide left{TextRef(), std::move(out)}, right{TextRef(), std::move(d)};
        if (derivative_by_operator(sum->op, std::move(left), std::move(right), false, out) != 0) {
            return -1;
        }
    }
    slots.clear();
    return 0;
}

int TreeDerivatives::evaluate(int node, bool cNotation, Derivative& out) {
    const Node& n = nodes_[node];
    if (n.inSum) return evaluate_run(node, out);
    const ExprNode* expr = n.expr;
    return derivative_of_node(*expr, node_side(n.left, expr->leftText, expr->leftKind),
                                  node_side(n.right, expr->rightText, expr->rightKind), cNotation,
                                  out);
}

void TreeDerivatives::log_unwind(int node) const {
    for (; node >= 0; node = nodes_[node].parent) {
        log_sys("#  operation :'%s'.\n", op_text(nodes_[node].expr->op).c_str());
        log_sys("## Error in Make_diff.\n");
    }
}

int TreeDerivatives::derivative(const std::string& variable, bool cNotation, std::string& text) {
    text.clear();
    auto [first, last] =
        std::equal_range(leaves_.begin(), leaves_.end(), Leaf{variable, 0, false},
                         [](const Leaf& a, const Leaf& b) { return a.text < b.text; });
    if (first == last) return 0;
    ++pass_;
    variable_ = &variable;
    order_.clear();
    for (auto leaf = first; leaf != last; ++leaf) {
        const Node& holder = nodes_[leaf->holder];
        if (holder.inSum) {
            slots_[holder.top].push_back({leaf->holder, leaf->isRight, -1});
            reach(holder.top);
        } else {
            reach(leaf->holder);
        }
    }
    std::sort(order_.begin(), order_.end());
    for (int node : order_) {
        Derivative d;
        if (evaluate(node, cNotation, d) != 0) {
            log_unwind(node);
            for (int reachedNode : order_) slots_[reachedNode].clear();
            return -1;
        }
        const Node& n = nodes_[node];
        bracket_derivative(d, {n.parent >= 0 ? nodes_[n.parent].expr : nullptr, n.isRight});
        results_[node] = std::move(d);
    }
    text = results_[order_.back()].text.release();
    results_[order_.back()] = Derivative();
    return 0;
}
