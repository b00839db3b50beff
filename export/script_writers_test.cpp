#include <gtest/gtest.h>

#include <sstream>

#include "init_writer.h"
#include "param_writer.h"
#include "test_support.h"

namespace valscribe {
namespace {

using zymorax::testkit::read_file;
using zymorax::testkit::TempDir;

std::vector<ExportEntry> entries_of(const std::vector<std::string>& lines) {
    std::vector<ExportEntry> entries;
    for (const std::string& line : lines) {
        entries.push_back(ExportEntry{ParamRow(line, static_cast<int>(entries.size()) + 1), 0});
        EXPECT_TRUE(is_exportable(entries.back().row)) << line;
    }
    return entries;
}

std::string init_script(const std::vector<ExportEntry>& entries) {
    std::ostringstream out;
    write_init_script(out, entries);
    return out.str();
}

std::string param_script(const std::vector<ExportEntry>& entries) {
    std::ostringstream out;
    write_param_script(out, entries);
    return out.str();
}

TEST(InitScript, WritesEveryYStartRowWithItsTag) {
    auto entries =
        entries_of({"# Y_START;9;9;X\t#\n", "Y_START ;   1; 1.0000e+000;  A.cyt\t#\n",
                    "PARAM;k;1;1;;0;D;;;;t\t#\n", "Y_START ;  12;            ;  B.cyt\t#\r\n"});
    EXPECT_EQ(init_script(entries),
              "function [Y_START] = ZYMORAX_Merge_init()\n"
              "\tY_START(1).value = 1.0000e+000; % A.cyt\n"
              "\tY_START(1).tag = 'A.cyt';\n"
              "\tY_START(12).value = []; % B.cyt\n"
              "\tY_START(12).tag = 'B.cyt';\n"
              "end\n");
    EXPECT_EQ(init_script({}), "function [Y_START] = ZYMORAX_Merge_init()\nend\n");
}

TEST(ParamScript, WritesParametersWithValStartOnlyWhenGiven) {
    auto entries =
        entries_of({"PARAM   ;ka            ;   1;      0.0025;;0;D;;;; tagA\t#\n",
                    "PARAM   ;ka            ;   2;           1; 0.5 ;3;R;;;; tagB\t# Not Used!!\n",
                    "Y_START;1;2;A\t#\n"});
    EXPECT_EQ(param_script(entries),
              "function [param, event] = ZYMORAX_Merge_param()\n"
              "\tparam.ka(1).value = 0.0025;\n"
              "\tparam.ka(1).num_survey = 0;\n"
              "\tparam.ka(1).d_r_s = 'D';\n"
              "\tparam.ka(1).tag = 'tagA';\n"
              "\tparam.ka(2).value = 1;\n"
              "\tparam.ka(2).val_start = 0.5;\n"
              "\tparam.ka(2).num_survey = 3;\n"
              "\tparam.ka(2).d_r_s = 'R';\n"
              "\tparam.ka(2).tag = 'tagB';\n"
              "\tevent=-1;\n"
              "end\n");
}

TEST(ScriptFiles, AreWrittenOrReportFailure) {
    TempDir dir;
    auto entries = entries_of({"Y_START;1;2;A\t#\n"});
    ASSERT_TRUE(write_init_file(dir.file("i.m"), entries));
    EXPECT_EQ(read_file(dir.file("i.m")), init_script(entries));
    ASSERT_TRUE(write_param_file(dir.file("p.m"), entries));
    EXPECT_EQ(read_file(dir.file("p.m")), param_script(entries));
    EXPECT_FALSE(write_init_file(dir.file("no/i.m"), entries));
    EXPECT_FALSE(write_param_file(dir.file("no/p.m"), entries));
    // A device that is always full makes the write itself fail.
    EXPECT_FALSE(write_param_file("/dev/full", entries));
}

}  // namespace
}  // namespace valscribe
