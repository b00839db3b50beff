#include "param_file.h"

#include <gtest/gtest.h>

#include "rows_test_support.h"
#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;
using zymorax::testkit::TempDir;
using zymorax::testkit::write_file;

TEST(ReadParamFile, ReadsEveryLineInOrder) {
    TempDir dir;
    write_file(dir.file("p.txt"), "# head\r\nY_START ;   1;  1;  A\t#\n\nPARAM;k;1;;;0;D;;;; t\t#");
    std::vector<ParamRow> rows;
    ASSERT_EQ(read_param_file(dir.file("p.txt"), rows), 0);
    EXPECT_EQ(lines_of(rows), (std::vector<std::string>{"# head\r\n", "Y_START ;   1;  1;  A\t#\n",
                                                        "\n", "PARAM;k;1;;;0;D;;;; t\t#"}));
    EXPECT_EQ(rows[1].tag, "A");
    EXPECT_EQ(fields_of(rows[3]), "PARAM|PARAM|k|1|||0|D|||| t\t|t|");
}

TEST(ReadParamFile, ALineLongerThanTheBufferBecomesSeveralRowsThatRejoinUnchanged) {
    TempDir dir;
    std::string long_line = "Y_START ;   1;   2;  A\t#" + std::string(70000, 'c') + "\n";
    write_file(dir.file("long.txt"), long_line);
    std::vector<ParamRow> rows;
    ASSERT_EQ(read_param_file(dir.file("long.txt"), rows), 0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].line.size(), kMaxRowChars);
    EXPECT_EQ(rows[0].tag, "A");
    EXPECT_FALSE(is_value_row(rows[1]));
    EXPECT_EQ(rows[0].line + rows[1].line, long_line);
}

TEST(ReadParamFile, ReportsFilesThatCannotBeOpenedOrRead) {
    LogCapture log;
    TempDir dir;
    std::vector<ParamRow> rows;
    EXPECT_EQ(read_param_file(dir.file("missing.txt"), rows), -1);
    EXPECT_EQ(log.take(), "Can't open " + dir.file("missing.txt") + " for reading.\n");
    // A folder opens for reading but every read fails.
    EXPECT_EQ(read_param_file(dir.path(), rows), -1);
    EXPECT_EQ(log.take(), "Can't read parameters. (file = " + dir.path() + ")\n");
}

}  // namespace
}  // namespace valfuse
