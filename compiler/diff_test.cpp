#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diff_rules.h"
#include "expr_node.h"
#include "expr_testing.h"
#include "test_support.h"

namespace {

using namespace expr_testing;
using zymorax::testkit::LogCapture;

void expect_derivatives(const std::vector<TextCase>& cases, bool cNotation) {
    for (const TextCase& c : cases) {
        EXPECT_EQ(derivative(c.text, "y[1]", cNotation), c.expected) << c.text;
    }
}

TEST(MakeDiffTest, ProductsAndLeaves) {
    const std::vector<TextCase> inC = {
        {"y[1]", "1"},
        {"k[1]", ""},
        {"k[1]*y[1]", "k[1]"},
        {"y[1]*y[1]", "y[1] + y[1]"},
        {"2*y[1]", "2"},
        {"y[1]*(1-3)", "-2"},
        {"(y[1]*y[1])*k[1]", "(y[1] + y[1])*k[1]"},
        {"k[2]*y[3]", ""},
        {"y[10]*y[1]", "y[10]"},
    };
    expect_derivatives(inC, true);
}

TEST(MakeDiffTest, SumsDifferencesAndUnaryMinus) {
    const std::vector<TextCase> inC = {
        {"k[1] - y[1]", "-1"},
        {"-y[1]", "-1"},
        {"y[1] - y[1]", ""},
        {"y[1]+y[1]", "2"},
        {"y[1]+k[1]*y[1]", "1 + k[1]"},
        {"y[1]-2*y[1]", "-1"},
        {"y[1]-k[1]*y[1]", "1 - k[1]"},
        {"k[1]*y[1]-k[2]*y[1]", "k[1] - k[2]"},
        {"k[1]-y[1]*y[1]", "-(y[1] + y[1])"},
        {"k[1]-(y[1]+y[1]*y[1])", "-(1 + y[1] + y[1])"},
        {"-(y[1]*k[1])", "-k[1]"},
        {"k[1]-k[2]*y[1]", "-k[2]"},
    };
    expect_derivatives(inC, true);
}

TEST(MakeDiffTest, Quotients) {
    const std::vector<TextCase> inC = {
        {"y[1]/k[1]", "1/k[1]"},
        {"k[1]/y[1]", "-k[1]/pow(y[1], 2)"},
        {"y[1]/(y[1] + k[1])", "((y[1] + k[1]) - y[1])/pow((y[1] + k[1]), 2)"},
        {"y[1]/2", "0.5"},
        {"y[1]/3", "0.333333"},
        {"1/y[1]", "-1/pow(y[1], 2)"},
        {"(1-3)/y[1]", "2/pow(y[1], 2)"},
        {"k[1]/(-y[1])", "k[1]/pow((-y[1]), 2)"},
        {"y[1]/y[1]", "(y[1] - y[1])/pow(y[1], 2)"},
        {"(-y[1])/y[1]", "(-y[1] - (-y[1]))/pow(y[1], 2)"},
        {"y[1]*y[1]/k[1]", "(y[1] + y[1])/k[1]"},
    };
    expect_derivatives(inC, true);
    EXPECT_EQ(derivative("k[1]/y[1]", "y[1]", false), "-k[1]/(y[1]^2)");
}

TEST(MakeDiffTest, PowersInBothNotations) {
    const std::vector<TextCase> inC = {
        {"y[1]^2", "2*y[1]"},
        {"y[1]^3", "3*pow(y[1], 2)"},
        {"y[1]^k[1]", "k[1]*pow(y[1], k[1] - 1)"},
        {"k[1]^y[1]", "log(k[1])*pow(k[1], y[1])"},
        {"y[1]^y[1]", "log(y[1])*pow(y[1], y[1]) + y[1]*pow(y[1], y[1] - 1)"},
        {"(2*y[1])^3", "6*pow((2*y[1]), 2)"},
        {"y[1]^(1-3)", "-2*pow(y[1], -3)"},
        {"y[1]^0.5", "0.5*pow(y[1], -0.5)"},
        {"2^y[1]", "log(2)*pow(2, y[1])"},
        {"k[1]^(2*y[1])", "2*log(k[1])*pow(k[1], (2*y[1]))"},
        {"k[1]^(-y[1])", "-log(k[1])*pow(k[1], (-y[1]))"},
        {"(y[1]+k[1])^2", "2*(y[1] + k[1])"},
        {"(y[1]*y[1])^k[1]", "(y[1] + y[1])*k[1]*pow((y[1]*y[1]), k[1] - 1)"},
    };
    expect_derivatives(inC, true);
    const std::vector<TextCase> withCaret = {
        {"y[1]^3", "3*(y[1]^2)"},
        {"y[1]^k[1]", "k[1]*(y[1]^(k[1] - 1))"},
        {"k[1]^y[1]", "log(k[1])*(k[1]^y[1])"},
        {"y[1]^y[1]", "log(y[1])*y[1]^y[1] + y[1]*y[1]^(y[1] - 1)"},
        {"y[1]^(1-3)", "-2*(y[1]^-3)"},
    };
    expect_derivatives(withCaret, false);
}

TEST(MulTest, DropsZeroAndUnitFactors) {
    struct Case {
        ClassedText a, b, expected;
    };
    const std::vector<Case> cases = {
        {{"", TEXT_ZERO}, {"x", TEXT_NAME}, {"", TEXT_ZERO}},
        {{"x", TEXT_NAME}, {"", TEXT_ZERO}, {"", TEXT_ZERO}},
        {{"2", TEXT_NUMBER}, {"3", TEXT_NUMBER}, {"6", TEXT_NUMBER}},
        {{"1", TEXT_NUMBER}, {"x", TEXT_NAME}, {"x", TEXT_PRODUCT}},
        {{"-1", TEXT_NUMBER}, {"x", TEXT_NAME}, {"-x", TEXT_SUM}},
        {{"2", TEXT_NUMBER}, {"x", TEXT_NAME}, {"2*x", TEXT_PRODUCT}},
        {{"(-2)", TEXT_NUMBER}, {"x", TEXT_NAME}, {"(-2)*x", TEXT_SUM}},
        {{"x", TEXT_NAME}, {"1", TEXT_NUMBER}, {"x", TEXT_PRODUCT}},
        {{"x", TEXT_NAME}, {"(-1)", TEXT_NUMBER}, {"-x", TEXT_SUM}},
        {{"x", TEXT_NAME}, {"(-2)", TEXT_NUMBER}, {"x*((-2))", TEXT_SUM}},
        {{"x", TEXT_NAME}, {"2", TEXT_NUMBER}, {"x*2", TEXT_PRODUCT}},
        {{"x", TEXT_NAME}, {"y", TEXT_NAME}, {"x*y", TEXT_PRODUCT}},
        {{"1e+300", TEXT_NUMBER}, {"1e+300", TEXT_NUMBER}, {"1e+300*1e+300", TEXT_PRODUCT}},
    };
    for (const Case& c : cases) {
        Derivative out = mul(Derivative{GrowText(c.a.text), c.a.textClass}, c.b);
        EXPECT_EQ(out.text.view(), c.expected.text) << c.a.text << " * " << c.b.text;
        EXPECT_EQ(out.textClass, c.expected.textClass) << c.a.text << " * " << c.b.text;
    }
}

// Two numbers under one operator never leave the printer; by a "variable" that is a number
// text they reach the rules that refuse them.
TEST(MakeDiffTest, NumbersOnBothSidesAreAnInternalError) {
    LogCapture log;
    EXPECT_EQ(Make_diff(node_with('*', "2", "2", OPERAND_NUMBER), "2", true), -1);
    EXPECT_EQ(log.take(),
              "## Never come here!! str1='2', str2='2' in mult.\n#  operation :'*'.\n"
              "## Error in Make_diff.\n");
    ExprNode* root = node_with('+', "1", "", OPERAND_NUMBER);
    attach(root, node_with('/', "2", "2", OPERAND_NUMBER), true);
    EXPECT_EQ(Make_diff(root, "2", true), -1);
    EXPECT_EQ(log.take(),
              "## Never come here!! str1='2', str2='2' in divide.\n#  operation :'/'.\n"
              "## Error in Make_diff.\n#  operation :'+'.\n## Error in Make_diff.\n");
}

TEST(MakeDiffTest, ReplacesTheDerivativeOfAnEarlierVariable) {
    ExprNode* root = nullptr;
    ASSERT_EQ(Make_node(&root, "y[1]*y[2]+k[1]*y[1]"), 0);
    ASSERT_EQ(Set_expr(root, true), 0);
    ASSERT_EQ(Make_diff(root, "y[1]", true), 0);
    EXPECT_EQ(root->diffText, "y[2] + k[1]");
    EXPECT_EQ(root->diffClass, TEXT_SUM);
    ASSERT_EQ(Make_diff(root, "y[2]", true), 0);
    EXPECT_EQ(root->diffText, "y[1]");
    EXPECT_EQ(root->right->diffText, "");
    EXPECT_EQ(root->right->diffClass, TEXT_ZERO);
    ASSERT_EQ(Make_diff(root, "y[3]", true), 0);
    EXPECT_EQ(root->diffText, "");
}

// A temporary that is one operand leaves an operator-less node in the tree; it stands for that
// operand, so products with it keep their derivative.
TEST(MakeDiffTest, ASubstitutedSingleOperandIsNoZeroFactor) {
    const std::vector<TextCase> cases = {
        {"y[1]*m", "(k[1])"},
        {"y[1]/m", "1/(k[1])"},
        {"m*y[1]", "(k[1])"},
        {"y[1]^m", "(k[1])*pow(y[1], (k[1]) - 1)"},
    };
    for (const TextCase& c : cases) {
        ExprNode* root = substituted(c.text, "m", "k[1]");
        ASSERT_NE(root, nullptr);
        ASSERT_EQ(Set_expr(root, true), 0);
        ASSERT_EQ(Make_diff(root, "y[1]", true), 0);
        EXPECT_EQ(root->diffText, c.expected) << c.text << " printed " << root->text;
    }
}

TEST(MakeDiffTest, TextsBeyond32766CharactersAreKeptWhole) {
    const std::string longName = "k[" + std::string(40000, '3') + "]";
    EXPECT_EQ(derivative("y[1]*" + longName, "y[1]"), longName);
    EXPECT_EQ(derivative(longName + "^y[1]", "y[1]"),
              "log(" + longName + ")*pow(" + longName + ", y[1])");
    // A balanced sum of 16,384 products: the derivative is long and complete.
    std::string text = "k[1]*y[1]";
    for (int level = 0; level < 14; ++level) text = "(" + text + ")+(" + text + ")";
    std::string d = derivative(text, "y[1]");
    EXPECT_GT(d.size(), 100000u);
    EXPECT_EQ(d.substr(0, 20), "k[1] + k[1] + k[1] +");
    EXPECT_EQ(d.substr(d.size() - 7), " + k[1]");
}

}  // namespace
