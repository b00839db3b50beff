#include "param_row.h"

#include <gtest/gtest.h>

#include "rows_test_support.h"
#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;

TEST(SplitParamRow, ValueRowsKeepEveryFieldAsRead) {
    struct Case {
        const char* line;
        const char* fields;
    } cases[] = {
        {"Y_START ;   1; 1.0000e+000;  A.cyt\t# first\n",
         "Y_START |Y_START||   1| 1.0000e+000|||||||  A.cyt\t|A.cyt| first\n"},
        // eleven fields; the comment starts at the first '#'
        {"PARAM   ;ka            ;   2;   1;7;0;D;x;1;9; tagA\t# Not Used!! #2\r\n",
         "PARAM   |PARAM|ka            |   2|   1|7|0|D|x|1|9| tagA\t|tagA| Not Used!! #2\r\n"},
        // without '#' there is no comment and the line end stays in the tag text
        {"Y_START;1;2;  B \r\n", "Y_START|Y_START||1|2|||||||  B \r\n|B|<none>"},
        // blank fields trim to empty texts
        {" \tPARAM \t;k;1;            ;;;;;;; \t#\n",
         " \tPARAM \t|PARAM|k|1|            ||||||| \t||\n"},
    };
    LogCapture log;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ParamRow row;
        ASSERT_EQ(split_param_row(c.line, row), 0);
        EXPECT_EQ(row.line, c.line);
        EXPECT_EQ(fields_of(row), c.fields);
    }
    EXPECT_EQ(log.take(), "");
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
    EXPECT_EQ(fields_of(rows_of({"PARAM_NAME ;ka              #\n"})[0]),
              "PARAM_NAME |PARAM_NAME" + std::string(12, '|') + "<none>");
}

TEST(SplitParamRow, MalformedValueRowsAreReportedWithTheLine) {
    struct Case {
        std::string line;
        const char* log;
    } cases[] = {
        {"Y_START ;   1; 1.0\n", "Too few separators in line:\n\tY_START ;   1; 1.0\n"},
        {"Y_START ;1;2;A\t#;\n", "Too many separators in line:\n\tY_START ;1;2;A\t#;\n"},
        // a PARAM row cut after its tenth field, as an editor might leave it
        {"PARAM   ;k;   1;   1;;0;D;;;",
         "Too few separators in line:\n\tPARAM   ;k;   1;   1;;0;D;;;\n"},
        {"PARAM;k;1;1;;0;D;;;; t\t#;x\r\n",
         "Too many separators in line:\n\tPARAM;k;1;1;;0;D;;;; t\t#;x\n"},
        {std::string("Y_START;1;2;A\t#x\0y\n", 19),
         "NUL character in line:\n\tY_START;1;2;A\t#x\n"},
    };
    LogCapture log;
    for (const Case& c : cases) {
        ParamRow row;
        EXPECT_EQ(split_param_row(c.line, row), -1) << c.line;
        EXPECT_EQ(log.take(), c.log);
    }
    // The last field may be just the line end; an opaque line keeps even a NUL byte.
    ParamRow row;
    EXPECT_EQ(split_param_row("Y_START ;   1; 1.0;\n", row), 0);
    std::string opaque("# a\0b\n", 6);
    EXPECT_EQ(split_param_row(opaque, row), 0);
    EXPECT_EQ(row.line, opaque);
    EXPECT_EQ(log.take(), "");
}

}  // namespace
}  // namespace valfuse
