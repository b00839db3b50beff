#include "line_splitters.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace {

using zymorax::testkit::LogCapture;

TEST(DivideLine, FieldsFollowTheLastSeparatorAndDropBlanks) {
    LineFields fields;
    ASSERT_EQ(divide_line(" k[1] =\t2.5e-3 ; tag A\n", fields), 0);
    EXPECT_EQ(fields.name, "k[1]");
    EXPECT_EQ(fields.value, "2.5e-3");
    EXPECT_EQ(fields.tail, "tagA");

    ASSERT_EQ(divide_line("a;b=c", fields), 0);
    EXPECT_EQ(fields.name, "a");
    EXPECT_EQ(fields.tail, "b");
    EXPECT_EQ(fields.value, "c");

    ASSERT_EQ(divide_line("label;\r\nignored=;", fields), 0);
    EXPECT_EQ(fields.name, "label");
    EXPECT_EQ(fields.value, "");
}

TEST(DivideLine, RejectsMissingAndRepeatedSeparators) {
    LogCapture log;
    LineFields fields;
    EXPECT_EQ(divide_line("a;b;", fields), -1);
    EXPECT_EQ(log.take(), "#  Duplication of ';'.\n## Error in divide_line.\n");
    EXPECT_EQ(divide_line("a=b=c;", fields), -1);
    EXPECT_EQ(log.take(), "#  Duplication of '='.\n## Error in divide_line.\n");
    EXPECT_EQ(divide_line("a=b\n;", fields), -1);
    EXPECT_EQ(log.take(), "#  Lack of ';'.\n## Error in divide_line.\n");
}

TEST(DivideVariable, SplitsBaseAndIndex) {
    std::string base, index;
    ASSERT_EQ(divide_variable("k[a-b]", base, index), 0);
    EXPECT_EQ(base, "k");
    EXPECT_EQ(index, "a-b");
    ASSERT_EQ(divide_variable("y[A.cyt]\nrest", base, index), 0);
    EXPECT_EQ(index, "A.cyt");
    ASSERT_EQ(divide_variable("[x]", base, index), 0);
    EXPECT_EQ(base, "");
}

TEST(DivideVariable, ReportsEachMalformedName) {
    LogCapture log;
    std::string base, index;
    const std::string warning = "## Warning!! in divide_variable.\n";
    EXPECT_EQ(divide_variable("a[b][c]", base, index), -1);
    EXPECT_EQ(log.take(), "#  Duplication of '['.\n" + warning);
    EXPECT_EQ(divide_variable("a[b]]", base, index), -1);
    EXPECT_EQ(log.take(), "#  Duplication of ']'.\n" + warning);
    EXPECT_EQ(divide_variable("a[b]cd\n", base, index), -1);
    EXPECT_EQ(log.take(), "#  'cd' behind ']' is an excessive character sequence.\n" + warning);
    EXPECT_EQ(divide_variable("rate", base, index), -1);
    EXPECT_EQ(log.take(), "#  Lack of '['.\n" + warning);
    EXPECT_EQ(divide_variable("a[b", base, index), -1);
    EXPECT_EQ(log.take(), "#  Lack of ']'.\n" + warning);
    EXPECT_EQ(divide_variable("a]b", base, index), -1);
    EXPECT_EQ(log.take(), "#  'b' behind ']' is an excessive character sequence.\n" + warning);
}

TEST(LeadingWholeNumber, ReadsLeadingDigitsOnly) {
    EXPECT_EQ(leading_whole_number("12ab"), 12);
    EXPECT_EQ(leading_whole_number("+3"), 0);
    EXPECT_EQ(leading_whole_number(""), 0);
    EXPECT_EQ(leading_whole_number("99999999999999999999"), 2147483647);
}

}  // namespace
