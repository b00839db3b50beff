// What no DAE file reaches: node stores that run out, node operations in states the builder
// never hands them, hand-made broken trees, texts and trees beyond what a DAE line can hold, and
// S-system parts that cannot be parsed again. Everything a DAE file reaches is checked by the
// case folders of tests/cases/symcode.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "expr_builder.h"
#include "expr_node.h"
#include "expr_store.h"
#include "ssystem_writer.h"
#include "test_support.h"

namespace {

using zymorax::testkit::LogCapture;
using zymorax::testkit::read_file;
using zymorax::testkit::TempDir;
using zymorax::testkit::write_file;

// A detached node "left op right" with name leaves.
ExprNode* node_with(char op, const std::string& left, const std::string& right,
                    int kind = OPERAND_NAME) {
    ExprNode* node = new_expr_node();
    node->op = op;
    node->priority = op == '+' || op == '-' ? 1 : op == '*' || op == '/' ? 2 : op == '^' ? 3 : 0;
    node->leftText = left;
    node->leftKind = left.empty() ? 0 : kind;
    node->rightText = right;
    node->rightKind = right.empty() ? 0 : kind;
    return node;
}

void attach(ExprNode* parent, ExprNode* child, bool right) {
    (right ? parent->right : parent->left) = child;
    child->parent = parent;
}

ExprNode* parsed(const std::string& text) {
    ExprNode* root = nullptr;
    EXPECT_EQ(Make_node(&root, text), 0) << text;
    return root;
}

std::string build_log(const std::string& text) {
    LogCapture log;
    ExprNode* root = nullptr;
    EXPECT_EQ(Make_node(&root, text), -1) << text;
    return log.take();
}

std::string build_failure(const std::string& text, const std::string& fault,
                          const std::string& rest, const std::string& token) {
    return fault + "#  in '" + text + "'\n#  just before '" + rest + "'\n#  token." + token +
           "\n## Error in Make_node.\n";
}

TEST(NodeStore, NodesThatCannotBeCreatedFailTheBuild) {
    const std::string noNode = "#  Cannot create node.\n";
    const struct {
        long budget;
        std::string text, fault, rest, token;
    } cases[] = {
        {0, "a", "#  Cannot create node at Make_node.\n", "a", "op = ''"},
        {1, "a+(b)", noNode + "## Error in add_emptyChild.\n", "b)", "op = '('"},
        {1, "a*b+c", noNode + "## Error in insert_parent.\n## Error in set_oprator.\n", "c",
         "op = '+'"},
        {1, "a+b*c", noNode + "## Error in insert_childNode.\n## Error in set_oprator.\n", "c",
         "op = '*'"},
    };
    for (const auto& c : cases) {
        set_expr_node_budget(c.budget);
        EXPECT_EQ(build_log(c.text), build_failure(c.text, c.fault, c.rest, c.token));
        set_expr_node_budget(-1);
    }
}

TEST(NodeOperations, RefuseStatesWithoutRoomForTheirStep) {
    LogCapture log;
    ExprNode* root = node_with(0, "a", "");
    root->open = 1;
    BuildState state{&root, root};
    Token name;
    name.kind = 'a';
    name.text = "x";
    EXPECT_EQ(add_emptyChild(state), -1);
    EXPECT_EQ(set_operand(state, name), -1);
    EXPECT_EQ(log.take(),
              "#  Have no operator but it have left-node.\n## Error in add_emptyChild.\n"
              "#  charL must be NULL : setting operand & op=NULL.\n## Error in set_operand.\n");

    root = node_with('+', "a", "b");
    state = BuildState{&root, root};
    EXPECT_EQ(add_emptyChild(state), -1);
    EXPECT_EQ(set_operand(state, name), -1);
    EXPECT_EQ(close_bracket(state), -1);
    EXPECT_EQ(log.take(),
              "#  Have operator but it have right-node.\n## Error in add_emptyChild.\n"
              "#  charR must be NULL : setting operand & have op.\n## Error in set_operand.\n"
              "#  No '(' is open for this ')'.\n");

    ExprNode* stray = node_with('*', "c", "d");
    stray->parent = root;  // the parent does not hold it
    state = BuildState{&root, stray};
    EXPECT_EQ(insert_parent(state, stray, '-', 1), -1);
    root = node_with('+', "a", "");
    state = BuildState{&root, root};
    EXPECT_EQ(set_oprator(state, '*', 2), -1);
    EXPECT_EQ(log.take(),
              "#  Cannot find parent.\n## Error in insert_parent.\n"
              "#  charR is expected before making new node.\n## Error in set_oprator.\n");
}

TEST(NodeOperations, InsertParentPassesTheOpenMarkOnAndDelNodePromotesTheLeftSubtree) {
    ExprNode* root = node_with('*', "a", "b");
    root->open = 1;
    BuildState state{&root, root};
    ASSERT_EQ(insert_parent(state, root, '+', 1), 0);
    EXPECT_EQ(root->op, '+');
    EXPECT_EQ(root->open, 1);
    EXPECT_EQ(root->left->open, 0);
    EXPECT_EQ(state.current, root);

    LogCapture log;
    root = node_with(0, "", "");
    state = BuildState{&root, root};
    EXPECT_EQ(del_node(state, root), -1);
    ExprNode* child = node_with('+', "a", "b");
    attach(root, child, false);
    root->rightText = "c";  // an operator-less node never holds this
    EXPECT_EQ(del_node(state, root), 0);
    EXPECT_EQ(log.take(),
              "#  Cann't find new current-node at del_node.\n## Never come here!! in del_node\n");
    EXPECT_EQ(root, child);
    EXPECT_EQ(child->parent, nullptr);
    EXPECT_EQ(state.current, child);
}

// Each level of the walk adds its line.
TEST(BrokenTrees, AreRefusedByThePrinterAndTheDerivative) {
    LogCapture log;
    ExprNode* root = node_with('*', "a", "");
    ExprNode* inner = node_with('+', "b", "c");
    attach(root, inner, true);
    inner->left = node_with('-', "d", "e");
    EXPECT_EQ(Set_expr(root, true), -1);
    inner->left = nullptr;
    inner->right = node_with('-', "d", "e");
    EXPECT_EQ(Set_expr(root, true), -1);
    const std::string levels = "#  operation :'+'.\n## Error in Set_expr.\n#  operation :'*'.\n"
                               "## Error in Set_expr.\n";
    EXPECT_EQ(log.take(), "#  Duplicate expressions.\n#  charL :b.\n#  exprL:.\n" + levels +
                              "#  Duplicate expressions.\n#  charR :c.\n#  exprR:.\n" + levels);
    EXPECT_EQ(Set_expr(node_with('*', "", "b"), true), -1);
    EXPECT_EQ(Set_expr(node_with('/', "a", ""), true), -1);
    EXPECT_EQ(Set_expr(parsed(""), true), -1);
    EXPECT_EQ(Set_expr(nullptr, true), -1);
    EXPECT_EQ(Make_diff(nullptr, "y[1]", true), -1);
    EXPECT_EQ(log.take(),
              "#  No left-side expression.\n#  operation :'*'.\n## Error in Set_expr.\n"
              "#  No right-side expression.\n#  operation :'/'.\n## Error in Set_expr.\n"
              "#  No left-side expression.\n#  operation :''.\n## Error in Set_expr.\n"
              "## Error in Set_expr.\n## Error in Make_diff.\n");

    // Two numbers under one operator never leave the printer; by a "variable" that is a number
    // text they reach the rules that refuse them.
    EXPECT_EQ(Make_diff(node_with('*', "2", "2", OPERAND_NUMBER), "2", true), -1);
    root = node_with('+', "1", "", OPERAND_NUMBER);
    attach(root, node_with('/', "2", "2", OPERAND_NUMBER), true);
    EXPECT_EQ(Make_diff(root, "2", true), -1);
    EXPECT_EQ(log.take(),
              "## Never come here!! str1='2', str2='2' in mult.\n#  operation :'*'.\n"
              "## Error in Make_diff.\n"
              "## Never come here!! str1='2', str2='2' in divide.\n#  operation :'/'.\n"
              "## Error in Make_diff.\n#  operation :'+'.\n## Error in Make_diff.\n");
}

// A balanced sum of 16,384 terms.
std::string balanced_sum(const std::string& term) {
    std::string text = term;
    for (int level = 0; level < 14; ++level) text = "(" + text + ")+(" + text + ")";
    return text;
}

TEST(LongTexts, ArePrintedAndDifferentiatedWhole) {
    const std::string longName = "k[" + std::string(70000, '7') + "]";
    ExprNode* root = parsed(longName + "*y[1]+" + longName);
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text, longName + "*y[1] + " + longName);
    ASSERT_EQ(Make_diff(root, "y[1]", true), 0);
    EXPECT_EQ(root->diffText, longName);
    root = parsed(longName + "^y[1]");
    ASSERT_EQ(Set_expr(root, true), 0);
    ASSERT_EQ(Make_diff(root, "y[1]", true), 0);
    EXPECT_EQ(root->diffText, "log(" + longName + ")*pow(" + longName + ", y[1])");

