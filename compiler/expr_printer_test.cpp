#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr_node.h"
#include "expr_testing.h"
#include "test_support.h"

namespace {

using expr_testing::printed;
using expr_testing::printed_class;
using zymorax::testkit::LogCapture;

struct PrintCase {
    std::string text;
    std::string expected;
};

void expect_prints(const std::vector<PrintCase>& cases, bool cNotation) {
    for (const PrintCase& c : cases) EXPECT_EQ(printed(c.text, cNotation), c.expected) << c.text;
}

TEST(SetExprTest, BracketsFollowTheTreeNotTheInput) {
    expect_prints({{"a*b+c", "a*b + c"},
                   {"a-(b+c)", "a - (b + c)"},
                   {"a-(b-c)", "a - (b - c)"},
                   {"(a+b)+c", "(a + b) + c"},
                   {"(a*b)+c", "a*b + c"},
                   {"a+(b*c)", "a + b*c"},
                   {"((a)+b)", "a + b"},
                   {"((a))", "a"},
                   {"(a+b)*c", "(a + b)*c"},
                   {"a/(b*c)", "a/(b*c)"},
                   {"a*(b*c)", "a*(b*c)"},
                   {"a*(b/c)", "a*(b/c)"},
                   {"a/b/c", "a/b/c"},
                   {"a-b-c", "a - b - c"},
                   {"a+(b-c)", "a + (b - c)"},
                   {"(a-b)-c", "(a - b) - c"},
                   {"k[1]", "k[1]"},
                   {"k[a - b]*2", "k[a-b]*2"},
                   {" a\t+\nb ", "a + b"}},
                  true);
}

TEST(SetExprTest, UnaryMinusPrintsAsASum) {
    expect_prints({{"-a", "-a"},
                   {"x*(-a)", "x*(-a)"},
                   {"-a*b", "-a*b"},
                   {"-a+b", "-a + b"},
                   {"a-(-b)", "a - (-b)"},
                   {"a+(-b)", "a + (-b)"},
                   {"-(a-b)", "-(a - b)"},
                   {"-(-a)", "-(-a)"},
                   {"a*(-b+c)", "a*(-b + c)"},
                   {"(-a)^2", "pow((-a), 2)"},
                   {"-a^2", "-pow(a, 2)"}},
                  true);
    EXPECT_EQ(printed_class("-a"), TEXT_SUM);
    EXPECT_EQ(printed_class("a*b"), TEXT_PRODUCT);
    EXPECT_EQ(printed_class("a^b"), TEXT_POWER);
    EXPECT_EQ(printed_class("2*3"), TEXT_NUMBER);
    EXPECT_EQ(printed_class("a+b"), TEXT_SUM);
}

TEST(SetExprTest, NumbersFoldAndUnitFactorsDisappear) {
    expect_prints({{"2*3+x", "6 + x"},
                   {"x^1", "x"},
                   {"1^x", "1"},
                   {"1*x", "x"},
                   {"x*1", "x"},
                   {"x/1", "x"},
                   {"(1+x)*3", "(1 + x)*3"},
                   {"(a+b)*2", "(a + b)*2"},
                   {"(1-3)*x", "-2*x"},
                   {"x*(1-3)", "x*(-2)"},
                   {"(1-2)*x", "-x"},
                   {"x*(1-2)", "-x"},
                   {"x/(1-2)", "-x"},
                   {"(1-2)*(a+b)", "-(a + b)"},
                   {"2^3", "8"},
                   {"6/4", "1.5"},
                   {"1/3", "0.333333"},
                   {"0.1234567", "0.123457"},
                   {"0.1234567*x", "0.123457*x"},
                   {"1e-5*x", "1e-005*x"},
                   {"1e5*1e5", "1e+010"},
                   {"2*x*3", "2*x*3"},
                   {"1-3", "-2"}},
                  true);
}

TEST(SetExprTest, PowersInBothNotations) {
    expect_prints({{"x^2", "pow(x, 2)"},
                   {"x^(1-3)", "pow(x, -2)"},
                   {"x^y^z", "pow(pow(x, y), z)"},
                   {"(a+b)^c", "pow((a + b), c)"},
                   {"a^(b*c)", "pow(a, (b*c))"},
                   {"2^x", "pow(2, x)"},
                   {"(1-3)^x", "pow(-2, x)"}},
                  true);
    expect_prints({{"x^2", "(x^2)"},
                   {"x^(1-3)", "(x^(-2))"},
                   {"x^(-y)", "(x^(-y))"},
                   {"x^y^z", "((x^y)^z)"},
                   {"a^(b+c)", "(a^(b + c))"},
                   {"x^(y^z)", "(x^((y^z)))"},
                   {"2^x", "(2^x)"}},
                  false);
}

// "(-2^x)" would be -(2^x) wherever '^' is read; the bracket around the negative base stays.
TEST(SetExprTest, ANegativeBaseKeepsItsBracketsInCaretNotation) {
    EXPECT_EQ(printed("(1-3)^x", false), "((-2)^x)");
    EXPECT_EQ(printed("(1-3)^(x+1)", false), "((-2)^(x + 1))");
    EXPECT_EQ(printed("(1-3)^x", true), "pow(-2, x)");
}

// "a + -2*x" reads fine in C and MATLAB, but the scanner refuses "+ -" when a printed
// temporary is parsed again; a right side beginning with '-' is therefore always bracketed.
TEST(SetExprTest, ARightSideBeginningWithMinusIsBracketed) {
    expect_prints({{"a+(1-3)*x", "a + (-2*x)"},
                   {"a+2*(1-3)", "a + (-4)"},
                   {"a+x*(1-2)", "a + (-x)"},
                   {"a+x/(1-2)", "a + (-x)"},
                   {"a-(1-3)*x", "a - (-2*x)"},
                   {"(1-3)*x+a", "-2*x + a"}},
                  false);
    for (const char* text : {"a+(1-3)*x", "a+x*(1-2)", "b+(1-3)*x^2"}) {
        std::string once = printed(text, false);
        ExprNode* again = nullptr;
        EXPECT_EQ(Make_node(&again, once), 0) << once;
    }
}

// Folding that gives no finite number, or zero, leaves the texts as written: "inf" and "nan"
// are no numbers in generated code, and a printed "0" cannot be parsed again.
TEST(SetExprTest, FoldingNeverPrintsInfinityNanOrZero) {
    expect_prints({{"1/(1-1)", "1/(1 - 1)"},
                   {"1e300*1e300", "1e+300*1e+300"},
                   {"(1-3)^0.5", "pow(-2, 0.5)"},
                   {"x*(1-1)", "x*(1 - 1)"},
                   {"0.5-.5+x", "0.5 - 0.5 + x"},
                   {"2*(1-1)", "2*(1 - 1)"}},
                  true);
    for (const char* text : {"0.5-.5+x", "x*(2-2)", "(3-3)^x"}) {
        std::string once = printed(text, false);
        ExprNode* again = nullptr;
        EXPECT_EQ(Make_node(&again, once), 0) << once;
    }
}

TEST(SetExprTest, PrintsTheSameTreeAgainInEitherNotation) {
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, "a*(b+c)^2-k[1]"), 0);
    ASSERT_EQ(Set_expr(root, false), 0);
    EXPECT_EQ(root->text, "a*((b + c)^2) - k[1]");
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text, "a*pow((b + c), 2) - k[1]");
    EXPECT_EQ(root->left->text, "a*pow((b + c), 2)");
    EXPECT_EQ(root->left->right->text, "pow((b + c), 2)");
    EXPECT_EQ(root->left->right->left->text, "(b + c)");
}

