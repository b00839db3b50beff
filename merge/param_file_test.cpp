#include "param_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;
using zymorax::testkit::TempDir;
using zymorax::testkit::write_file;

std::string lines_of(size_t count, const std::string& line) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += line;
    return text;
}

TEST(ReadParamFile, ReadsEveryLineInOrder) {
    TempDir dir;
    write_file(dir.file("p.txt"), "# head\r\nY_START ;   1;  1;  A\t#\n\nPARAM;k;1;;;0;D;;;; t\t#");
    std::vector<ParamRow> rows;
    ASSERT_EQ(read_param_file(dir.file("p.txt"), rows), 0);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].line, "# head\r\n");
    EXPECT_EQ(rows[1].tag, "A");
    EXPECT_EQ(rows[2].line, "\n");
    EXPECT_EQ(rows[3].tag, "t");
    EXPECT_EQ(*rows[3].comment, "");
}

TEST(ReadParamFile, HoldsAtMost1023Lines) {
    LogCapture log;
    TempDir dir;
    std::vector<ParamRow> rows;
    write_file(dir.file("full.txt"), lines_of(1023, "# comment\n"));
    EXPECT_EQ(read_param_file(dir.file("full.txt"), rows), 0);
    EXPECT_EQ(rows.size(), 1023u);
    // The 1024th line counts even without a line end.
    write_file(dir.file("over.txt"), lines_of(1023, "# comment\n") + "x");
    EXPECT_EQ(read_param_file(dir.file("over.txt"), rows), -1);
    EXPECT_EQ(log.take(), "Too many parameters.\n");
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

TEST(ReadParamFile, StopsAtAMalformedRow) {
    LogCapture log;
    TempDir dir;
    write_file(dir.file("bad.txt"), "# ok\nY_START ;   1;   2\nY_START ;   2;   2;  B\t#\n");
    std::vector<ParamRow> rows;
    EXPECT_EQ(read_param_file(dir.file("bad.txt"), rows), -1);
    EXPECT_EQ(log.take(), "Too few separators in line:\n\tY_START ;   1;   2\n");
}

}  // namespace
}  // namespace valfuse
