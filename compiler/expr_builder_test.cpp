#include "expr_builder.h"

#include <gtest/gtest.h>

#include <vector>

#include "expr_store.h"
#include "expr_testing.h"
#include "test_support.h"

namespace {

using namespace expr_testing;
using zymorax::testkit::LogCapture;

void expect_shapes(const std::vector<TextCase>& cases) {
    for (const TextCase& c : cases) EXPECT_EQ(parsed_shape(c.text), c.expected) << c.text;
}

// A unary minus takes what binds stronger than a sum; an empty text gives an empty root.
TEST(MakeNodeTest, BuildsTreesByPriorityAndLeftAssociation) {
    const std::vector<TextCase> cases = {
        {"a*b+c", "(+ (* a b) c)"},
        {"a+b*c", "(+ a (* b c))"},
        {"a-b-c", "(- (- a b) c)"},
        {"a/b/c", "(/ (/ a b) c)"},
        {"a^b^c", "(^ (^ a b) c)"},
        {"a+b^c*d", "(+ a (* (^ b c) d))"},
        {"a*b^c+d", "(+ (* a (^ b c)) d)"},
        {"a+b*c^d-e", "(- (+ a (* b (^ c d))) e)"},
        {"2*3+x", "(+ (* 2 3) x)"},
        {"-a", "(- _ a)"},
        {"-a*b", "(- _ (* a b))"},
        {"-a^2", "(- _ (^ a 2))"},
        {"-a+b", "(+ (- _ a) b)"},
        {"x*(-a)", "(* x (-! _ a))"},
        {"(-a)", "(-! _ a)"},
        {"a*(-b+c)", "(* a (+! (- _ b) c))"},
        {"", "(~ _ 0)"},
        {"  ", "(~ _ 0)"},
    };
    expect_shapes(cases);
}

TEST(MakeNodeTest, BracketsCloseGroupsAndVanishAroundSingleOperands) {
    const std::vector<TextCase> cases = {
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
    expect_shapes(cases);
}

TEST(MakeNodeTest, TheRootSlotFollowsTheRootAndLeavesKnowTheirKind) {
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, "((a+b))"), 0);
    EXPECT_EQ(root->op, '+');
    EXPECT_EQ(root->parent, nullptr);
    ASSERT_EQ(Make_node(&root, "a*b+c"), 0);
    EXPECT_EQ(root->op, '+');
    EXPECT_EQ(root->left->parent, root);
    EXPECT_EQ(root->open, 0);

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

// A failed build: the fault's own lines, then the text, the rest after the token and the token.
struct BuildFault {
    std::string text;
    std::string fault;
    std::string rest;
    std::string token;  // "op = '+'" or "expr = '2'"

    std::string log() const {
        return fault + "#  in '" + text + "'\n#  just before '" + rest + "'\n#  token." + token +
               "\n## Error in Make_node.\n";
    }
};

const char* const kForbidden = "#  Forbidden token row.\n";

TEST(MakeNodeTest, FailuresNameTheTextTheRestAndTheToken) {
    const std::vector<BuildFault> cases = {
        {"a*-b", "#  previous: '*', current: '-'\n" + std::string(kForbidden), "b", "op = '-'"},
        {"(a", "#  Bad brackets balance. open:1, close:0\n", "", "op = ''"},
        {"x*0", "#  Invalid value expression.\n", "", "expr = ''"},
        {"x*0.0+y", "#  Invalid value expression.\n", "+y", "expr = ''"},
        {"a b(c)", "#  previous: 'ab', current: '('\n" + std::string(kForbidden), "c)", "op = '('"},
        {"(a)2", "#  previous: ')', current: '2'\n" + std::string(kForbidden), "", "expr = '2'"},
        {"a+", "#  '+' doesnot come last.\n", "", "op = ''"},
        {"a)+(b", "#  Bad brackets balance. open:0, close:1\n", "+(b", "op = ')'"},
        // Only a minus may open an expression.
        {"+a", "#  op='+' is not allowed here.\n## Error in set_oprator.\n", "a", "op = '+'"},
        {"x*(+a)", "#  op='+' is not allowed here.\n## Error in set_oprator.\n", "a)", "op = '+'"},
    };
    for (const BuildFault& c : cases) EXPECT_EQ(build_log(c.text), c.log());
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
        const BuildFault fault{"a", "#  Cannot create node at Make_node.\n", "a", "op = ''"};
        EXPECT_EQ(log.take(), fault.log());
    }
    const std::string noNode = "#  Cannot create node.\n";
    const std::vector<BuildFault> cases = {
        {"a+(b)", noNode + "## Error in add_emptyChild.\n", "b)", "op = '('"},
        {"a*b+c", noNode + "## Error in insert_parent.\n## Error in set_oprator.\n", "c",
         "op = '+'"},
        {"a+b*c", noNode + "## Error in insert_childNode.\n## Error in set_oprator.\n", "c",
         "op = '*'"},
    };
    for (const BuildFault& c : cases) {
        NodeBudget budget(1);
        EXPECT_EQ(build_log(c.text), c.log());
    }
}

// The node operations driven directly with states that the builder never hands them.
TEST(NodeOperationTest, RefuseNodesWithoutRoomForTheirStep) {
    LogCapture log;
    ExprNode* root = node_with(0, "a", "");
    root->open = 1;
    BuildState state{&root, root};
    EXPECT_EQ(add_emptyChild(state), -1);
    EXPECT_EQ(log.take(),
              "#  Have no operator but it have left-node.\n## Error in add_emptyChild.\n");
    Token name;
    name.kind = 'a';
    name.text = "x";
    EXPECT_EQ(set_operand(state, name), -1);
    EXPECT_EQ(log.take(),
              "#  charL must be NULL : setting operand & op=NULL.\n## Error in set_operand.\n");

    root = node_with('+', "a", "b");
    state = BuildState{&root, root};
    EXPECT_EQ(add_emptyChild(state), -1);
    EXPECT_EQ(log.take(),
              "#  Have operator but it have right-node.\n## Error in add_emptyChild.\n");
    EXPECT_EQ(set_operand(state, name), -1);
    EXPECT_EQ(log.take(),
              "#  charR must be NULL : setting operand & have op.\n## Error in set_operand.\n");
    EXPECT_EQ(close_bracket(state), -1);
    EXPECT_EQ(log.take(), "#  No '(' is open for this ')'.\n");

    ExprNode* stray = node_with('*', "c", "d");
    stray->parent = root;  // the parent does not hold it
    state = BuildState{&root, stray};
    EXPECT_EQ(insert_parent(state, stray, '-', 1), -1);
    EXPECT_EQ(log.take(), "#  Cannot find parent.\n## Error in insert_parent.\n");

    root = node_with('+', "a", "");
    state = BuildState{&root, root};
    EXPECT_EQ(set_oprator(state, '*', 2), -1);
    EXPECT_EQ(log.take(),
              "#  charR is expected before making new node.\n## Error in set_oprator.\n");
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
    attach(root, child, false);
    root->rightText = "c";  // an operator-less node never holds this
    EXPECT_EQ(del_node(state, root), 0);
    EXPECT_EQ(log.take(), "## Never come here!! in del_node\n");
    EXPECT_EQ(root, child);
    EXPECT_EQ(child->parent, nullptr);
    EXPECT_EQ(state.current, child);
}

}  // namespace
