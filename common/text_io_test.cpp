#include "text_io.h"

#include <gtest/gtest.h>

#include "test_support.h"

using namespace zymorax;

TEST(TextIoTest, ReadsLinesWithTheirEndsAndTheLastLineWithout) {
    testkit::TempDir dir;
    testkit::write_file(dir.file("a.txt"), "one\r\ntwo\n\nlast");
    FILE* in = fopen(dir.file("a.txt").c_str(), "r");
    ASSERT_NE(in, nullptr);
    std::string line;
    std::vector<std::string> lines;
    while (read_line(in, line)) lines.push_back(line);
    fclose(in);
    EXPECT_EQ(lines, (std::vector<std::string>{"one\r\n", "two\n", "\n", "last"}));
}

TEST(TextIoTest, TrimsBlanksTabsAndLineEnds) {
    EXPECT_EQ(trim("  PARAM \t\r\n"), "PARAM");
    EXPECT_EQ(trim(" \t "), "");
    EXPECT_EQ(trim("a b"), "a b");
    EXPECT_EQ(without_line_end("tag\t#\r\n"), "tag\t#");
    EXPECT_EQ(without_line_end("x"), "x");
}

TEST(TextIoTest, NumbersMustFillTheWholeField) {
    double value = 0;
    EXPECT_TRUE(parse_number("\t-2.5E-003\r\n", value));
    EXPECT_EQ(value, -2.5e-3);
    for (const char* text : {"", "            ", "1.5abc", "1,5", "nan", "inf", "1e999", "0x10",
                             "0x1p-3", "-0X1", "1 2", "e5", ".", "1e"}) {
        EXPECT_FALSE(parse_number(text, value)) << text;
    }
    int number = 0;
    EXPECT_TRUE(parse_whole_number("  012 ", number));
    EXPECT_EQ(number, 12);
    EXPECT_TRUE(parse_whole_number("999999999", number));
    for (const char* text : {"", "1000000000", "-1", "+1", "1.0", "1 2", "x"}) {
        EXPECT_FALSE(parse_whole_number(text, number)) << text;
    }
}