TEST(SetExprTest, TextsBeyond65535CharactersArePrintedWhole) {
    const std::string longName = "k[" + std::string(70000, '7') + "]";
    EXPECT_EQ(printed(longName + "*x+" + longName), longName + "*x + " + longName);

    // A balanced sum of many terms: the root text is far beyond 65,535 characters.
    std::string text = "y[1]";
    for (int level = 0; level < 14; ++level) text = "(" + text + ")+(" + text + ")";
    std::string out = printed(text);
    EXPECT_EQ(out.size(), 16384u * 4 + (16384u - 1) * 3 + 2 * (16384u - 2));
    EXPECT_EQ(out.substr(0, 24), "(((((((((((((y[1] + y[1]");
}

TEST(SetExprTest, DeepTreesArePrintedWithoutRecursion) {
    // x^1^1^...: a left chain 300,000 nodes deep whose every level prints as "x".
    std::string text = "x";
    for (int i = 0; i < 300000; ++i) text += "^1";
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, text), 0);
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text, "x");
    ASSERT_EQ(Make_diff(root, "x", true), 0);
    EXPECT_EQ(root->diffText, "1");
}

// Hand-made trees that the builder never makes, for the printer's own checks.
ExprNode* leaf_node(char op, const std::string& left, const std::string& right) {
    ExprNode* node = new_expr_node();
    node->op = op;
    node->priority = (op == '+' || op == '-') ? 1 : (op == '*' || op == '/') ? 2 : op == '^' ? 3 : 0;
    node->leftText = left;
    node->leftKind = left.empty() ? 0 : OPERAND_NAME;
    node->rightText = right;
    node->rightKind = right.empty() ? 0 : OPERAND_NAME;
    return node;
}

