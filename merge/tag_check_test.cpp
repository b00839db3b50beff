#include "tag_check.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;

std::vector<ParamRow> rows_of(const std::vector<std::string>& lines) {
    std::vector<ParamRow> rows;
    for (const std::string& line : lines) {
        ParamRow row;
        EXPECT_EQ(split_param_row(line, row), 0) << line;
        rows.push_back(row);
    }
    return rows;
}

TEST(CheckTags, DistinctTagsPass) {
    LogCapture log;
    EXPECT_EQ(check_tags(rows_of({"Y_START ;   1;  1;  A\t#\n", "PARAM;k;1;1;;0;D;;;; B\t#\n",
                                  "# A\n", "PARAM_NAME ;A               #\n"})),
              0);
    EXPECT_EQ(log.take(), "");
}

TEST(CheckTags, AYStartAndAParamRowWithTheSameTagClash) {
    LogCapture log;
    EXPECT_EQ(check_tags(rows_of(
                  {"Y_START ;   1;  1;  A\t#\r\n", "# x\n", "PARAM;k;1;1;;0;D;;;;A \t# other\n"})),
              -1);
    EXPECT_EQ(log.take(),
              "tag dupplication:\n\tY_START ;   1;  1;  A\t#\n\tPARAM;k;1;1;;0;D;;;;A \t# other\n");
}

TEST(CheckTags, ReportsTheEarliestRowThatHasATwin) {
    LogCapture log;
    EXPECT_EQ(check_tags(rows_of({"PARAM;k;1;1;;0;D;;;; a\t#1\n", "PARAM;k;2;1;;0;D;;;; b\t#2\n",
                                  "PARAM;k;3;1;;0;D;;;; b\t#3\n", "PARAM;k;4;1;;0;D;;;; a\t#4\n",
                                  "PARAM;k;5;1;;0;D;;;; a\t#5\n"})),
              -1);
    EXPECT_EQ(log.take(),
              "tag dupplication:\n\tPARAM;k;1;1;;0;D;;;; a\t#1\n\tPARAM;k;4;1;;0;D;;;; a\t#4\n");
}

TEST(CheckTags, RowsWithoutATagIdentifyNothing) {
    LogCapture log;
    EXPECT_EQ(check_tags(rows_of({"PARAM;k;1;1;;0;D;;;; \t#\n", "PARAM;k;2;1;;0;D;;;; \t#\n"})), 0);
    EXPECT_EQ(log.take(), "");
}

}  // namespace
}  // namespace valfuse
