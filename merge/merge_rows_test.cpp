#include "merge_rows.h"

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

std::vector<std::string> lines_of(const std::vector<ParamRow>& rows) {
    std::vector<std::string> lines;
    for (const ParamRow& row : rows) lines.push_back(row.line);
    return lines;
}

TEST(RebuildRow, YStartValueIsWrittenWithThreeExponentDigitsAndTheRestAsRead) {
    std::vector<ParamRow> rows =
        rows_of({"Y_START ;   1; 1.0000e+000;  A.cyt\t#\n", "  Y_START\t;01;x;  B \r\n"});
    rebuild_row(rows[0], 0.5);
    EXPECT_EQ(rows[0].line, "Y_START ;   1; 5.0000e-001;  A.cyt\t#\n");
    EXPECT_EQ(rows[0].value, " 5.0000e-001");
    rebuild_row(rows[1], -1.25e-7);
    EXPECT_EQ(rows[1].line, "  Y_START\t;01;-1.2500e-007;  B \r\n");
}

TEST(RebuildRow, ParamValueIsWrittenWithG) {
    std::vector<ParamRow> rows =
        rows_of({"PARAM   ;ka            ;   1;            ;;0;D;;;; tagA\t#\n",
                 "PARAM;k;2;1;7;0;R;c;0.1;10;t # Not Used!!\r\n", "PARAM;k;3;1;;0;D;;;;t3"});
    rebuild_row(rows[0], 2.5e-3);
    EXPECT_EQ(rows[0].line, "PARAM   ;ka            ;   1;      0.0025;;0;D;;;; tagA\t#\n");
    rebuild_row(rows[1], 1e-5);
    EXPECT_EQ(rows[1].line, "PARAM;k;2;      1e-005;7;0;R;c;0.1;10;t # Not Used!!\r\n");
    rebuild_row(rows[2], 123456789.0);
    EXPECT_EQ(rows[2].line, "PARAM;k;3;  1.235e+008;;0;D;;;;t3");
}

TEST(ParseValue, AcceptsWholeNumbersOnly) {
    double value = 0;
    EXPECT_TRUE(parse_value(" 1.0000e+000 ", value));
    EXPECT_EQ(value, 1.0);
    EXPECT_TRUE(parse_value("\t-2.5E-003\r\n", value));
    EXPECT_EQ(value, -2.5e-3);
    EXPECT_TRUE(parse_value("7", value));
    EXPECT_EQ(value, 7.0);
    for (const char* text : {"", "            ", "abc", "1.5abc", "1,5", "nan", "inf", "1e999"}) {
        EXPECT_FALSE(parse_value(text, value)) << text;
    }
}

TEST(MergeRows, CopiesValuesByTypeAndTag) {
    LogCapture log;
    std::vector<ParamRow> target = rows_of(
        {"# header\n", "Y_START ;   1; 1.0000e+000;  A\t#\n", "Y_START ;   2;            ;  B\t#\n",
         "PARAM   ;k             ;   1;            ;;0;D;;;; B\t#\n",
         "PARAM   ;k             ;   2;            ;;0;D;;;; new\t#\n"});
    std::vector<ParamRow> reference =
        rows_of({"PARAM;x;9;  3;;0;D;;;;A\t#\n",  // type differs
                 "Y_START ;   7; 2.0000e+000;  B\t#\n",
                 "PARAM   ;k             ;   5;   0.5;;0;D;;;;  B\t# c\n",
                 "PARAM;k;1;4;;0;D;;;;gone\t#\n"});
    EXPECT_EQ(merge_rows(target, reference, false), 2u);
    EXPECT_EQ(
        lines_of(target),
        (std::vector<std::string>{"# header\n", "Y_START ;   1; 1.0000e+000;  A\t#\n",
                                  "Y_START ;   2; 2.0000e+000;  B\t#\n",
                                  "PARAM   ;k             ;   1;         0.5;;0;D;;;; B\t#\n",
                                  "PARAM   ;k             ;   2;            ;;0;D;;;; new\t#\n"}));
    EXPECT_EQ(log.take(), "");
}

TEST(MergeRows, BlanksOnlyFillsOnlyBlankValueFields) {
    std::vector<ParamRow> target =
        rows_of({"Y_START ;   1; 1.0000e+000;  A\t#\n", "Y_START ;   2;            ;  B\t#\n",
                 "PARAM;k;1;;;0;D;;;; C\t#\n"});
    std::vector<ParamRow> reference =
        rows_of({"Y_START;1;9;A\t#\n", "Y_START;2;8;B\t#\n", "PARAM;k;1;7;;0;D;;;;C\t#\n"});
    EXPECT_EQ(merge_rows(target, reference, true), 2u);
    EXPECT_EQ(lines_of(target),
              (std::vector<std::string>{"Y_START ;   1; 1.0000e+000;  A\t#\n",
                                        "Y_START ;   2; 8.0000e+000;  B\t#\n",
                                        "PARAM;k;1;           7;;0;D;;;; C\t#\n"}));
}

TEST(MergeRows, AReferenceValueThatIsNotANumberLeavesTheRowAndSaysSo) {
    LogCapture log;
    std::vector<ParamRow> target =
        rows_of({"Y_START ;   1; 1.0000e+000;  A\t#\n", "PARAM;k;1;   2;;0;D;;;; C\t#\n"});
    std::vector<ParamRow> reference =
        rows_of({"Y_START;1; two ;A\t#\n", "PARAM;k;1;;;0;D;;;;C\t#\n"});
    EXPECT_EQ(merge_rows(target, reference, false), 0u);
    EXPECT_EQ(lines_of(target), (std::vector<std::string>{"Y_START ;   1; 1.0000e+000;  A\t#\n",
                                                          "PARAM;k;1;   2;;0;D;;;; C\t#\n"}));
    EXPECT_EQ(log.take(),
              "Reference value \"two\" is not a number; Y_START A left unchanged.\n"
              "Reference value \"\" is not a number; PARAM C left unchanged.\n");
}

TEST(MergeRows, RowsWithoutATagAreNeitherFilledNorUsed) {
    std::vector<ParamRow> target = rows_of({"PARAM;k;1;;;0;D;;;; \t#\n"});
    std::vector<ParamRow> reference = rows_of({"PARAM;k;1;5;;0;D;;;; \t#\n"});
    EXPECT_EQ(merge_rows(target, reference, false), 0u);
    EXPECT_EQ(target[0].line, "PARAM;k;1;;;0;D;;;; \t#\n");
}

}  // namespace
}  // namespace valfuse
