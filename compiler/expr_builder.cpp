#include "expr_builder.h"

#include <algorithm>

#include "expr_functions.h"
#include "expr_text.h"
#include "log.h"

namespace {

bool has_left(const ExprNode* node) {
    return node->left != nullptr || !node->leftText.empty();
}
bool has_right(const ExprNode* node) {
    return node->right != nullptr || !node->rightText.empty();
}

// The pointer in parent that holds child, or nullptr when parent holds it on neither side.
ExprNode** child_slot(ExprNode* parent, const ExprNode* child) {
    if (parent->left == child) return &parent->left;
    if (parent->right == child) return &parent->right;
    return nullptr;
}

int fail_in(const char* operation) {
    log_sys("## Error in %s.\n", operation);
    return -1;
}

// Puts the single operand of an operator-less bracket node into the parent's side it occupied.
int lift_bracketed_operand(BuildState& state, ExprNode* node) {
    ExprNode* parent = node->parent;
    if (parent == nullptr) {  // a bracket around the whole text stays as it is
        state.current = node;
        return 0;
    }
    if (parent->left == node) {
        parent->left = nullptr;
        parent->leftText = node->leftText;
        parent->leftKind = node->leftKind;
    } else if (parent->right == node) {
        parent->right = nullptr;
        parent->rightText = node->leftText;
        parent->rightKind = node->leftKind;
    } else {
        log_sys("#  Cannot find parent.\n");
        return -1;
    }
    state.current = parent;
    return 0;
}

// A unary minus as the right side of `list`, which becomes current.
int start_unary_minus(BuildState& state, ExprNode* list) {
    ExprNode* minus = new_expr_node();
    if (minus == nullptr) {
        log_sys("#  Cannot create node.\n");
        return fail_in("set_oprator");
    }
    minus->op = '-';
    minus->priority = 1;
    minus->parent = list;
    list->right = minus;
    state.current = minus;
    return 0;
}

// The node at which an operator of priority q that cannot go below the current node is placed.
ExprNode* climb_for(ExprNode* current, int q) {
    ExprNode* node = current;
    if (node->parent == nullptr || node->open) return node;
    node = node->parent;
    while (!node->open && node->priority > q && node->parent != nullptr && node->op != 0) {
        node = node->parent;
    }
    return node;
}

int place_operator(BuildState& state, char op, int priority) {
    ExprNode* current = state.current;
    if (!current->closed && priority > current->priority) {
        return insert_childNode(state, current, op, priority);
    }
    ExprNode* node = climb_for(current, priority);
    if (node->op == 0) {
        node->op = op;
        node->priority = priority;
        state.current = node;
        return 0;
    }
    if (!node->closed && node->priority < priority)
        return insert_childNode(state, node, op, priority);
    return insert_parent(state, node, op, priority);
}

}  // namespace

int add_emptyChild(BuildState& state) {
    ExprNode* current = state.current;
    if (current->op == 0 && !current->open) {
        current->open = 1;
        return 0;
    }
    if (current->op == 0 && has_left(current)) {
        log_sys("#  Have no operator but it have left-node.\n");
        return fail_in("add_emptyChild");
    }
    if (current->op != 0 && has_right(current)) {
        log_sys("#  Have operator but it have right-node.\n");
        return fail_in("add_emptyChild");
    }
    ExprNode* child = new_expr_node();
    if (child == nullptr) {
        log_sys("#  Cannot create node.\n");
        return fail_in("add_emptyChild");
    }
    child->open = 1;
    child->parent = current;
    (current->op == 0 ? current->left : current->right) = child;
    state.current = child;
    return 0;
}

int close_bracket(BuildState& state) {
    ExprNode* node = state.current;
    while (node != nullptr && !node->open) node = node->parent;
    if (node == nullptr) {
        log_sys("#  No '(' is open for this ')'.\n");
        return -1;
    }
    node->open = 0;
    state.current = node;
    if (node->op != 0) {
        node->closed = 1;
        return 0;
    }
    if (node->left == nullptr && !node->leftText.empty())
        return lift_bracketed_operand(state, node);
    return del_node(state, node);
}

