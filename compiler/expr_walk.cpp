#include "expr_walk.h"

#include <vector>


namespace {

struct WalkFrame {
    ExprNode* node;
    NodePlace place;
    int stage;  // 0: left side next, 1: right side next, 2: the node itself
};

NodePlace place_of_start(const ExprNode* start) {
    NodePlace place;
    place.parent = start->parent;
    place.isRight = start->parent != nullptr && start->parent->right == start;
    return place;
}

int unwind_all(const std::vector<WalkFrame>& stack, ExprVisitor& visitor) {
    for (auto frame = stack.rbegin(); frame != stack.rend(); ++frame) visitor.unwind(frame->node);
    return -1;
}

}  // namespace

int walk_children_first(ExprNode* start, ExprVisitor& visitor) {
    if (start == nullptr) return -1;
    std::vector<WalkFrame> stack{{start, place_of_start(start), 0}};
    while (!stack.empty()) {
        WalkFrame& frame = stack.back();
        ExprNode* node = frame.node;
        const int stage = frame.stage++;
        if (stage == 0 || stage == 1) {
            const bool right = stage == 1;
            if ((right ? visitor.enter_right(node) : visitor.enter_left(node)) != 0) {
                return unwind_all(stack, visitor);
            }
            ExprNode* child = right ? node->right : node->left;
            if (child != nullptr) stack.push_back({child, NodePlace{node, right}, 0});
            continue;
        }
        if (visitor.leave(node, frame.place) != 0) return unwind_all(stack, visitor);
        stack.pop_back();
    }
    return 0;
}
