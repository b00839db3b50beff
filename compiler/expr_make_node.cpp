// Make_node: the tree builder's driver, reading tokens and handing each to its node operation.
#include <algorithm>

#include "expr_builder.h"
#include "expr_functions.h"
#include "expr_node.h"
#include "expr_scanner.h"
#include "log.h"

namespace {

// The lines that follow every builder failure: where in the text, and which token.
int log_build_failure(const std::string& text, std::size_t cursor, const Token& token) {
    log_sys("#  in '%s'\n", text.c_str());
    log_sys("#  just before '%s'\n", text.c_str() + std::min(cursor, text.size()));
    if (is_operand_kind(token.kind)) {
        log_sys("#  token.expr = '%s'\n", token.text.c_str());
    } else if (token.kind != 0) {
        log_sys("#  token.op = '%c'\n", token.kind);
    } else {
        log_sys("#  token.op = ''\n");  // the end of the text: no character to show
    }
    log_sys("## Error in Make_node.\n");
    return -1;
}

int apply_token(BuildState& state, const Token& token) {
    switch (token.kind) {
        case '(':
            return add_emptyChild(state);
        case ')':
            return close_bracket(state);
        case 'a':
        case 'v':
            return set_operand(state, token);
        case 'F':
            return add_call(state, token.text);
        case kListOperator:
            return set_oprator(state, kListOperator, 0);
        default:
            return set_oprator(state, token.kind, token.priority);
    }
}

}  // namespace

int Make_node(ExprNode** rootSlot, const std::string& text) {
    ExprNode* root = new_expr_node();
    *rootSlot = root;
    if (root == nullptr) {
        log_sys("#  Cannot create node at Make_node.\n");
        return log_build_failure(text, 0, Token());
    }
    BuildState state{rootSlot, root};
    TokenRowCheck rowCheck;
    std::size_t cursor = 0;
    for (;;) {
        Token token;
        if (scan_token(text, cursor, token) != 0) return log_build_failure(text, cursor, token);
        if (token.kind == 0) {
            if (rowCheck.finish() != 0) return log_build_failure(text, cursor, token);
            break;
        }
        if (rowCheck.check(token) != 0 || apply_token(state, token) != 0) {
            return log_build_failure(text, cursor, token);
        }
    }
    // Every root has a right side; the printer ignores this one.
    if (state.current == *rootSlot && state.current->op == 0) {
        state.current->rightText = "0";
        state.current->rightKind = OPERAND_ZERO;
    }
    return 0;
}
