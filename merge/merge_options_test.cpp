#include "merge_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace valfuse {
namespace {

// Parses a command line given without the program name.
int parse(std::vector<std::string> args, MergeOptions& options) {
    args.insert(args.begin(), "valfuse");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    return parse_merge_options(static_cast<int>(args.size()), argv.data(), options);
}

TEST(ParseMergeOptions, ReadsPathsAndBlanksOnlyModeAnywhere) {
    MergeOptions options;
    ASSERT_EQ(parse({"-B", "loose", "-Inew.txt", "-Rold.txt"}, options), 0);
    EXPECT_EQ(options.targetPath, "new.txt");
    EXPECT_EQ(options.referencePath, "old.txt");
    EXPECT_TRUE(options.blanksOnly);

    MergeOptions plain;
    ASSERT_EQ(parse({"-Rdir/old param.txt", "-Ia", "-I" + std::string(259, 'p')}, plain), 0);
    EXPECT_EQ(plain.targetPath, std::string(259, 'p'));  // the last -I wins; 259 is the limit
    EXPECT_EQ(plain.referencePath, "dir/old param.txt");
    EXPECT_FALSE(plain.blanksOnly);
}

TEST(ParseMergeOptions, RefusesUnknownSwitchesMissingPathsAndLongPaths) {
    const std::string too_long(260, 'q');
    struct Case {
        std::vector<std::string> args;
        std::string log;
    } cases[] = {
        {{"-Ia", "-Rb", "-x"}, "Invalid argument !!\n"},
        {{"-Ia", "-", "-Rb"}, "Invalid argument !!\n"},
        {{"-Ia", "-B"}, "Too few arguments !!\n"},
        {{"-I", "-Rb"}, "Too few arguments !!\n"},
        {{"-Ia", "-R" + too_long},
         "Too long path (259 characters at most):\n\t" + too_long + "\nInvalid argument !!\n"},
    };
    zymorax::testkit::LogCapture log;
    for (const Case& c : cases) {
        MergeOptions options;
        EXPECT_EQ(parse(c.args, options), -1) << c.log;
        EXPECT_EQ(log.take(), c.log);
    }
}

}  // namespace
}  // namespace valfuse
