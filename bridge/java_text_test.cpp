// Model texts between Java strings and MS932 record fields, and class names of Java objects.
// Record members are compared as values (unary plus): gtest would bind a reference to a packed,
// possibly misaligned member.
#include <cstring>
#include <string>

#include "records.h"
#include "test_jvm.h"
#include "zymorax_formula.h"

namespace {

using bridge_test::catalogue;

// "日本語のモデル" in UTF-8 and in MS932.
const char kJapaneseUtf8[] = "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x83\xA2"
                             "\xE3\x83\x87\xE3\x83\xAB";
const unsigned char kJapaneseMs932[] = {0x93, 0xFA, 0x96, 0x7B, 0x8C, 0xEA, 0x82,
                                        0xCC, 0x83, 0x82, 0x83, 0x66, 0x83, 0x8B};

class JavaText : public bridge_test::JvmTest {
protected:
    // A JCompartment with the given name converted with the given fill byte.
    JCompartment_t convert(const std::string& name, int fill) {
        jobject compartment = make("jp/co/vorn/quendra/JCompartment");
        set_int(compartment, "compartmentID", 3);
        set_text(compartment, "name", name);
        set_text(compartment, "volume", "1.5");
        JCompartment_t record;
        EXPECT_EQ(JU_convert_j2c(env, catalogue("JCompartment"), compartment, &record, fill), 0);
        return record;
    }
};

// A text fills its field and then the fill byte; a text too long for it fills the whole field
// without a terminator, and the next field is intact.
TEST_F(JavaText, TextIsFollowedByTheFillByteUpToTheFieldEnd) {
    std::string alphabet;
    for (int index = 0; index < 300; ++index) alphabet += static_cast<char>('a' + index % 26);
    struct Case {
        std::string text;
        int fill;
        std::string name, volume;
    } cases[] = {
        {alphabet, 0, alphabet.substr(0, 256), "1.5" + std::string(29, '\0')},
        {"cytosol", ' ', "cytosol" + std::string(249, ' '), "1.5" + std::string(29, ' ')},
        {"", '#', std::string(256, '#'), "1.5" + std::string(29, '#')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        JCompartment_t record = convert(c.text, c.fill);
        EXPECT_EQ(std::string(record.name, sizeof record.name), c.name);
        EXPECT_EQ(std::string(record.volume, sizeof record.volume), c.volume);
        EXPECT_EQ(+record.compartmentID, 3);
    }
    // A missing text leaves only fill bytes.
    jobject compartment = make("jp/co/vorn/quendra/JCompartment");
    set_object(compartment, "name", "Ljava/lang/String;", nullptr);
    JCompartment_t record;
    ASSERT_EQ(JU_convert_j2c(env, catalogue("JCompartment"), compartment, &record, 0), 0);
    EXPECT_EQ(std::string(record.name, sizeof record.name), std::string(256, '\0'));
}

TEST_F(JavaText, JapaneseTextRoundTripsThroughMs932) {
    JCompartment_t record = convert(kJapaneseUtf8, 0);
    EXPECT_EQ(std::memcmp(record.name, kJapaneseMs932, sizeof kJapaneseMs932), 0);
    EXPECT_EQ(+record.name[sizeof kJapaneseMs932], '\0');

    jobject back = nullptr;
    ASSERT_EQ(JU_convert_c2j(env, catalogue("JCompartment"), &record, &back), 0);
    EXPECT_EQ(get_text(back, "name"), kJapaneseUtf8);
    EXPECT_EQ(get_text(back, "volume"), "1.5");
    EXPECT_EQ(get_int(back, "compartmentID"), 3);
}

TEST_F(JavaText, ClassNameInJniPathFormCutToTheBuffer) {
    jobject pack = make("jp/co/vorn/quendra/JModelPack");
    char buffer[64];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(JU_obj2classname(env, pack, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "jp/co/vorn/quendra/JModelPack");
    ASSERT_EQ(JU_obj2classname(env, env->NewStringUTF("any"), buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "java/lang/String");

    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(JU_obj2classname(env, pack, buffer, 5), 0);
    EXPECT_EQ(std::string(buffer, 8), "jp/coxxx");  // five bytes, no terminator
    EXPECT_EQ(JU_obj2classname(env, nullptr, buffer, sizeof buffer), -1);
    EXPECT_EQ(JU_obj2classname(env, pack, nullptr, 8), -1);
    EXPECT_EQ(JU_obj2classname(env, pack, buffer, 0), -1);
}

}  // namespace
