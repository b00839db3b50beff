#include "expr_store.h"

#include <deque>
#include <new>

#include "expr_node.h"

namespace {

// A deque never moves its elements, so node pointers stay valid while the store grows; the
// nodes are released only when the process ends.
std::deque<ExprNode>& node_store() {
    static std::deque<ExprNode> store;
    return store;
}

long node_budget = -1;

}  // namespace

void set_expr_node_budget(long count) {
    node_budget = count;
}

void release_expr_nodes() {
    std::deque<ExprNode>().swap(node_store());
}

std::size_t expr_node_count() {
    return node_store().size();
}

ExprNode* new_expr_node() {
    if (node_budget == 0) return nullptr;
    try {
        node_store().emplace_back();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    if (node_budget > 0) --node_budget;
    return &node_store().back();
}
