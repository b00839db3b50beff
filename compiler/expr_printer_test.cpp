#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "expr_node.h"
#include "expr_testing.h"
#include "test_support.h"

namespace {

using namespace expr_testing;
using zymorax::testkit::LogCapture;

void expect_prints(const std::vector<TextCase>& cases, bool cNotation) {
    for (const TextCase& c : cases) EXPECT_EQ(printed(c.text, cNotation), c.expected) << c.text;
}

// The '^' text of a temporary is stored and parsed again when the temporary is substituted.
bool parses_again(const std::string& text) {
    ExprNode* again = nullptr;
    return Make_node(&again, printed(text, false)) == 0;
}

TEST(SetExprTest, BracketsFollowTheTreeNotTheInput) {
    const std::vector<TextCase> cases = {
        {"a*b+c", "a*b + c"},       {"a-(b+c)", "a - (b + c)"},
        {"a-(b-c)", "a - (b - c)"}, {"(a+b)+c", "(a + b) + c"},
        {"(a*b)+c", "a*b + c"},     {"a+(b*c)", "a + b*c"},
        {"((a)+b)", "a + b"},       {"((a))", "a"},
        {"(a+b)*c", "(a + b)*c"},   {"a/(b*c)", "a/(b*c)"},
        {"a*(b*c)", "a*(b*c)"},     {"a*(b/c)", "a*(b/c)"},
        {"a/b/c", "a/b/c"},         {"a-b-c", "a - b - c"},
        {"a+(b-c)", "a + (b - c)"}, {"(a-b)-c", "(a - b) - c"},
        {"k[1]", "k[1]"},           {"k[a - b]*2", "k[a-b]*2"},
        {" a\t+\nb ", "a + b"},
    };
    expect_prints(cases, true);
}

TEST(SetExprTest, UnaryMinusPrintsAsASum) {
    const std::vector<TextCase> cases = {
        {"-a", "-a"},
        {"x*(-a)", "x*(-a)"},
        {"-a*b", "-a*b"},
        {"-a+b", "-a + b"},
        {"a-(-b)", "a - (-b)"},
        {"a+(-b)", "a + (-b)"},
        {"-(a-b)", "-(a - b)"},
        {"-(-a)", "-(-a)"},
        {"a*(-b+c)", "a*(-b + c)"},
        {"(-a)^2", "pow((-a), 2)"},
        {"-a^2", "-pow(a, 2)"},
    };
    expect_prints(cases, true);
}

TEST(SetExprTest, NumbersFoldAndUnitFactorsDisappear) {
    const std::vector<TextCase> cases = {
        {"2*3+x", "6 + x"},
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
        {"1-3", "-2"},
    };
    expect_prints(cases, true);
}

// "(-2^x)" would be -(2^x) wherever '^' is read; the bracket around a negative base stays.
TEST(SetExprTest, PowersInBothNotations) {
    const std::vector<TextCase> inC = {
        {"x^2", "pow(x, 2)"},           {"x^(1-3)", "pow(x, -2)"},
        {"x^y^z", "pow(pow(x, y), z)"}, {"(a+b)^c", "pow((a + b), c)"},
        {"a^(b*c)", "pow(a, (b*c))"},   {"2^x", "pow(2, x)"},
        {"(1-3)^x", "pow(-2, x)"},
    };
    expect_prints(inC, true);
    const std::vector<TextCase> withCaret = {
        {"x^2", "(x^2)"},       {"x^(1-3)", "(x^(-2))"},    {"x^(-y)", "(x^(-y))"},
        {"x^y^z", "((x^y)^z)"}, {"a^(b+c)", "(a^(b + c))"}, {"x^(y^z)", "(x^((y^z)))"},
        {"2^x", "(2^x)"},       {"(1-3)^x", "((-2)^x)"},    {"(1-3)^(x+1)", "((-2)^(x + 1))"},
    };
    expect_prints(withCaret, false);
}

// "a + -2*x" reads fine in C and MATLAB, but the scanner refuses "+ -" when a printed
// temporary is parsed again; a right side beginning with '-' is therefore always bracketed.
TEST(SetExprTest, ARightSideBeginningWithMinusIsBracketed) {
    const std::vector<TextCase> cases = {
        {"a+(1-3)*x", "a + (-2*x)"}, {"a+2*(1-3)", "a + (-4)"},   {"a+x*(1-2)", "a + (-x)"},
        {"a+x/(1-2)", "a + (-x)"},   {"a-(1-3)*x", "a - (-2*x)"}, {"(1-3)*x+a", "-2*x + a"},
    };
    expect_prints(cases, false);
    for (const char* text : {"a+(1-3)*x", "a+x*(1-2)", "b+(1-3)*x^2"})
        EXPECT_TRUE(parses_again(text)) << text;
}

// Folding that gives no finite number, or zero, leaves the texts as written: "inf" and "nan"
// are no numbers in generated code, and a printed "0" cannot be parsed again.
TEST(SetExprTest, FoldingNeverPrintsInfinityNanOrZero) {
    const std::vector<TextCase> cases = {
        {"1/(1-1)", "1/(1 - 1)"}, {"1e300*1e300", "1e+300*1e+300"}, {"(1-3)^0.5", "pow(-2, 0.5)"},
        {"x*(1-1)", "x*(1 - 1)"}, {"0.5-.5+x", "0.5 - 0.5 + x"},    {"2*(1-1)", "2*(1 - 1)"},
    };
    expect_prints(cases, true);
    for (const char* text : {"0.5-.5+x", "x*(2-2)", "(3-3)^x"})
        EXPECT_TRUE(parses_again(text)) << text;
}

TEST(SetExprTest, PrintsTheSameTreeAgainInEitherNotation) {
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, "a*(b+c)^2-k[1]"), 0);
    ASSERT_EQ(Set_expr(root, false), 0);
    EXPECT_EQ(root->text, "a*((b + c)^2) - k[1]");
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text, "a*pow((b + c), 2) - k[1]");
    // The operands of the sum hand their texts on; those of products and powers keep them.
    EXPECT_EQ(root->left->text, "");
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

