#include "line_splitters.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace {

using zymorax::testkit::LogCapture;

// The fields as "name|value|tail", or the log of a refusal.
std::string fields_of(const std::string& line) {
    LogCapture log;
    LineFields f;
    if (divide_line(line, f) != 0) return log.take();
    return f.name + "|" + f.value + "|" + f.tail;
}

// "base|index", or the log of a refusal.
std::string parts_of(const std::string& text) {
    LogCapture log;
    std::string base, index;
    if (divide_variable(text, base, index) != 0) return log.take();
    return base + "|" + index;
}

TEST(DivideLine, FieldsFollowTheLastSeparatorAndDropBlanks) {
    const std::string error = "## Error in divide_line.\n";
    const std::pair<std::string, std::string> cases[] = {
        {" k[1] =\t2.5e-3 ; tag A\n", "k[1]|2.5e-3|tagA"},
        {"a;b=c", "a|c|b"},
        {"label;\r\nignored=;", "label||"},
        {"a;b;", "#  Duplication of ';'.\n" + error},
        {"a=b=c;", "#  Duplication of '='.\n" + error},
        {"a=b\n;", "#  Lack of ';'.\n" + error},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(fields_of(line), expected) << line;
}

TEST(DivideVariable, SplitsBaseAndIndexOrReportsEachMalformedName) {
    const std::string warning = "## Warning!! in divide_variable.\n";
    const std::pair<std::string, std::string> cases[] = {
        {"k[a-b]", "k|a-b"},
        {"y[A.cyt]\nrest", "y|A.cyt"},
        {"[x]", "|x"},
        {"a[b][c]", "#  Duplication of '['.\n" + warning},
        {"a[b]]", "#  Duplication of ']'.\n" + warning},
        {"a[b]cd\n", "#  'cd' behind ']' is an excessive character sequence.\n" + warning},
        {"rate", "#  Lack of '['.\n" + warning},
        {"a[b", "#  Lack of ']'.\n" + warning},
        {"a]b", "#  'b' behind ']' is an excessive character sequence.\n" + warning},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(parts_of(text), expected) << text;
}

TEST(WholeNumber, ReadsDigitsOnly) {
    EXPECT_EQ(whole_number("12"), 12);
    EXPECT_EQ(whole_number("12ab"), 0);
    EXPECT_EQ(whole_number("+3"), 0);
    EXPECT_EQ(whole_number(""), 0);
    EXPECT_EQ(whole_number("99999999999999999999"), 2147483647);
}

}  // namespace
