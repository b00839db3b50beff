#include "merge_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;

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
    ASSERT_EQ(parse({"-Rdir/old param.txt", "-Ia", "-Ib"}, plain), 0);
    EXPECT_EQ(plain.targetPath, "b");
    EXPECT_EQ(plain.referencePath, "dir/old param.txt");
    EXPECT_FALSE(plain.blanksOnly);
}

TEST(ParseMergeOptions, RefusesUnknownSwitchesAndMissingPaths) {
    LogCapture log;
    MergeOptions options;
    EXPECT_EQ(parse({"-Ia", "-Rb", "-x"}, options), -1);
    EXPECT_EQ(log.take(), "Invalid argument !!\n");
    EXPECT_EQ(parse({"-Ia", "-", "-Rb"}, options), -1);
    EXPECT_EQ(log.take(), "Invalid argument !!\n");
    MergeOptions missing;
    EXPECT_EQ(parse({"-Ia", "-B"}, missing), -1);
    EXPECT_EQ(log.take(), "Too few arguments !!\n");
    MergeOptions empty;
    EXPECT_EQ(parse({"-I", "-Rb"}, empty), -1);
    EXPECT_EQ(log.take(), "Too few arguments !!\n");
}

TEST(ParseMergeOptions, PathsOf260CharactersOrMoreAreRefused) {
    LogCapture log;
    MergeOptions options;
    std::string longest(259, 'p');
    ASSERT_EQ(parse({"-I" + longest, "-Rb"}, options), 0);
    EXPECT_EQ(options.targetPath, longest);
    std::string too_long(260, 'q');
    EXPECT_EQ(parse({"-Ia", "-R" + too_long}, options), -1);
    EXPECT_EQ(log.take(),
              "Too long path (259 characters at most):\n\t" + too_long + "\nInvalid argument !!\n");
}

}  // namespace
}  // namespace valfuse
