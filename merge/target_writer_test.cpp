#include "target_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "rows_test_support.h"
#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;
using zymorax::testkit::read_file;
using zymorax::testkit::TempDir;
using zymorax::testkit::write_file;

size_t entries_in(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(WriteTarget, ReplacesTheContentAndKeepsThePermissions) {
    LogCapture log;
    TempDir dir;
    std::string path = dir.file("p.txt");
    write_file(path, "old content that is longer than the new one\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_EQ(write_target(path, rows_of({"# a\r\n", "Y_START;1;2;A\t#"})), 0);
    EXPECT_EQ(read_file(path), "# a\r\nY_START;1;2;A\t#");
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    EXPECT_EQ(entries_in(dir.path()), 1u);  // no temporary file is left behind
    EXPECT_EQ(log.take(), "");
    ASSERT_EQ(write_target(path, {}), 0);  // no rows: an empty file
    EXPECT_EQ(read_file(path), "");
}

TEST(WriteTarget, ASymbolicLinkKeepsPointingAtTheRewrittenFile) {
    TempDir dir;
    write_file(dir.file("real.txt"), "old\n");
    ASSERT_EQ(symlink("real.txt", dir.file("link.txt").c_str()), 0);
    ASSERT_EQ(write_target(dir.file("link.txt"), rows_of({"new\n"})), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(read_file(dir.file("real.txt")), "new\n");
}

TEST(WriteTarget, AMissingTargetIsReported) {
    LogCapture log;
    TempDir dir;
    EXPECT_EQ(write_target(dir.file("gone/p.txt"), rows_of({"x\n"})), -1);
    EXPECT_EQ(log.take(), "Can't open " + dir.file("gone/p.txt") + " for writing\n");
}

}  // namespace
}  // namespace valfuse
