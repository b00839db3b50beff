// Records into new Java objects: text normalisation, every member kind and the failure paths.
#include <cstring>
#include <string>

#include "test_jvm.h"
#include "test_numbers.h"

namespace {

using bridge_test::catalogue;
using bridge_test::kNumbers;
using bridge_test::kNumbersMembers;
using bridge_test::Numbers_t;

// The elements of a Java primitive array (empty for null). A free function: GCC's vptr check
// misreads a pointer-to-member call made inside a member function of the fixture.
template <typename Array, typename Element>
std::vector<Element> elements(JNIEnv* env, jobject array,
                              void (JNIEnv::*getter)(Array, jsize, jsize, Element*)) {
    if (array == nullptr) return {};
    std::vector<Element> values(static_cast<size_t>(env->GetArrayLength(static_cast<Array>(array))));
    (env->*getter)(static_cast<Array>(array), 0, static_cast<jsize>(values.size()), values.data());
    return values;
}

using ConvertC2j = bridge_test::JvmTest;

TEST_F(ConvertC2j, TextEndsAtItsFirstZeroByteOrTheFieldEndWithoutTrailingBlanks) {
    JCompartment_t record{};
    std::memcpy(record.name, "AB  \0X", 6);
    std::memset(record.volume, ' ', sizeof record.volume);  // full of blanks, no zero byte
    std::memcpy(record.volume, "2.0", 3);
    jobject object = nullptr;
    ASSERT_EQ(JU_convert_c2j(env, catalogue("JCompartment"), &record, &object), 0);
    EXPECT_EQ(get_text(object, "name"), "AB");
    EXPECT_EQ(get_text(object, "volume"), "2.0");
    // The caller's record is normalised in place.
    EXPECT_EQ(std::string(record.name, sizeof record.name), "AB" + std::string(254, '\0'));
    EXPECT_EQ(std::string(record.volume, sizeof record.volume), "2.0" + std::string(29, '\0'));

    // A full field without a terminator gives all its bytes.
    std::memset(record.name, 'n', sizeof record.name);
    std::memset(record.volume, 0, sizeof record.volume);
    ASSERT_EQ(JU_convert_c2j(env, catalogue("JCompartment"), &record, &object), 0);
    EXPECT_EQ(get_text(object, "name"), std::string(256, 'n'));
    EXPECT_EQ(get_text(object, "volume"), "");
}

TEST_F(ConvertC2j, EveryMemberKind) {
    JSpecieReference_t refs[2] = {};
    refs[0].specieID = 5;
    std::memcpy(refs[0].name, "five", 4);
    refs[1].specieID = 6;
    Numbers_t record{};
    std::memcpy(record.text, "hello", 5);
    record.flag = 7;  // any non-zero value is true
    record.b = -3;
    record.s = -400;
    record.i = 99;
    record.wide = 0x100000002LL;  // an int keeps the low 32 bits
    record.l = -9000000000LL;
    record.flags[1] = 1;
    record.bytes[3] = -8;
    record.shorts[0] = 1234;
    record.ints[2] = -77;
    record.longs[1] = 1LL << 40;
    record.refs_n = 2;
    record.refs = refs;
    record.attr.totalAmount = 1;

    jobject object = nullptr;
    ASSERT_EQ(JU_convert_c2j(env, &kNumbers, &record, &object), 0);
    jclass type = env->GetObjectClass(object);
    EXPECT_EQ(get_text(object, "text"), "hello");
    EXPECT_TRUE(env->GetBooleanField(object, env->GetFieldID(type, "flag", "Z")));
    EXPECT_EQ(env->GetByteField(object, env->GetFieldID(type, "b", "B")), -3);
    EXPECT_EQ(env->GetShortField(object, env->GetFieldID(type, "s", "S")), -400);
    EXPECT_EQ(get_int(object, "i"), 99);
    EXPECT_EQ(get_int(object, "wide"), 2);
    EXPECT_EQ(env->GetLongField(object, env->GetFieldID(type, "l", "J")), -9000000000LL);
    EXPECT_EQ(elements(env, get_object(object, "flags", "[Z"), &JNIEnv::GetBooleanArrayRegion),
              (std::vector<jboolean>{0, 1, 0}));
    EXPECT_EQ(elements(env, get_object(object, "bytes", "[B"), &JNIEnv::GetByteArrayRegion),
              (std::vector<jbyte>{0, 0, 0, -8}));
    EXPECT_EQ(elements(env, get_object(object, "shorts", "[S"), &JNIEnv::GetShortArrayRegion),
              (std::vector<jshort>{1234, 0}));
    EXPECT_EQ(elements(env, get_object(object, "ints", "[I"), &JNIEnv::GetIntArrayRegion),
              (std::vector<jint>{0, 0, -77}));
    EXPECT_EQ(elements(env, get_object(object, "longs", "[J"), &JNIEnv::GetLongArrayRegion),
              (std::vector<jlong>{0, 1LL << 40}));
    EXPECT_EQ(describe(get_object(object, "refs", "[Ljp/co/vorn/quendra/JSpecieReference;")),
              "[JSpecieReference{compartment=0, name=\"five\", specieID=5, stoichiometry=\"\"}, "
              "JSpecieReference{compartment=0, name=\"\", specieID=6, stoichiometry=\"\"}]");
    jobject attr = get_object(object, "attr", "Ljp/co/vorn/quendra/JSpecieAttribute;");
    ASSERT_NE(attr, nullptr);
    EXPECT_EQ(get_int(attr, "totalAmount"), 1);
    EXPECT_EQ(get_text(attr, "initialAmount"), "");
}

TEST_F(ConvertC2j, NoCountOrNoBlockLeavesTheConstructorsValue) {
    JSpecieReference_t ref{};
    Numbers_t record{};
    record.refs_n = 0;
    record.refs = &ref;
    jobject object = nullptr;
    ASSERT_EQ(JU_convert_c2j(env, &kNumbers, &record, &object), 0);
    EXPECT_EQ(get_object(object, "refs", "[Ljp/co/vorn/quendra/JSpecieReference;"), nullptr);

    record.refs_n = 4;
    record.refs = nullptr;
    ASSERT_EQ(JU_convert_c2j(env, &kNumbers, &record, &object), 0);
    EXPECT_EQ(get_object(object, "refs", "[Ljp/co/vorn/quendra/JSpecieReference;"), nullptr);
}

TEST_F(ConvertC2j, FailuresHandBackNoObject) {
    Numbers_t record{};
    jobject untouched = reinterpret_cast<jobject>(&record);
    jobject object = untouched;

    MemberDescriptor words[] = {{"words", MEMBER_STRING_ARRAY, 8, 16, 0, "", ""}};
    ClassDescriptor withWords = bridge_test::numbers_with(words);
    EXPECT_EQ(JU_convert_c2j(env, &withWords, &record, &object), -1);
    EXPECT_FALSE(env->ExceptionCheck());

    MemberDescriptor refs[] = {kNumbersMembers[13]};
    refs[0].countField = "refs_count";  // no such member
    ClassDescriptor badCount = bridge_test::numbers_with(refs);
    EXPECT_EQ(JU_convert_c2j(env, &badCount, &record, &object), -1);

    ClassDescriptor unknown = kNumbers;
    unknown.className = "bridgetest/NoSuchClass";
    EXPECT_EQ(JU_convert_c2j(env, &unknown, &record, &object), -1);
    EXPECT_EQ(take_exception(), "java.lang.NoClassDefFoundError");
    EXPECT_EQ(object, untouched);
}

}  // namespace