int set_oprator(BuildState& state, char op, int priority) {
    ExprNode* current = state.current;
    if (current->op == 0) {
        if (has_left(current)) {
            current->op = op;
            current->priority = priority;
            return 0;
        }
        if (op == '-') {  // unary minus
            current->op = '-';
            current->priority = 1;
            return 0;
        }
        log_sys("#  op='%c' is not allowed here.\n", op);
        return fail_in("set_oprator");
    }
    if (!has_right(current)) {
        // An argument after ',' may begin with a minus, as one after '(' may.
        if (current->op == kListOperator && op == '-') return start_unary_minus(state, current);
        log_sys("#  charR is expected before making new node.\n");
        return fail_in("set_oprator");
    }
    if (place_operator(state, op, priority) != 0) return fail_in("set_oprator");
    return 0;
}

int insert_childNode(BuildState& state, ExprNode* node, char op, int priority) {
    ExprNode* child = new_expr_node();
    if (child == nullptr) {
        log_sys("#  Cannot create node.\n");
        return fail_in("insert_childNode");
    }
    child->op = op;
    child->priority = priority;
    child->parent = node;
    child->left = node->right;
    child->leftText = std::move(node->rightText);
    child->leftKind = node->rightKind;
    if (child->left != nullptr) child->left->parent = child;
    node->right = child;
    node->rightText.clear();
    node->rightKind = 0;
    state.current = child;
    return 0;
}

int insert_parent(BuildState& state, ExprNode* node, char op, int priority) {
    ExprNode* parent = node->parent;
    ExprNode** slot = parent != nullptr ? child_slot(parent, node) : nullptr;
    if (parent != nullptr && slot == nullptr) {
        log_sys("#  Cannot find parent.\n");
        return fail_in("insert_parent");
    }
    ExprNode* fresh = new_expr_node();
    if (fresh == nullptr) {
        log_sys("#  Cannot create node.\n");
        return fail_in("insert_parent");
    }
    fresh->op = op;
    fresh->priority = priority;
    fresh->parent = parent;
    fresh->left = node;
    fresh->open = node->open;
    node->open = 0;
    node->parent = fresh;
    (slot != nullptr ? *slot : *state.rootSlot) = fresh;
    state.current = fresh;
    return 0;
}

int del_node(BuildState& state, ExprNode* node) {
    ExprNode* child = node->left;
    if (child == nullptr) {
        log_sys("#  Cann't find new current-node at del_node.\n");
        return -1;
    }
    if (!node->leftText.empty() || has_right(node) || !node->text.empty()) {
        log_sys("## Never come here!! in del_node\n");
    }
    ExprNode* parent = node->parent;
    if (parent != nullptr) {
        ExprNode** slot = child_slot(parent, node);
        if (slot == nullptr) {
            log_sys("#  Cannot find parent.\n");
            return -1;
        }
        *slot = child;
    } else {
        *state.rootSlot = child;
    }
    child->parent = parent;
    node->left = nullptr;
    state.current = child;
    return 0;
}

int set_operand(BuildState& state, const Token& token) {
    ExprNode* current = state.current;
    int kind = token.kind == 'a' ? OPERAND_NAME : OPERAND_NUMBER;
    if (current->op != 0) {
        if (has_right(current)) {
            log_sys("#  charR must be NULL : setting operand & have op.\n");
            return fail_in("set_operand");
        }
        current->rightText = token.text;
        current->rightKind = kind;
        return 0;
    }
    if (has_left(current)) {
        log_sys("#  charL must be NULL : setting operand & op=NULL.\n");
        return fail_in("set_operand");
    }
    current->leftText = token.text;
    current->leftKind = kind;
    return 0;
}

int add_call(BuildState& state, const std::string& function) {
    ExprNode* current = state.current;
    ExprNode* call = current;
    if (current->op != 0 || has_left(current)) {
        if (current->op == 0 || has_right(current)) {
            log_sys("#  A call of '%s' cannot stand here.\n", function.c_str());
            return fail_in("add_call");
        }
        call = new_expr_node();
        if (call == nullptr) {
            log_sys("#  Cannot create node.\n");
            return fail_in("add_call");
        }
        call->parent = current;
        current->right = call;
    }
    call->op = kCallOperator;
    call->priority = kCallPriority;
    call->function = function;
    state.current = call;
    return 0;
}
