#include "expr_builder.h"

#include <gtest/gtest.h>

#include <vector>

#include "expr_store.h"
#include "expr_testing.h"
#include "test_support.h"

namespace {

using expr_testing::parsed_shape;
using expr_testing::shape;
using zymorax::testkit::LogCapture;

TEST(MakeNodeTest, BuildsTreesByPriorityAndLeftAssociation) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a*b+c", "(+ (* a b) c)"},
        {"a+b*c", "(+ a (* b c))"},
        {"a-b-c", "(- (- a b) c)"},
        {"a/b/c", "(/ (/ a b) c)"},
        {"a^b^c", "(^ (^ a b) c)"},
        {"a+b^c*d", "(+ a (* (^ b c) d))"},
        {"a*b^c+d", "(+ (* a (^ b c)) d)"},
        {"a+b*c^d-e", "(- (+ a (* b (^ c d))) e)"},
        {"2*3+x", "(+ (* 2 3) x)"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parsed_shape(text), expected) << text;
}

TEST(MakeNodeTest, UnaryMinusTakesWhatBindsStrongerThanASum) {
    EXPECT_EQ(parsed_shape("-a"), "(- _ a)");
    EXPECT_EQ(parsed_shape("-a*b"), "(- _ (* a b))");
    EXPECT_EQ(parsed_shape("-a^2"), "(- _ (^ a 2))");
    EXPECT_EQ(parsed_shape("-a+b"), "(+ (- _ a) b)");
    EXPECT_EQ(parsed_shape("x*(-a)"), "(* x (-! _ a))");
    EXPECT_EQ(parsed_shape("(-a)"), "(-! _ a)");
    EXPECT_EQ(parsed_shape("a*(-b+c)"), "(* a (+! (- _ b) c))");
}

TEST(MakeNodeTest, BracketsCloseGroupsAndVanishAroundSingleOperands) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"(a+b)*c", "(* (+! a b) c)"},
        {"a-(b-c)", "(- a (-! b c))"},
        {"((a)+b)", "(+! a b)"},
        {"((a))", "(~ a 0)"},
        {"(a)", "(~ a 0)"},
        {"k[1]", "(~ k[1] 0)"},
        {"(2)*x", "(* 2 x)"},
        {"((a+b))*c", "(* (+! a b) c)"},
        {"x*((a*b+c))", "(* x (+! (* a b) c))"},
        {"a-(b)*c", "(- a (* b c))"},
        {"-(2)*x", "(- _ (* 2 x))"},
        {"(a*b+c)", "(+! (* a b) c)"},
        {"a/(b)/c", "(/ (/ a b) c)"},
        {"((a+b)*c)", "(*! (+! a b) c)"},
        {"(a+b)^(c)", "(^ (+! a b) c)"},
        {"a*(b*c)", "(* a (*! b c))"},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parsed_shape(text), expected) << text;
}

TEST(MakeNodeTest, TheRootSlotFollowsTheRootWhileBuilding) {
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, "((a+b))"), 0);
    EXPECT_EQ(root->op, '+');
    EXPECT_EQ(root->parent, nullptr);
    ASSERT_EQ(Make_node(&root, "a*b+c"), 0);
    EXPECT_EQ(root->op, '+');
    EXPECT_EQ(root->left->parent, root);
    EXPECT_EQ(root->open, 0);
}

TEST(MakeNodeTest, LeavesKnowTheirKind) {
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, "k[1]*2"), 0);
    EXPECT_EQ(root->leftKind, OPERAND_NAME);
    EXPECT_EQ(root->rightKind, OPERAND_NUMBER);
    ASSERT_EQ(Make_node(&root, "x"), 0);
    EXPECT_EQ(root->rightText, "0");
    EXPECT_EQ(root->rightKind, OPERAND_ZERO);
}

std::string build_log(const std::string& text) {
    LogCapture log;
    ExprNode* root = nullptr;
    EXPECT_EQ(Make_node(&root, text), -1) << text;
    EXPECT_NE(root, nullptr);
    return log.take();
}