    root = parsed(balanced_sum("k[1]*y[1]"));
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text.size(), 16384u * 9 + (16384u - 1) * 3 + 2 * (16384u - 2));
    EXPECT_EQ(root->text.substr(0, 30), "(((((((((((((k[1]*y[1] + k[1]*");
    ASSERT_EQ(Make_diff(root, "y[1]", true), 0);
    EXPECT_EQ(root->diffText.size(), 16384u * 4 + (16384u - 1) * 3);
}

TEST(DeepTrees, ArePrintedAndDifferentiatedWithoutRecursion) {
    // x^1^1^...: a left chain 300,000 nodes deep whose every level prints as "x".
    std::string text = "x";
    for (int i = 0; i < 300000; ++i) text += "^1";
    ExprNode* root = parsed(text);
    ASSERT_EQ(Set_expr(root, true), 0);
    EXPECT_EQ(root->text, "x");
    ASSERT_EQ(Make_diff(root, "x", true), 0);
    EXPECT_EQ(root->diffText, "1");
}

// The G/H data of a part that prints a factor 0 (which only a hand-made leaf gives) cannot be
// parsed again: the equation and both parts are named.
// make_Sdata leaves its scratch files in the working folder.
class InFolder {
  public:
    explicit InFolder(const std::string& folder) : previous_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~InFolder() { std::filesystem::current_path(previous_); }

