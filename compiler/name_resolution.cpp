#include "name_resolution.h"

#include <vector>

#include "code_format.h"
#include "line_splitters.h"
#include "log.h"

namespace {

int detail_failure() {
    log_sys("## Error in check_detail.\n");
    return -1;
}

// A parameter element label[k]: marks it used. 0, or -1 after logging.
int check_parameter(DaeModel& model, const std::string& name, const std::string& base,
                    const std::string& index) {
    int row = find_row(model.labelRows, base);
    if (row < 0) {
        log_sys("#  '%s' is an unknown expression.\n", base.c_str());
        return -1;
    }
    int k = whole_number(index);
    if (k < 1) {
        log_sys("#  Invalid expression : '%s'\n", name.c_str());
        return -1;
    }
    if (setUsedParam(model.paramLabels[row], k - 1) != 0) {
        log_sys("#  '%s' is not registered.\n", name.c_str());
        return -1;
    }
    return 0;
}

// Takes the leaf of one side away from `node`.
void clear_leaf(ExprNode* node, bool isLeft) {
    (isLeft ? node->leftText : node->rightText).clear();
    (isLeft ? node->leftKind : node->rightKind) = 0;
}

bool is_unary_minus(const ExprNode* node) {
    return node->op == '-' && node->left == nullptr && node->leftText.empty();
}

// Puts `sub` in the right side of `node`; a unary minus under a binary '+' or '-' folds into the
// operator instead (a - m with m = -x becomes a + x). Under a unary minus it stays, since the
// node has no left side that a '+' could take: -m with m = -x is -(-x).
void attach_right(ExprNode* node, ExprNode* sub) {
    if (!is_unary_minus(sub) || node->priority != 1 || is_unary_minus(node)) {
        node->right = sub;
        return;
    }
    node->right = sub->right;
    node->rightText = sub->rightText;
    node->rightKind = sub->rightKind;
    if (node->right != nullptr) node->right->parent = node;
    node->op = node->op == '-' ? '+' : '-';
}

// One step of the walk: a side of a node still to be looked at.
struct PendingSide {
    ExprNode* node;
    bool isLeft;
};

// Handles one side: a subtree is queued for walking, a name leaf is resolved or rewritten.
int visit_side(DaeModel& model, PendingSide side, bool cNotation, CheckMode mode,
               std::vector<PendingSide>& pending) {
    ExprNode* node = side.node;
    ExprNode* sub = side.isLeft ? node->left : node->right;
    if (sub != nullptr) {
        pending.push_back({sub, false});  // right side of the subtree after its left side
        pending.push_back({sub, true});
        return 0;
    }
    int kind = side.isLeft ? node->leftKind : node->rightKind;
    if (kind != OPERAND_NAME) return 0;
    std::string& leaf = side.isLeft ? node->leftText : node->rightText;
    if (mode == CheckMode::Replace) return replace_variable(model, leaf);
    return check_detail(model, std::string(leaf), node, side.isLeft, cNotation);
}

// Depth of a node below the root, counted in walk levels.
int depth_of(const ExprNode* node) {
    int depth = 1;
    for (; node->parent != nullptr; node = node->parent) ++depth;
    return depth;
}

}  // namespace

int setUsedParam(ParamLabel& label, int k) {
    if (k < 0 || k >= label.elementCount) {
        log_sys("#  This index is over the range. Now : %d, Limit : %d\n", k + 1,
                label.elementCount);
        log_sys("## Error in setUsedParam.\n");
        return -1;
    }
    label.elements[k].used = 1;
    return 0;
}

int check_detail(DaeModel& model, const std::string& name, ExprNode* node, bool isLeft,
                 bool cNotation) {
    std::string base, index;
    if (divide_variable(name, base, index) != 0) {
        int row = find_row(model.temporaryRows, name);
        if (row < 0) {
            log_sys("#  Invalid expression : '%s'\n", name.c_str());
            return detail_failure();
        }
        log_sys("#  Above warnings are meaningless.\n\n");
        return expand_mid(model, row, node, isLeft, cNotation) == 0 ? 0 : detail_failure();
    }
    if (base == "x" || base == "y") {
        int row = find_row(model.variableRows, index);
        if (row < 0) {
            log_sys("#  '%s' is not registered.\n", name.c_str());
            return detail_failure();
        }
        model.variables[row].used = 1;
        return 0;
    }
    return check_parameter(model, name, base, index) == 0 ? 0 : detail_failure();
}

int expand_mid(DaeModel& model, int row, ExprNode* node, bool isLeft,
               [[maybe_unused]] bool cNotation) {
    clear_leaf(node, isLeft);
    ExprNode* sub = nullptr;
    if (Make_node(&sub, model.temporaries[row].text) != 0) {
        log_sys("## Error in expand_mid.\n");
        return -1;
    }
    sub->parent = node;
    if (isLeft) {
        node->left = sub;
    } else {
        attach_right(node, sub);
    }
    // Only `node` changed: checking it stands for printing the whole tree again, which would
    // cost the tree's size at every substitution.
    if (check_printable(node) != 0) {
        log_sys("## Error in expand_mid.\n");
        return -1;
    }
    return 0;
}

int replace_variable(const DaeModel& model, std::string& leafText) {
    std::string base, index;
    int result = 0;
    if (divide_variable(leafText, base, index) != 0) {
        log_sys("#  Invalid expression. : '%s'\n", leafText.c_str());
        result = -1;
    } else if (base == "x" || base == "y") {
        int row = find_row(model.variableRows, index);
        if (row < 0) {
            log_sys("#  '%s' is not registered.\n", leafText.c_str());
            result = -1;
        } else {
            leafText = element_symbol("y", model.variables[row].number);
        }
    }
    if (result != 0) log_sys("## Error in replace_variable.\n");
    return result;
}

// The walk keeps its own stack: trees of long sums are as deep as they have terms.
int check_node(DaeModel& model, ExprNode* node, bool cNotation, CheckMode mode) {
    std::vector<PendingSide> pending{{node, false}, {node, true}};
    while (!pending.empty()) {
        PendingSide side = pending.back();
        pending.pop_back();
        if (visit_side(model, side, cNotation, mode, pending) == 0) continue;
        for (int level = depth_of(side.node) - depth_of(node) + 1; level > 0; --level) {
            log_sys("## Error in check_node.\n");
        }
        return -1;
    }
    return 0;
}