void attach(ExprNode* parent, ExprNode* child, bool right) {
    (right ? parent->right : parent->left) = child;
    child->parent = parent;
}

TEST(SetExprTest, ReportsBrokenNodesAtEveryLevel) {
    LogCapture log;
    ExprNode* root = leaf_node('*', "a", "");
    ExprNode* inner = leaf_node('+', "b", "c");
    attach(root, inner, true);
    inner->left = leaf_node('-', "d", "e");
    ASSERT_EQ(Set_expr(root, true), -1);
    EXPECT_EQ(log.take(),
              "#  Duplicate expressions.\n#  charL :b.\n#  exprL:.\n#  operation :'+'.\n"
              "## Error in Set_expr.\n#  operation :'*'.\n## Error in Set_expr.\n");

    inner->left = nullptr;
    inner->right = leaf_node('-', "d", "e");
    ASSERT_EQ(Set_expr(root, true), -1);
    EXPECT_EQ(log.take(),
              "#  Duplicate expressions.\n#  charR :c.\n#  exprR:.\n#  operation :'+'.\n"
              "## Error in Set_expr.\n#  operation :'*'.\n## Error in Set_expr.\n");

    ASSERT_EQ(Set_expr(leaf_node('*', "", "b"), true), -1);
    EXPECT_EQ(log.take(), "#  No left-side expression.\n#  operation :'*'.\n## Error in Set_expr.\n");
    ASSERT_EQ(Set_expr(leaf_node('/', "a", ""), true), -1);
    EXPECT_EQ(log.take(), "#  No right-side expression.\n#  operation :'/'.\n## Error in Set_expr.\n");
}

TEST(SetExprTest, AnEmptyTextHasNoLeftSide) {
    LogCapture log;
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, ""), 0);
    ASSERT_EQ(Set_expr(root, true), -1);
    // The root has no operator; nothing but the quotes is written for it.
    EXPECT_EQ(log.take(), "#  No left-side expression.\n#  operation :''.\n## Error in Set_expr.\n");
}

// Puts the tree of `text` into the right leaf of `node`, as the substitution of a temporary does.
void substitute_right(ExprNode* node, const std::string& text) {
    ExprNode* sub = nullptr;
    ASSERT_EQ(Make_node(&sub, text), 0);
    node->rightText.clear();
    node->rightKind = 0;
    attach(node, sub, true);
}

TEST(SetExprTest, SubstitutedTemporariesGetTheBracketsTheyNeed) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"a/m", "a/(b*c)"}, {"a*m", "a*b*c"}, {"a-m", "a - b*c"}, {"a^m", "pow(a, (b*c))"},
    };
    for (const auto& [text, expected] : cases) {
        ExprNode* root = nullptr;
        ASSERT_EQ(Make_node(&root, text), 0);
        substitute_right(root, "b*c");
        ASSERT_EQ(Set_expr(root, true), 0);
        EXPECT_EQ(root->text, expected) << text;
    }
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, "a-m"), 0);
    substitute_right(root, "b+c");
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text, "a - (b + c)");
    ASSERT_EQ(Make_node(&root, "a/m"), 0);
    substitute_right(root, "k[1]");
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text, "a/(k[1])");
}

}  // namespace
