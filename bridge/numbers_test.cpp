// Integers of 1, 2, 4 and 8 bytes inside records.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "zymorax_formula.h"

namespace {

TEST(Numbers, StoresTheLowBytesLittleEndian) {
    unsigned char record[16];
    std::memset(record, 0xAA, sizeof record);
    ASSERT_EQ(JU_setnum(record, 3, 4, 0x0102030405060708LL), 0);
    const unsigned char expected[] = {0xAA, 0xAA, 0xAA, 0x08, 0x07, 0x06, 0x05, 0xAA};
    EXPECT_EQ(std::memcmp(record, expected, sizeof expected), 0);

    ASSERT_EQ(JU_setnum(record, 0, 1, 0x1234), 0);
    EXPECT_EQ(record[0], 0x34);
    EXPECT_EQ(record[1], 0xAA);
    ASSERT_EQ(JU_setnum(record, 8, 8, -2), 0);
    for (int index = 0; index < 8; ++index) EXPECT_EQ(record[8 + index], index == 0 ? 0xFE : 0xFF);
}

TEST(Numbers, ReadsSignExtended) {
    unsigned char record[8];
    int64_t value = 0;
    std::memset(record, 0xFF, sizeof record);
    for (int width : {1, 2, 4, 8}) {
        ASSERT_EQ(JU_getnum(record, 0, width, &value), 0);
        EXPECT_EQ(value, -1) << width;
    }
    const unsigned char halfway[] = {0x00, 0x80, 0x7F, 0x00};
    ASSERT_EQ(JU_getnum(halfway, 0, 2, &value), 0);
    EXPECT_EQ(value, -32768);
    ASSERT_EQ(JU_getnum(halfway, 1, 2, &value), 0);
    EXPECT_EQ(value, 0x7F80);
    ASSERT_EQ(JU_getnum(halfway, 2, 1, &value), 0);
    EXPECT_EQ(value, 127);
}

TEST(Numbers, RoundTripsEveryWidth) {
    struct Case {
        int width;
        int64_t value;
    };
    for (const Case& c : {Case{1, -128}, Case{1, 127}, Case{2, -12345}, Case{4, INT32_MIN},
                          Case{4, 2000000000}, Case{8, INT64_MIN}, Case{8, INT64_MAX},
                          Case{8, 0x0123456789ABCDEFLL}}) {
        unsigned char record[12] = {};
        int64_t value = 0;
        ASSERT_EQ(JU_setnum(record, 2, c.width, c.value), 0);
        ASSERT_EQ(JU_getnum(record, 2, c.width, &value), 0);
        EXPECT_EQ(value, c.value) << "width " << c.width;
    }
}

TEST(Numbers, RefusesOtherWidthsAndMissingPlaces) {
    unsigned char record[16] = {};
    int64_t value = 42;
    for (int width : {0, 3, 5, 7, 16, -4}) {
        EXPECT_EQ(JU_setnum(record, 0, width, -1), -1) << width;
        EXPECT_EQ(JU_getnum(record, 0, width, &value), -1) << width;
    }
    EXPECT_EQ(value, 42);
    for (unsigned char byte : record) EXPECT_EQ(byte, 0);  // nothing written
    EXPECT_EQ(JU_setnum(nullptr, 0, 4, 1), -1);
    EXPECT_EQ(JU_getnum(nullptr, 0, 4, &value), -1);
    EXPECT_EQ(JU_getnum(record, 0, 4, nullptr), -1);
    EXPECT_EQ(JU_setnum(record, -1, 4, 1), -1);
}

}  // namespace