TEST(MakeNodeTest, FailuresNameTheTextTheRestAndTheToken) {
    EXPECT_EQ(build_log("a*-b"),
              "#  previous: '*', current: '-'\n#  Forbidden token row.\n#  in 'a*-b'\n"
              "#  just before 'b'\n#  token.op = '-'\n## Error in Make_node.\n");
    EXPECT_EQ(build_log("(a"),
              "#  Bad brackets balance. open:1, close:0\n#  in '(a'\n#  just before ''\n"
              "#  token.op = ''\n## Error in Make_node.\n");
    EXPECT_EQ(build_log("x*0"),
              "#  Invalid value expression.\n#  in 'x*0'\n#  just before ''\n"
              "#  token.expr = ''\n## Error in Make_node.\n");
    EXPECT_EQ(build_log("x*0.0+y"),
              "#  Invalid value expression.\n#  in 'x*0.0+y'\n#  just before '+y'\n"
              "#  token.expr = ''\n## Error in Make_node.\n");
    EXPECT_EQ(build_log("a b(c)"),
              "#  previous: 'ab', current: '('\n#  Forbidden token row.\n#  in 'a b(c)'\n"
              "#  just before 'c)'\n#  token.op = '('\n## Error in Make_node.\n");
    EXPECT_EQ(build_log("(a)2"),
              "#  previous: ')', current: '2'\n#  Forbidden token row.\n#  in '(a)2'\n"
              "#  just before ''\n#  token.expr = '2'\n## Error in Make_node.\n");
    EXPECT_EQ(build_log("a+"),
              "#  '+' doesnot come last.\n#  in 'a+'\n#  just before ''\n#  token.op = ''\n"
              "## Error in Make_node.\n");
    EXPECT_EQ(build_log("a)+(b"),
              "#  Bad brackets balance. open:0, close:1\n#  in 'a)+(b'\n#  just before '+(b'\n"
              "#  token.op = ')'\n## Error in Make_node.\n");
}

TEST(MakeNodeTest, OnlyMinusMayOpenAnExpression) {
    EXPECT_EQ(build_log("+a"),
              "#  op='+' is not allowed here.\n## Error in set_oprator.\n#  in '+a'\n"
              "#  just before 'a'\n#  token.op = '+'\n## Error in Make_node.\n");
    EXPECT_EQ(build_log("x*(+a)"),
              "#  op='+' is not allowed here.\n## Error in set_oprator.\n#  in 'x*(+a)'\n"
              "#  just before 'a)'\n#  token.op = '+'\n## Error in Make_node.\n");
}

TEST(MakeNodeTest, AnEmptyTextGivesAnEmptyRoot) {
    EXPECT_EQ(parsed_shape(""), "(~ _ 0)");
    EXPECT_EQ(parsed_shape("  "), "(~ _ 0)");
}

// Limits the node store for one test.
class NodeBudget {
public:
    explicit NodeBudget(long count) { set_expr_node_budget(count); }
    ~NodeBudget() { set_expr_node_budget(-1); }
};

TEST(MakeNodeTest, ReportsNodesThatCannotBeCreated) {
    {
        NodeBudget budget(0);
        LogCapture log;
        ExprNode* root = reinterpret_cast<ExprNode*>(&log);
        EXPECT_EQ(Make_node(&root, "a"), -1);
        EXPECT_EQ(root, nullptr);
        EXPECT_EQ(log.take(),
                  "#  Cannot create node at Make_node.\n#  in 'a'\n#  just before 'a'\n"
                  "#  token.op = ''\n## Error in Make_node.\n");
    }
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a+(b)", "#  Cannot create node.\n## Error in add_emptyChild.\n#  in 'a+(b)'\n"
                  "#  just before 'b)'\n#  token.op = '('\n## Error in Make_node.\n"},
        {"a*b+c", "#  Cannot create node.\n## Error in insert_parent.\n## Error in set_oprator.\n"
                  "#  in 'a*b+c'\n#  just before 'c'\n#  token.op = '+'\n## Error in Make_node.\n"},
        {"a+b*c", "#  Cannot create node.\n## Error in insert_childNode.\n## Error in set_oprator.\n"
                  "#  in 'a+b*c'\n#  just before 'c'\n#  token.op = '*'\n## Error in Make_node.\n"},
    };
    for (const auto& [text, expected] : cases) {
        NodeBudget budget(1);
        EXPECT_EQ(build_log(text), expected) << text;
    }
}

