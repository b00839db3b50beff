// The CSV writer and the gnuplot script.
#include <gtest/gtest.h>

#include "csv_writer.h"
#include "plot.h"
#include "test_support.h"

namespace kinesim {
namespace {

using zymorax::testkit::LogCapture;
using zymorax::testkit::read_file;
using zymorax::testkit::TempDir;

TEST(CsvWriter, WritesTheHeaderOfTagsAndRowsOfTenDigits) {
    TempDir dir;
    CsvWriter csv;
    ASSERT_EQ(csv.open(dir.file("out.csv"), {"A.cyt", "Kin:Sub,2", "q\"x"}), 0);
    ASSERT_EQ(csv.write_row(0.0, {1.0, 1.0 / 3.0, 1e-7}), 0);
    ASSERT_EQ(csv.write_row(2.5, {0.0, 123456789012.0, -2.0}), 0);
    ASSERT_EQ(csv.close(), 0);
    EXPECT_EQ(read_file(dir.file("out.csv")),
              "time,A.cyt,\"Kin:Sub,2\",\"q\"\"x\"\n"
              "0,1,0.3333333333,1e-007\n"
              "2.5,0,1.23456789e+011,-2\n");
}

TEST(CsvWriter, ReportsAFileThatCannotBeWritten) {
    TempDir dir;
    CsvWriter csv;
    LogCapture log;
    EXPECT_EQ(csv.open(dir.file("no/such/folder.csv"), {"A"}), -1);
    EXPECT_EQ(log.take(), "Cannot open " + dir.file("no/such/folder.csv") +
                              " for writing: No such file or directory\n");
}

TEST(Plot, ScriptDrawsEveryColumnAgainstTime) {
    EXPECT_EQ(plot_script("it's.csv", 3, "out.png", "Upper glycolysis"),
              "set terminal pngcairo size 1000,640 noenhanced\n"
              "set output 'out.png'\n"
              "set datafile separator ','\n"
              "set title 'Upper glycolysis'\n"
              "set xlabel 'time'\nset ylabel 'amount'\nset grid\n"
              "set key outside right top autotitle columnhead\n"
              "plot for [i=2:4] 'it''s.csv' using 1:i with lines lw 2\n");
    std::string many = plot_script("a.csv", 1000, "b.png", "T");
    EXPECT_NE(many.find("set key off\n"), std::string::npos);
    EXPECT_NE(many.find("plot for [i=2:1001] 'a.csv' using 1:i with lines lw 2 notitle\n"),
              std::string::npos);
}

}  // namespace
}  // namespace kinesim
