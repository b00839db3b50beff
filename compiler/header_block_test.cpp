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

TEST(ParamDeclarations, NumberTheUsedLabelsInTableOrder) {
    DaeModel model;
    model.paramLabels.resize(4);
    model.paramLabels[0].label = "constantPlayer";
    model.paramLabels[1].label = "ka";
    model.paramLabels[2].label = "kd";
    model.paramLabels[3].label = "f";
    model.paramLabels[0].used = model.paramLabels[2].used = model.paramLabels[3].used = 1;
    EXPECT_EQ(written_by([&](FILE* out) {
                  write_param_declarations(out, model, false);
                  write_param_declarations(out, model, true);
                  return 0;
              }),
              "\tdouble *constantPlayer\t= p->val[1];\n"
              "\tdouble *kd\t= p->val[2];\n"
              "\tdouble *f\t= p->val[3];\n"
              "\tconstantPlayer_len = length(p.constantPlayer);\n"
              "\tfor i=1:1:constantPlayer_len\n"
              "\t\tconstantPlayer(i) = p.constantPlayer(i).value;\n"
              "\tend\n"
              "\tkd_len = length(p.kd);\n\tfor i=1:1:kd_len\n\t\tkd(i) = p.kd(i).value;\n\tend\n"
              "\tf_len = length(p.f);\n\tfor i=1:1:f_len\n\t\tf(i) = p.f(i).value;\n\tend\n");
}

}  // namespace
