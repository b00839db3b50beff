// The number texts the model reader hands the converter: every finite double, of random bit
// patterns and edge values printed by the test tool NumberTexts, reads back with "%lE" to exactly
// the same double and fits the converter's 31-character field.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "test_support.h"

namespace tk = zymorax::testkit;

TEST(NumberTexts, ReadBackExactly) {
    tk::RunResult run = tk::run_program(
        ZYMORAX_JAVA,
        {"-cp", tk::build_dir() + "/Tools/classes:" + ZYMORAX_PARSER_TEST_CLASSES,
         "-Djava.library.path=" + tk::build_dir() + "/Tools/lib", "NumberTexts", "20000"},
        tk::build_dir());
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.err, "");
    std::istringstream lines(run.out);
    size_t checked = 0;
    for (std::string line; std::getline(lines, line); ++checked) {
        uint64_t bits = 0;
        char text[64] = {0};
        ASSERT_EQ(std::sscanf(line.c_str(), "%" SCNx64 " %63s", &bits, text), 2) << line;
        EXPECT_LE(std::strlen(text), 31u) << line;
        double value = 0.0;
        ASSERT_EQ(std::sscanf(text, "%lE", &value), 1) << line;
        uint64_t readBits = 0;
        std::memcpy(&readBits, &value, sizeof value);
        EXPECT_EQ(readBits, bits) << line;
    }
    EXPECT_GE(checked, 20000u);
}