  private:
    std::filesystem::path previous_;
};

TEST(SsystemParts, APartThatCannotBeParsedAgainNamesTheEquation) {
    TempDir dir;
    InFolder inDir(dir.path());
    std::vector<ExprEntry> equations(2);
    const char* texts[] = {"k[1]", "zero*k[1] + y[1] - k[2]"};
    for (int i = 0; i < 2; ++i) {
        equations[i].tree = parsed(texts[i]);
        ASSERT_EQ(Set_expr(equations[i].tree, true), 0);
    }
    ExprNode* product = equations[1].tree->left->left;
    product->leftText = "0";
    product->leftKind = OPERAND_NUMBER;
    ASSERT_EQ(Set_expr(equations[1].tree, true), 0);
    const std::string scratch = dir.file("gh.txt");
    std::FILE* out = std::fopen(scratch.c_str(), "w");
    ASSERT_NE(out, nullptr);
    LogCapture log;
    KineticOrderCounts counts;
    EXPECT_EQ(make_Sdata(out, 2, equations, 0, true, false, counts), -1);
    std::fclose(out);
    EXPECT_EQ(read_file(scratch), "\tv_plus [  1] = k[1];\n");
    EXPECT_EQ(log.take(),
              "#  Invalid value expression.\n#  in '0*k[1]+y[1]'\n#  just before '*k[1]+y[1]'\n"
              "#  token.expr = ''\n## Error in Make_node.\n## Error in get_preGH.\n"
              "#  equation = '0*k[1] + y[1] - k[2]'\n#  V+ = '0*k[1]+y[1]', V- = 'k[2]'\n"
              "## Error in make_Sdata.\n");
}

// An S-system line far beyond a DAE line (a part with thousands of variables, whose Jacobian
// would be too large to generate here) is copied whole.
TEST(SsystemParts, ScratchLinesAreCopiedWhole) {
    TempDir dir;
    const std::string line = "fvec[  1] = kplus[1]" + std::string(100000, 'x') + ";\n";
    write_file(dir.file("s_fvec.tmp"), line + "fvec[  2] = kplus[2];\n");
    const std::string written = dir.file("ssys.c");
    std::FILE* out = std::fopen(written.c_str(), "w");
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(write_S_funcs(out, dir.file("s_fvec.tmp"), 0, false), 0);
    std::fclose(out);
    const std::string text = read_file(written);
    EXPECT_NE(text.find("\n\t" + line + "\tfvec[  2] = kplus[2];\n"), std::string::npos);
}

}  // namespace
