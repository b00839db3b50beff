#include "param_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "file_replace.h"
#include "test_support.h"

namespace zymorax {
namespace {

using testkit::read_file;
using testkit::TempDir;
using testkit::write_file;

// Lines come whole, however long, and the rows give back the file byte for byte.
TEST(ReadParamRows, ReadsEveryLineWholeAndKeepsEveryByte) {
    TempDir dir;
    std::string longComment = "# " + std::string(70000, 'c') + "Y_START;1;2;A\t#\n";
    std::string content = "# head\r\n" + longComment + "\nPARAM;k;1;;;0;D;;;; t\t#";
    write_file(dir.file("p.txt"), content);
    std::vector<ParamRow> rows;
    ASSERT_EQ(read_param_rows(dir.file("p.txt"), rows), ReadOutcome::Read);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].text(), longComment);
    EXPECT_EQ(rows[1].type(), RowType::Comment);
    EXPECT_EQ(rows[3].line_number(), 4);
    EXPECT_EQ(rows[3].tag(), "t");
    EXPECT_EQ(param_file_text(rows), content);
}

size_t entries_in(const std::string& folder) {
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

mode_t mode_of(const std::string& path) {
    struct stat status;
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

bool write_text(FILE* out, const char* text) {
    return std::fputs(text, out) >= 0;
}

TEST(ReplaceFile, ReplacesTheContentAndKeepsThePermissions) {
    TempDir dir;
    std::string path = dir.file("p.txt");
    write_file(path, "old content that is longer than the new one\n");
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ReplaceFailure failure;
    ASSERT_TRUE(replace_file(
        path, [](FILE* out) { return write_text(out, "new\r\n"); }, false, failure));
    EXPECT_EQ(read_file(path), "new\r\n");
    EXPECT_EQ(mode_of(path), 0640u);
    EXPECT_EQ(entries_in(dir.path()), 1u);  // no temporary file is left behind

    // A symbolic link keeps pointing at the rewritten file.
    ASSERT_EQ(symlink("p.txt", dir.file("link.txt").c_str()), 0);
    ASSERT_TRUE(replace_file(
        dir.file("link.txt"), [](FILE* out) { return write_text(out, "x"); }, false, failure));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.txt")));
    EXPECT_EQ(read_file(path), "x");
}

TEST(ReplaceFile, AMissingTargetIsCreatedOnlyWhenAllowed) {
    TempDir dir;
    ReplaceFailure failure;
    auto fill = [](FILE* out) { return write_text(out, "fitted\n"); };
    EXPECT_FALSE(replace_file(dir.file("new.txt"), fill, false, failure));
    EXPECT_EQ(failure.step, ReplaceFailure::Open);
    EXPECT_FALSE(replace_file(dir.file("gone/new.txt"), fill, true, failure));
    EXPECT_EQ(failure.step, ReplaceFailure::Open);
    EXPECT_EQ(entries_in(dir.path()), 0u);

    mode_t mask = umask(022);
    bool created = replace_file(dir.file("new.txt"), fill, true, failure);
    umask(mask);
    ASSERT_TRUE(created);
    EXPECT_EQ(read_file(dir.file("new.txt")), "fitted\n");
    EXPECT_EQ(mode_of(dir.file("new.txt")), 0644u);
}

TEST(StagedFile, ReplacesTheTargetOnlyOnCommit) {
    TempDir dir;
    std::string path = dir.file("model.dae");
    write_file(path, "a good earlier conversion\n");
    {
        StagedFile staged;
        ASSERT_TRUE(staged.open(path));
        write_text(staged.stream(), "half of a refused one");
    }  // neither committed nor kept: the old file stays, the temporary goes
    EXPECT_EQ(read_file(path), "a good earlier conversion\n");
    EXPECT_EQ(entries_in(dir.path()), 1u);

    StagedFile staged;
    ASSERT_TRUE(staged.open(path));
    write_text(staged.stream(), "new\n");
    ReplaceFailure failure;
    ASSERT_TRUE(staged.commit(failure));
    EXPECT_EQ(read_file(path), "new\n");
    EXPECT_EQ(entries_in(dir.path()), 1u);
    EXPECT_FALSE(staged.open(dir.path()));  // a folder is no target
}

TEST(StagedFile, ADeviceIsWrittenInPlaceNeverReplaced) {
    StagedFile staged;
    ASSERT_TRUE(staged.open("/dev/null"));
    write_text(staged.stream(), "discarded");
    ReplaceFailure failure;
    EXPECT_TRUE(staged.commit(failure));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));

    ASSERT_TRUE(staged.open("/dev/full"));
    write_text(staged.stream(), "more than a full disk takes");
    EXPECT_FALSE(staged.commit(failure));
    EXPECT_EQ(failure.step, ReplaceFailure::Write);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

}  // namespace
}  // namespace zymorax