// A detached node for driving one node operation directly.
ExprNode* node_with(char op, const std::string& left, const std::string& right) {
    ExprNode* node = new_expr_node();
    node->op = op;
    node->priority = (op == '+' || op == '-') ? 1 : (op == '*' || op == '/') ? 2 : op == '^' ? 3 : 0;
    node->leftText = left;
    node->leftKind = left.empty() ? 0 : OPERAND_NAME;
    node->rightText = right;
    node->rightKind = right.empty() ? 0 : OPERAND_NAME;
    return node;
}

TEST(NodeOperationTest, AddEmptyChildNeedsAFreeSide) {
    LogCapture log;
    ExprNode* root = node_with(0, "a", "");
    root->open = 1;
    BuildState state{&root, root};
    EXPECT_EQ(add_emptyChild(state), -1);
    EXPECT_EQ(log.take(), "#  Have no operator but it have left-node.\n## Error in add_emptyChild.\n");
    root = node_with('+', "a", "b");
    state = BuildState{&root, root};
    EXPECT_EQ(add_emptyChild(state), -1);
    EXPECT_EQ(log.take(), "#  Have operator but it have right-node.\n## Error in add_emptyChild.\n");
}

TEST(NodeOperationTest, SetOperandNeedsAFreePlace) {
    LogCapture log;
    Token name;
    name.kind = 'a';
    name.text = "x";
    ExprNode* root = node_with('+', "a", "b");
    BuildState state{&root, root};
    EXPECT_EQ(set_operand(state, name), -1);
    EXPECT_EQ(log.take(), "#  charR must be NULL : setting operand & have op.\n## Error in set_operand.\n");
    root = node_with(0, "a", "");
    state = BuildState{&root, root};
    EXPECT_EQ(set_operand(state, name), -1);
    EXPECT_EQ(log.take(), "#  charL must be NULL : setting operand & op=NULL.\n## Error in set_operand.\n");
}

TEST(NodeOperationTest, SetOpratorNeedsTheRightSideFilled) {
    LogCapture log;
    ExprNode* root = node_with('+', "a", "");
    BuildState state{&root, root};
    EXPECT_EQ(set_oprator(state, '*', 2), -1);
    EXPECT_EQ(log.take(), "#  charR is expected before making new node.\n## Error in set_oprator.\n");
}

TEST(NodeOperationTest, InsertParentMustFindTheNodeInItsParent) {
    LogCapture log;
    ExprNode* root = node_with('+', "a", "b");
    ExprNode* stray = node_with('*', "c", "d");
    stray->parent = root;  // the parent does not hold it
    BuildState state{&root, stray};
    EXPECT_EQ(insert_parent(state, stray, '-', 1), -1);
    EXPECT_EQ(log.take(), "#  Cannot find parent.\n## Error in insert_parent.\n");
}

TEST(NodeOperationTest, InsertParentPassesTheOpenMarkOn) {
    ExprNode* root = node_with('*', "a", "b");
    root->open = 1;
    BuildState state{&root, root};
    ASSERT_EQ(insert_parent(state, root, '+', 1), 0);
    EXPECT_EQ(shape(root), "(+ (* a b) _)");
    EXPECT_EQ(root->open, 1);
    EXPECT_EQ(root->left->open, 0);
    EXPECT_EQ(state.current, root);
}

TEST(NodeOperationTest, DelNodePromotesTheLeftSubtree) {
    LogCapture log;
    ExprNode* root = node_with(0, "", "");
    BuildState state{&root, root};
    EXPECT_EQ(del_node(state, root), -1);
    EXPECT_EQ(log.take(), "#  Cann't find new current-node at del_node.\n");

    ExprNode* child = node_with('+', "a", "b");
    root->left = child;
    child->parent = root;
    root->rightText = "c";  // an operator-less node never holds this
    EXPECT_EQ(del_node(state, root), 0);
    EXPECT_EQ(log.take(), "## Never come here!! in del_node\n");
    EXPECT_EQ(root, child);
    EXPECT_EQ(child->parent, nullptr);
    EXPECT_EQ(state.current, child);
}

TEST(NodeOperationTest, CloseBracketNeedsAnOpenNode) {
    LogCapture log;
    ExprNode* root = node_with('+', "a", "b");
    BuildState state{&root, root};
    EXPECT_EQ(close_bracket(state), -1);
    EXPECT_EQ(log.take(), "#  No '(' is open for this ')'.\n");
}

}  // namespace
