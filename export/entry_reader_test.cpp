#include "entry_reader.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace valscribe {
namespace {

using zymorax::testkit::TempDir;
using zymorax::testkit::write_file;

std::string repeated(size_t count, const std::string& line) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += line;
    return text;
}

std::vector<std::string> types_of(const std::vector<ExportEntry>& entries) {
    std::vector<std::string> types;
    for (const ExportEntry& entry : entries) types.push_back(entry.type);
    return types;
}

TEST(ReadExportEntries, ReadsAWholeFileInOrder) {
    TempDir dir;
    write_file(dir.file("p.txt"),
               "# c\r\nY_START;1;2;A\t#\r\nT_EVENT;e;1;2;3;\r\nPARAM;k;1;1;;0;D;;;;t\t#");
    std::vector<ExportEntry> entries;
    ASSERT_TRUE(read_export_entries(dir.file("p.txt"), entries));
    EXPECT_EQ(types_of(entries), (std::vector<std::string>{"# c", "Y_START", "T_EVENT", "PARAM"}));
    EXPECT_EQ(entries[2].eventNumber, 1);
}

TEST(ReadExportEntries, EventRowsDoNotEndTheReadButTheNextOtherRowDoes) {
    TempDir dir;
    std::vector<ExportEntry> entries;
    write_file(dir.file("p.txt"),
               repeated(1023, "\n") + "T_EVENT;a;1;2;3;\nT_EVENT;b;1;2;3;\n# next\n# not read\n");
    EXPECT_FALSE(read_export_entries(dir.file("p.txt"), entries));
    ASSERT_EQ(entries.size(), 1026u);
    EXPECT_EQ(entries[1024].eventNumber, 2);
    EXPECT_EQ(entries.back().type, "# next");
}

TEST(ReadExportEntries, MissingOrUnreadableInputFails) {
    TempDir dir;
    std::vector<ExportEntry> entries;
    EXPECT_FALSE(read_export_entries(dir.file("missing.txt"), entries));
    EXPECT_FALSE(read_export_entries(dir.path(), entries));
    EXPECT_TRUE(entries.empty());
}

TEST(ReadExportEntries, ALongLineIsReadInParts) {
    TempDir dir;
    write_file(dir.file("p.txt"), "Y_START;1;2;A\t#" + std::string(70000, 'x') + "\n");
    std::vector<ExportEntry> entries;
    ASSERT_TRUE(read_export_entries(dir.file("p.txt"), entries));
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].line.size(), kMaxLineChars);
    EXPECT_EQ(entries[0].tag, "A");
}

}  // namespace
}  // namespace valscribe
