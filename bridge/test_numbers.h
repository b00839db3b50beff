// The record of the test class bridgetest.Numbers and its descriptor: every member kind the
// bridge supports, with widths other than the catalogue's (an int stored in 8 bytes).
#pragma once

#include <cstddef>
#include <cstdint>

#include "records.h"
#include "zymorax_formula.h"

namespace bridge_test {

#pragma pack(push, 1)
struct Numbers_t {
    char text[16];
    uint8_t flag;
    int8_t b;
    int16_t s;
    int32_t i;
    int64_t wide;  // a Java int kept in 8 bytes
    int64_t l;
    uint8_t flags[3];
    int8_t bytes[4];
    int16_t shorts[2];
    int32_t ints[3];
    int64_t longs[2];
    int32_t refs_n;
    JSpecieReference_t* refs;
    JSpecieAttribute_t attr;
};
#pragma pack(pop)

#define BRIDGE_TEST_MEMBER(field, kind, length, count, element)                               \
    MemberDescriptor {                                                                         \
        #field, kind, static_cast<int32_t>(sizeof(Numbers_t::field)),                          \
            static_cast<int32_t>(offsetof(Numbers_t, field)), length, count, element           \
    }

inline const MemberDescriptor kNumbersMembers[] = {
    BRIDGE_TEST_MEMBER(text, MEMBER_STRING, 0, "", ""),
    BRIDGE_TEST_MEMBER(flag, MEMBER_BOOLEAN, 0, "", ""),
    BRIDGE_TEST_MEMBER(b, MEMBER_BYTE, 0, "", ""),
    BRIDGE_TEST_MEMBER(s, MEMBER_SHORT, 0, "", ""),
    BRIDGE_TEST_MEMBER(i, MEMBER_INT, 0, "", ""),
    BRIDGE_TEST_MEMBER(wide, MEMBER_INT, 0, "", ""),
    BRIDGE_TEST_MEMBER(l, MEMBER_LONG, 0, "", ""),
    BRIDGE_TEST_MEMBER(flags, MEMBER_BOOLEAN_ARRAY, 3, "", ""),
    BRIDGE_TEST_MEMBER(bytes, MEMBER_BYTE_ARRAY, 4, "", ""),
    BRIDGE_TEST_MEMBER(shorts, MEMBER_SHORT_ARRAY, 2, "", ""),
    BRIDGE_TEST_MEMBER(ints, MEMBER_INT_ARRAY, 3, "", ""),
    BRIDGE_TEST_MEMBER(longs, MEMBER_LONG_ARRAY, 2, "", ""),
    BRIDGE_TEST_MEMBER(refs_n, MEMBER_INT, 0, "", ""),
    BRIDGE_TEST_MEMBER(refs, MEMBER_OBJECT_ARRAY, 0, "refs_n", "jp/co/vorn/quendra/JSpecieReference"),
    BRIDGE_TEST_MEMBER(attr, MEMBER_OBJECT, 0, "", "jp/co/vorn/quendra/JSpecieAttribute"),
};

#undef BRIDGE_TEST_MEMBER

inline const ClassDescriptor kNumbers = {
    "bridgetest/Numbers", 0, sizeof kNumbersMembers / sizeof kNumbersMembers[0],
    sizeof(Numbers_t), kNumbersMembers};

// kNumbers with other members, to try faulty or unsupported ones.
template <size_t N>
ClassDescriptor numbers_with(const MemberDescriptor (&members)[N]) {
    ClassDescriptor descriptor = kNumbers;
    descriptor.members = members;
    descriptor.memberCount = static_cast<int32_t>(N);
    return descriptor;
}

}  // namespace bridge_test
