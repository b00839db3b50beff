#include "header_block.h"

#include <gtest/gtest.h>

#include "symcode_test_support.h"

namespace {

using symcode_test::WorkDir;
using symcode_test::written_by;
using zymorax::testkit::LogCapture;

TEST(CheckCcomment, BreaksEveryCommentMarkerUpToTheLengthLimit) {
    const std::pair<std::string, std::string> cases[] = {
        {"a */ b /* c\n", "a *_/ b /_* c\n"},
        {"x/*/y", "x/_*_/y"},
        {"a * / b // c", "a * / b // c"},
        {"**//", "**_//"},
        {std::string(kMaxCommentLength, 'a'), std::string(kMaxCommentLength, 'a')},
    };
    for (const auto& [line, expected] : cases) {
        std::string safe;
        EXPECT_TRUE(checkCcomment(line, safe)) << line;
        EXPECT_EQ(safe, expected);
    }
    LogCapture log;
    std::string safe;
    EXPECT_FALSE(checkCcomment(std::string(kMaxCommentLength - 1, 'a') + "*/", safe));
    EXPECT_EQ(log.take(), "#  Too long!! leng=65536, Max=65536\n## Error in checkCcomment.\n");
}

std::string header_of(bool cNotation, bool matlab) {
    int result = 0;
    std::string written =
        written_by([&](FILE* out) { return write_header_block(out, cNotation, matlab); }, &result);
    return result == 0 ? written : "failed: " + written;
}

TEST(HeaderBlock, CopiesTheModelSectionInEachCommentStyle) {
    WorkDir dir;
    dir.write("head.tmp", "TITLE:a */ b\nINFO:50%\n");
    EXPECT_EQ(header_of(true, false), "/*\n * TITLE:a *_/ b\n * INFO:50%\n */\n");
    EXPECT_EQ(header_of(false, true), "% TITLE:a */ b\n% INFO:50%\n");
    EXPECT_EQ(header_of(false, false), "# TITLE:a */ b\n# INFO:50%\n");
}

TEST(HeaderBlock, FailsWithoutTheModelSectionFile) {
    WorkDir dir;
    LogCapture log;
    EXPECT_EQ(header_of(true, false), "failed: /*\n");
    EXPECT_EQ(log.take(), "#  Cannot open head.tmp\n");
}

}  // namespace
