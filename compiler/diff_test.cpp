#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diff_rules.h"
#include "expr_node.h"
#include "expr_testing.h"
#include "test_support.h"

namespace {

using expr_testing::derivative;
using zymorax::testkit::LogCapture;

struct DiffCase {
    std::string text;
    std::string expected;
};

void expect_derivatives(const std::vector<DiffCase>& cases, bool cNotation,
                        const std::string& variable = "y[1]") {
    for (const DiffCase& c : cases) {
        EXPECT_EQ(derivative(c.text, variable, cNotation), c.expected) << c.text;
    }
}

TEST(MakeDiffTest, ProductsAndLeaves) {
    expect_derivatives({{"y[1]", "1"},
                        {"k[1]", ""},
                        {"k[1]*y[1]", "k[1]"},
                        {"y[1]*y[1]", "y[1] + y[1]"},
                        {"2*y[1]", "2"},
                        {"y[1]*(1-3)", "-2"},
                        {"(y[1]*y[1])*k[1]", "(y[1] + y[1])*k[1]"},
                        {"k[2]*y[3]", ""},
                        {"y[10]*y[1]", "y[10]"}},
                       true);
}

TEST(MakeDiffTest, SumsDifferencesAndUnaryMinus) {
    expect_derivatives({{"k[1] - y[1]", "-1"},
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
                        {"k[1]-k[2]*y[1]", "-k[2]"}},
                       true);
}

TEST(MakeDiffTest, Quotients) {
    expect_derivatives({{"y[1]/k[1]", "1/k[1]"},
                        {"k[1]/y[1]", "-k[1]/pow(y[1], 2)"},
                        {"y[1]/(y[1] + k[1])", "((y[1] + k[1]) - y[1])/pow((y[1] + k[1]), 2)"},
                        {"y[1]/2", "0.5"},
                        {"y[1]/3", "0.333333"},
                        {"1/y[1]", "-1/pow(y[1], 2)"},
                        {"(1-3)/y[1]", "2/pow(y[1], 2)"},
                        {"k[1]/(-y[1])", "k[1]/pow((-y[1]), 2)"},
                        {"y[1]/y[1]", "(y[1] - y[1])/pow(y[1], 2)"},
                        {"(-y[1])/y[1]", "(-y[1] - (-y[1]))/pow(y[1], 2)"},
                        {"y[1]*y[1]/k[1]", "(y[1] + y[1])/k[1]"}},
                       true);
    EXPECT_EQ(derivative("k[1]/y[1]", "y[1]", false), "-k[1]/(y[1]^2)");
}

TEST(MakeDiffTest, PowersInBothNotations) {
    expect_derivatives({{"y[1]^2", "2*y[1]"},
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
                        {"(y[1]*y[1])^k[1]", "(y[1] + y[1])*k[1]*pow((y[1]*y[1]), k[1] - 1)"}},
                       true);
    expect_derivatives({{"y[1]^3", "3*(y[1]^2)"},
                        {"y[1]^k[1]", "k[1]*(y[1]^(k[1] - 1))"},
                        {"k[1]^y[1]", "log(k[1])*(k[1]^y[1])"},
                        {"y[1]^y[1]", "log(y[1])*y[1]^y[1] + y[1]*y[1]^(y[1] - 1)"},
                        {"y[1]^(1-3)", "-2*(y[1]^-3)"}},
                       false);
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
        ClassedText out = mul(c.a, c.b);
        EXPECT_EQ(out.text, c.expected.text) << c.a.text << " * " << c.b.text;
        EXPECT_EQ(out.textClass, c.expected.textClass) << c.a.text << " * " << c.b.text;
    }
}

ExprNode* number_node(char op, const std::string& left, const std::string& right) {
    ExprNode* node = new_expr_node();
    node->op = op;
    node->priority = (op == '+' || op == '-') ? 1 : 2;
    node->leftText = left;
    node->leftKind = OPERAND_NUMBER;
    node->rightText = right;
    node->rightKind = OPERAND_NUMBER;
    return node;
}

// Two numbers under one operator never leave the printer; by a "variable" that is a number
// text they reach the rules that refuse them.
TEST(MakeDiffTest, NumbersOnBothSidesAreAnInternalError) {
    LogCapture log;
    EXPECT_EQ(Make_diff(number_node('*', "2", "2"), "2", true), -1);
    EXPECT_EQ(log.take(),
              "## Never come here!! str1='2', str2='2' in mult.\n#  operation :'*'.\n"
              "## Error in Make_diff.\n");
    ExprNode* quotient = number_node('/', "2", "2");
    ExprNode* root = number_node('+', "1", "");
    root->rightText.clear();
    root->right = quotient;
    quotient->parent = root;
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
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"y[1]*m", "(k[1])"},
        {"y[1]/m", "1/(k[1])"},
        {"m*y[1]", "(k[1])"},
        {"y[1]^m", "(k[1])*pow(y[1], (k[1]) - 1)"},
    };
    for (const auto& [text, expected] : cases) {
        ExprNode* root = nullptr;
        ASSERT_EQ(Make_node(&root, text), 0);
        ExprNode* sub = nullptr;
        ASSERT_EQ(Make_node(&sub, "k[1]"), 0);
        bool right = root->rightText == "m";
        (right ? root->rightText : root->leftText).clear();
        (right ? root->right : root->left) = sub;
        sub->parent = root;
        ASSERT_EQ(Set_expr(root, true), 0);
        ASSERT_EQ(Make_diff(root, "y[1]", true), 0);
        EXPECT_EQ(root->diffText, expected) << text << " printed " << root->text;
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
