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

TEST(ReadExportEntries, EventRowsDoNotEndTheReadButTheNextOtherRowDoes) {
    TempDir dir;
    std::vector<ExportEntry> entries;
    write_file(dir.file("p.txt"),
               repeated(1023, "\n") + "T_EVENT;a;1;2;3;\nT_EVENT;b;1;2;3;\n# next\n# not read\n");
    EXPECT_FALSE(read_export_entries(dir.file("p.txt"), entries));
    ASSERT_EQ(entries.size(), 1026u);
    EXPECT_EQ(entries[1024].eventNumber, 2);
    EXPECT_EQ(entries.back().row.text(), "# next\n");
}

TEST(ReadExportEntries, MissingOrUnreadableInputFails) {
    TempDir dir;
    std::vector<ExportEntry> entries;
    EXPECT_FALSE(read_export_entries(dir.file("missing.txt"), entries));
    EXPECT_FALSE(read_export_entries(dir.path(), entries));
    EXPECT_TRUE(entries.empty());
}

}  // namespace
}  // namespace valscribe