// Hand-made broken trees, a null node and the empty root: each level of the walk adds its line.
TEST(SetExprTest, RefusesBrokenTrees) {
    LogCapture log;
    ExprNode* root = node_with('*', "a", "");
    ExprNode* inner = node_with('+', "b", "c");
    attach(root, inner, true);
    inner->left = node_with('-', "d", "e");
    ASSERT_EQ(Set_expr(root, true), -1);
    EXPECT_EQ(log.take(),
              "#  Duplicate expressions.\n#  charL :b.\n#  exprL:.\n#  operation :'+'.\n"
              "## Error in Set_expr.\n#  operation :'*'.\n## Error in Set_expr.\n");
    inner->left = nullptr;
    inner->right = node_with('-', "d", "e");
    ASSERT_EQ(Set_expr(root, true), -1);
    EXPECT_EQ(log.take(),
              "#  Duplicate expressions.\n#  charR :c.\n#  exprR:.\n#  operation :'+'.\n"
              "## Error in Set_expr.\n#  operation :'*'.\n## Error in Set_expr.\n");

    ASSERT_EQ(Set_expr(node_with('*', "", "b"), true), -1);
    EXPECT_EQ(log.take(),
              "#  No left-side expression.\n#  operation :'*'.\n## Error in Set_expr.\n");
    ASSERT_EQ(Set_expr(node_with('/', "a", ""), true), -1);
    EXPECT_EQ(log.take(),
              "#  No right-side expression.\n#  operation :'/'.\n## Error in Set_expr.\n");
    // The empty text gives a root without operator: nothing but the quotes is written for it.
    ASSERT_EQ(Make_node(&root, ""), 0);
    ASSERT_EQ(Set_expr(root, true), -1);
    EXPECT_EQ(log.take(),
              "#  No left-side expression.\n#  operation :''.\n## Error in Set_expr.\n");

    EXPECT_EQ(Set_expr(nullptr, true), -1);
    EXPECT_EQ(Make_diff(nullptr, "y[1]", true), -1);
    EXPECT_EQ(log.take(), "## Error in Set_expr.\n## Error in Make_diff.\n");
}

TEST(SetExprTest, SubstitutedTemporariesGetTheBracketsTheyNeed) {
    const std::vector<std::vector<std::string>> cases = {
        {"a/m", "b*c", "a/(b*c)"},       {"a*m", "b*c", "a*b*c"},       {"a-m", "b*c", "a - b*c"},
        {"a^m", "b*c", "pow(a, (b*c))"}, {"a-m", "b+c", "a - (b + c)"}, {"a/m", "k[1]", "a/(k[1])"},
    };
    for (const auto& c : cases) {
        ExprNode* root = substituted(c[0], "m", c[1]);
        ASSERT_NE(root, nullptr);
        ASSERT_EQ(Set_expr(root, true), 0);
        EXPECT_EQ(root->text, c[2]) << c[0] << " with m = " << c[1];
    }
}

}  // namespace
