#include "param_row.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;

TEST(SplitParamRow, YStartKeepsEveryFieldAsRead) {
    LogCapture log;
    ParamRow row;
    ASSERT_EQ(split_param_row("Y_START ;   1; 1.0000e+000;  A.cyt\t# first\n", row), 0);
    EXPECT_EQ(row.line, "Y_START ;   1; 1.0000e+000;  A.cyt\t# first\n");
    EXPECT_EQ(row.typeField, "Y_START ");
    EXPECT_EQ(row.type, "Y_START");
    EXPECT_EQ(row.index, "   1");
    EXPECT_EQ(row.value, " 1.0000e+000");
    EXPECT_EQ(row.tagText, "  A.cyt\t");
    EXPECT_EQ(row.tag, "A.cyt");
    ASSERT_TRUE(row.comment.has_value());
    EXPECT_EQ(*row.comment, " first\n");
    EXPECT_EQ(log.take(), "");
}

TEST(SplitParamRow, ParamHasElevenFieldsAndTheCommentStartsAtTheFirstHash) {
    ParamRow row;
    ASSERT_EQ(split_param_row(
                  "PARAM   ;ka            ;   2;   1;7;0;D;x;1;9; tagA\t# Not Used!! #2\r\n", row),
              0);
    EXPECT_EQ(row.typeField, "PARAM   ");
    EXPECT_EQ(row.type, "PARAM");
    EXPECT_EQ(row.name, "ka            ");
    EXPECT_EQ(row.index, "   2");
    EXPECT_EQ(row.value, "   1");
    EXPECT_EQ(row.otherFields, (std::array<std::string, 6>{"7", "0", "D", "x", "1", "9"}));
    EXPECT_EQ(row.tagText, " tagA\t");
    EXPECT_EQ(row.tag, "tagA");
    EXPECT_EQ(*row.comment, " Not Used!! #2\r\n");
}

TEST(SplitParamRow, LastFieldWithoutHashHasNoCommentAndKeepsTheLineEndInTheTagText) {
    ParamRow row;
    ASSERT_EQ(split_param_row("Y_START;1;2;  B \r\n", row), 0);
    EXPECT_EQ(row.tagText, "  B \r\n");
    EXPECT_EQ(row.tag, "B");
    EXPECT_FALSE(row.comment.has_value());
}

TEST(SplitParamRow, BlankFieldsTrimToEmptyTexts) {
    ParamRow row;
    ASSERT_EQ(split_param_row(" \tPARAM \t;k;1;            ;;;;;;; \t#\n", row), 0);
    EXPECT_EQ(row.type, "PARAM");
    EXPECT_EQ(row.value, "            ");
    EXPECT_EQ(row.tag, "");
}

TEST(SplitParamRow, OtherLinesAreOpaque) {
    const char* lines[] = {"##### Model ################\n",
                           "#Y_START ; index; initial_value; tag #comment\n",
                           "N_VAR   ;   2; # num of variables(all)\n",
                           "PARAM_NAME ;ka              #\n",
                           "T_EVENT ; e; 1; 10; 2; #\n",
                           "\n",
                           "Y_STARTX;1;2;3;4;5\n",
                           ""};
    for (const char* line : lines) {
        ParamRow row;
        ASSERT_EQ(split_param_row(line, row), 0) << line;
        EXPECT_EQ(row.line, line);
        EXPECT_FALSE(is_value_row(row)) << line;
        EXPECT_EQ(row.tag, "");
        EXPECT_EQ(row.value, "");
    }
    ParamRow row;
    split_param_row("PARAM_NAME ;ka              #\n", row);
    EXPECT_EQ(row.typeField, "PARAM_NAME ");
    EXPECT_EQ(row.type, "PARAM_NAME");
}

TEST(SplitParamRow, WrongSeparatorCountsAreReportedWithTheLine) {
    LogCapture log;
    ParamRow row;
    EXPECT_EQ(split_param_row("Y_START ;   1; 1.0;\n", row), 0);  // the last field is "\n"
    EXPECT_EQ(split_param_row("Y_START ;   1; 1.0\n", row), -1);
    EXPECT_EQ(log.take(), "Too few separators in line:\n\tY_START ;   1; 1.0\n");
    EXPECT_EQ(split_param_row("Y_START ;1;2;A\t#;\n", row), -1);
    EXPECT_EQ(log.take(), "Too many separators in line:\n\tY_START ;1;2;A\t#;\n");
    // A PARAM row cut after its tenth field, as an editor might leave it.
    EXPECT_EQ(split_param_row("PARAM   ;k;   1;   1;;0;D;;;", row), -1);
    EXPECT_EQ(log.take(), "Too few separators in line:\n\tPARAM   ;k;   1;   1;;0;D;;;\n");
    EXPECT_EQ(split_param_row("PARAM;k;1;1;;0;D;;;; t\t#;x\r\n", row), -1);
    EXPECT_EQ(log.take(), "Too many separators in line:\n\tPARAM;k;1;1;;0;D;;;; t\t#;x\n");
}

TEST(SplitParamRow, NulBytesInValueRowsAreRefused) {
    LogCapture log;
    ParamRow row;
    EXPECT_EQ(split_param_row(std::string("Y_START;1;2;A\t#x\0y\n", 19), row), -1);
    EXPECT_EQ(log.take(), "NUL character in line:\n\tY_START;1;2;A\t#x\n");
    // An opaque line keeps every byte.
    std::string opaque("# a\0b\n", 6);
    EXPECT_EQ(split_param_row(opaque, row), 0);
    EXPECT_EQ(row.line, opaque);
}

}  // namespace
}  // namespace valfuse
