// The gnuplot script (the CSV file is checked by case folders of tests/cases/kinesim).
#include <gtest/gtest.h>

#include "plot.h"

namespace kinesim {
namespace {

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
