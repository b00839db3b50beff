#include "format.h"

#include <gtest/gtest.h>

#include <cmath>

using zymorax::format;

TEST(FormatTest, ExponentsHaveThreeDigits) {
    EXPECT_EQ(format("%g", 0.00001), "1e-005");
    EXPECT_EQ(format("%g", 1e6), "1e+006");
    EXPECT_EQ(format("%g", 1.5e-100), "1.5e-100");
    EXPECT_EQ(format("%e", 1.0), "1.000000e+000");
    EXPECT_EQ(format("%G", 2.5e-7), "2.5E-007");
    EXPECT_EQ(format("%g", 0.0001), "0.0001");
    EXPECT_EQ(format("%g", 123456789.0), "1.23457e+008");
}

TEST(FormatTest, WidthsApplyToTheWidenedText) {
    EXPECT_EQ(format("%12.4e", 0.5), " 5.0000e-001");
    EXPECT_EQ(format("%12.4e", 0.0), " 0.0000e+000");
    EXPECT_EQ(format("%12.4g", 0.0025), "      0.0025");
    EXPECT_EQ(format("%12.4g", 1.23456e-9), "  1.235e-009");
    EXPECT_EQ(format("%-12.4e|", -0.5), "-5.0000e-001|");
    EXPECT_EQ(format("%012.3e", -2.0), "-02.000e+000");
    EXPECT_EQ(format("%*g|", 8, 1e-5), "  1e-005|");
    EXPECT_EQ(format("%+g", 1e10), "+1e+010");
}

TEST(FormatTest, OtherConversionsBehaveLikePrintf) {
    EXPECT_EQ(format("%3d|%-4d|%04d", 7, 8, 9), "  7|8   |0009");
    EXPECT_EQ(format("%s[%d] = ; %s%s", "ka", 3, "binding", "_A.cyt"), "ka[3] = ; binding_A.cyt");
    EXPECT_EQ(format("%-14s;", "kx"), "kx            ;");
    EXPECT_EQ(format("%c%%%ld", 'x', 123456789012L), "x%123456789012");
    EXPECT_EQ(format("%.3s", "abcdef"), "abc");
    EXPECT_EQ(format("%lld %u %x", -5LL, 4000000000u, 255u), "-5 4000000000 ff");
    EXPECT_EQ(format("%f", 1e-5), "0.000010");
    EXPECT_EQ(format("%g", INFINITY), "inf");
}

TEST(FormatTest, PrintWritesToAStreamAndReportsAFailedWrite) {
    FILE* out = tmpfile();
    ASSERT_NE(out, nullptr);
    EXPECT_TRUE(zymorax::print(out, "x=%g\n", 1e-7));
    rewind(out);
    char buffer[32] = {};
    ASSERT_NE(fgets(buffer, sizeof buffer, out), nullptr);
    EXPECT_STREQ(buffer, "x=1e-007\n");
    fclose(out);

    FILE* full = fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    setvbuf(full, nullptr, _IONBF, 0);
    EXPECT_FALSE(zymorax::print(full, "%s", "anything"));
    fclose(full);
}
