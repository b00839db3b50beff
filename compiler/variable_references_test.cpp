#include "variable_references.h"

#include <gtest/gtest.h>

namespace {

void set_leaf(ExprNode& node, bool left, const std::string& text, int kind) {
    (left ? node.leftText : node.rightText) = text;
    (left ? node.leftKind : node.rightKind) = kind;
}

TEST(ReferencedColumns, DistinctAscendingAndOnlyWhatThePrintedTextShows) {
    // (y[12]*y[3]) - (k[1]*y[3]) + 1^y[2] printed without the folded y[2]
    ExprNode root, product, other, folded;
    root.op = '-';
    root.left = &product;
    root.right = &other;
    product.op = '*';
    set_leaf(product, true, "y[12]", OPERAND_NAME);
    set_leaf(product, false, "y[3]", OPERAND_NAME);
    other.op = '*';
    other.left = &folded;
    set_leaf(other, false, "y[3]", OPERAND_NAME);
    folded.op = '^';
    set_leaf(folded, true, "1", OPERAND_NUMBER);
    set_leaf(folded, false, "y[2]", OPERAND_NAME);
    const std::string printed = "y[12]*y[3] - 1*y[3]";
    EXPECT_EQ(referenced_columns(&root, printed), (std::vector<int>{3, 12}));
}

TEST(ReferencedColumns, IgnoresParametersNumbersAndTheRootFiller) {
    ExprNode root;
    set_leaf(root, true, "ky[1]", OPERAND_NAME);
    set_leaf(root, false, "0", OPERAND_ZERO);
    EXPECT_TRUE(referenced_columns(&root, "ky[1]").empty());
    EXPECT_TRUE(referenced_columns(nullptr, "").empty());
}

TEST(StateIndexOf, ReadsOnlyTheRewrittenForm) {
    EXPECT_EQ(state_index_of("y[7]"), 7);
    EXPECT_EQ(state_index_of("y[A.cyt]"), 0);
    EXPECT_EQ(state_index_of("x[7]"), 0);
    EXPECT_EQ(state_index_of("y[]"), 0);
    EXPECT_EQ(state_index_of("y[7]]"), 0);
}

}  // namespace
