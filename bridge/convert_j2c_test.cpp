// Java objects into records: every member kind, widths, arrays and the failure paths.
// Record members are compared as values (unary plus): gtest would bind a reference to a packed,
// possibly misaligned member.
#include <cstring>
#include <string>

#include "test_jvm.h"
#include "test_numbers.h"

namespace {

using bridge_test::catalogue;
using bridge_test::kNumbers;
using bridge_test::kNumbersMembers;
using bridge_test::Numbers_t;

class ConvertJ2c : public bridge_test::JvmTest {
protected:
    jobject numbers() { return make("bridgetest/Numbers"); }

    void set_primitive(jobject object, const char* field, const char* signature, jlong value) {
        jfieldID id = env->GetFieldID(env->GetObjectClass(object), field, signature);
        ASSERT_NE(id, nullptr) << field;
        switch (signature[0]) {
            case 'Z': env->SetBooleanField(object, id, value != 0); break;
            case 'B': env->SetByteField(object, id, static_cast<jbyte>(value)); break;
            case 'S': env->SetShortField(object, id, static_cast<jshort>(value)); break;
            case 'I': env->SetIntField(object, id, static_cast<jint>(value)); break;
            default: env->SetLongField(object, id, value); break;
        }
    }

    jobject reference(jint id, const char* name) {
        jobject ref = make("jp/co/vorn/quendra/JSpecieReference");
        set_int(ref, "specieID", id);
        set_text(ref, "name", name);
        return ref;
    }

    void set_refs(jobject object, jint count, std::initializer_list<jobject> elements) {
        set_int(object, "refs_n", count);
        set_object(object, "refs", "[Ljp/co/vorn/quendra/JSpecieReference;",
                   make_array("jp/co/vorn/quendra/JSpecieReference", elements));
    }
};

std::string bytes_of(const void* place, size_t size) {
    return std::string(static_cast<const char*>(place), size);
}

TEST_F(ConvertJ2c, ScalarsAreStoredInTheirWidths) {
    jobject object = numbers();
    set_primitive(object, "flag", "Z", 1);
    set_primitive(object, "b", "B", -2);
    set_primitive(object, "s", "S", -300);
    set_primitive(object, "i", "I", 123456789);
    set_primitive(object, "wide", "I", -1);
    set_primitive(object, "l", "J", 0x0123456789ABCDEFLL);
    Numbers_t record;
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, object, &record, 0), 0);
    EXPECT_EQ(+record.flag, 1);
    EXPECT_EQ(+record.b, -2);
    EXPECT_EQ(+record.s, -300);
    EXPECT_EQ(+record.i, 123456789);
    EXPECT_EQ(bytes_of(&record.wide, 8), std::string(8, '\xFF'));  // sign-extended
    EXPECT_EQ(+record.l, 0x0123456789ABCDEFLL);

    jobject positive = numbers();  // a positive int gets zero high bytes
    set_primitive(positive, "wide", "I", 0x7FFFFFFF);
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, positive, &record, 0), 0);
    EXPECT_EQ(+record.wide, 0x7FFFFFFF);
}

TEST_F(ConvertJ2c, FixedPrimitiveArraysOfTheRightLengthAreCopied) {
    jobject object = numbers();
    jbooleanArray flags = env->NewBooleanArray(3);
    const jboolean flagValues[] = {1, 0, 1};
    env->SetBooleanArrayRegion(flags, 0, 3, flagValues);
    set_object(object, "flags", "[Z", flags);
    jbyteArray bytes = env->NewByteArray(4);
    const jbyte byteValues[] = {-1, 2, -3, 4};
    env->SetByteArrayRegion(bytes, 0, 4, byteValues);
    set_object(object, "bytes", "[B", bytes);
    jshortArray shorts = env->NewShortArray(2);
    const jshort shortValues[] = {-32768, 32767};
    env->SetShortArrayRegion(shorts, 0, 2, shortValues);
    set_object(object, "shorts", "[S", shorts);
    jintArray ints = env->NewIntArray(3);
    const jint intValues[] = {7, -8, 9};
    env->SetIntArrayRegion(ints, 0, 3, intValues);
    set_object(object, "ints", "[I", ints);
    jlongArray longs = env->NewLongArray(2);
    const jlong longValues[] = {-5000000000LL, 6};
    env->SetLongArrayRegion(longs, 0, 2, longValues);
    set_object(object, "longs", "[J", longs);

    Numbers_t record;
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, object, &record, 0), 0);
    EXPECT_EQ(bytes_of(record.flags, 3), std::string("\x01\x00\x01", 3));
    EXPECT_EQ(bytes_of(record.bytes, 4), std::string("\xFF\x02\xFD\x04", 4));
    EXPECT_EQ(+record.shorts[0], -32768);
    EXPECT_EQ(+record.shorts[1], 32767);
    EXPECT_EQ(+record.ints[0], 7);
    EXPECT_EQ(+record.ints[1], -8);
    EXPECT_EQ(+record.ints[2], 9);
    EXPECT_EQ(+record.longs[0], -5000000000LL);
    EXPECT_EQ(+record.longs[1], 6);
}

TEST_F(ConvertJ2c, PrimitiveArrayOfAnotherLengthLeavesTheMemberZero) {
    jobject object = numbers();
    jintArray ints = env->NewIntArray(4);
    const jint intValues[] = {1, 2, 3, 4};
    env->SetIntArrayRegion(ints, 0, 4, intValues);
    set_object(object, "ints", "[I", ints);
    set_object(object, "longs", "[J", env->NewLongArray(1));
    set_primitive(object, "refs_n", "I", 0);
    set_text(object, "text", "after");
    Numbers_t record;
    std::memset(&record, 0x5A, sizeof record);
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, object, &record, ' '), 0);
    EXPECT_EQ(bytes_of(record.ints, sizeof record.ints), std::string(12, '\0'));
    EXPECT_EQ(bytes_of(record.longs, sizeof record.longs), std::string(16, '\0'));
    // Absent arrays are zero as well, and the conversion went on past them.
    EXPECT_EQ(bytes_of(record.flags, 3), std::string(3, '\0'));
    EXPECT_EQ(bytes_of(record.text, 16), "after" + std::string(11, ' '));
}

TEST_F(ConvertJ2c, EmptyObjectArrayLeavesNoBlockAndKeepsTheCount) {
    jobject object = numbers();
    set_refs(object, 5, {});
    Numbers_t record;
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, object, &record, 0), 0);
    EXPECT_EQ(+record.refs, nullptr);
    EXPECT_EQ(+record.refs_n, 5);
    EXPECT_EQ(JU_free(&kNumbers, nullptr), 0);
}

TEST_F(ConvertJ2c, NullElementBecomesAZeroRecord) {
    jobject object = numbers();
    set_refs(object, 3, {reference(1, "first"), nullptr, reference(3, "third")});
    auto* record = static_cast<Numbers_t*>(calloc(1, sizeof(Numbers_t)));
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, object, record, '.'), 0);
    ASSERT_NE(+record->refs, nullptr);
    EXPECT_EQ(+record->refs[0].specieID, 1);
    EXPECT_EQ(std::string(record->refs[0].name, 6), "first.");
    EXPECT_EQ(bytes_of(&record->refs[1], sizeof(JSpecieReference_t)),
              std::string(sizeof(JSpecieReference_t), '\0'));
    EXPECT_EQ(+record->refs[2].specieID, 3);
    EXPECT_EQ(std::string(record->refs[2].name, 6), "third.");
    EXPECT_EQ(JU_free(&kNumbers, record), 0);
}

TEST_F(ConvertJ2c, EmbeddedObjectIsConvertedInPlace) {
    jobject object = numbers();
    jobject attribute = make("jp/co/vorn/quendra/JSpecieAttribute");
    set_int(attribute, "specieClass", 6);
    set_int(attribute, "initialAmount_isValid", 1);
    set_text(attribute, "initialAmount", "0.25");
    set_object(object, "attr", "Ljp/co/vorn/quendra/JSpecieAttribute;", attribute);
    Numbers_t record;
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, object, &record, ' '), 0);
    EXPECT_EQ(+record.attr.specieClass, 6);
    EXPECT_EQ(+record.attr.initialAmount_isValid, 1);
    EXPECT_EQ(bytes_of(record.attr.initialAmount, 32), "0.25" + std::string(28, ' '));

    // An absent embedded object leaves its place zero, even where fill bytes would go.
    jobject bare = numbers();
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, bare, &record, ' '), 0);
    EXPECT_EQ(bytes_of(&record.attr, sizeof record.attr), std::string(sizeof record.attr, '\0'));
}

TEST_F(ConvertJ2c, FailureLeavesTheCallersReferenceUsable) {
    jobject object = numbers();
    jobject kept = env->NewLocalRef(object);
    Numbers_t record;
    ASSERT_EQ(JU_convert_j2c(env, &kNumbers, object, &record, 0), 0);
    EXPECT_EQ(env->GetObjectRefType(kept), JNILocalRefType);
    // A failure leaves the caller's reference usable.
    MemberDescriptor missing[] = {kNumbersMembers[0]};
    missing[0].fieldName = "noSuchField";
    ClassDescriptor broken = bridge_test::numbers_with(missing);
    ASSERT_EQ(JU_convert_j2c(env, &broken, kept, &record, 0), -1);
    EXPECT_EQ(take_exception(), "java.lang.NoSuchFieldError");
    EXPECT_EQ(get_text(kept, "text"), "");
}

TEST_F(ConvertJ2c, StringArrayMemberFails) {
    MemberDescriptor members[] = {
        kNumbersMembers[0],
        {"words", MEMBER_STRING_ARRAY, 8, 16, 0, "", ""},
    };
    ClassDescriptor withWords = bridge_test::numbers_with(members);
    jobject object = numbers();
    set_text(object, "text", "present");
    Numbers_t record;
    std::memset(&record, 0x5A, sizeof record);
    EXPECT_EQ(JU_convert_j2c(env, &withWords, object, &record, ' '), -1);
    EXPECT_FALSE(env->ExceptionCheck());
    EXPECT_EQ(bytes_of(&record, sizeof record), std::string(sizeof record, '\0'));
}

TEST_F(ConvertJ2c, ObjectOfAnotherOrUnknownClassFails) {
    const ClassDescriptor* compartment = catalogue("JCompartment");
    jobject object = numbers();  // a Numbers object is no JCompartment
    JCompartment_t record;
    EXPECT_EQ(JU_convert_j2c(env, compartment, object, &record, 0), -1);
    EXPECT_FALSE(env->ExceptionCheck());

    ClassDescriptor unknown = kNumbers;
    unknown.className = "bridgetest/NoSuchClass";
    EXPECT_EQ(JU_convert_j2c(env, &unknown, object, &record, 0), -1);
    EXPECT_EQ(take_exception(), "java.lang.NoClassDefFoundError");
}

TEST_F(ConvertJ2c, PendingExceptionIsRefusedWithoutTouchingTheRecord) {
    env->ThrowNew(env->FindClass("java/lang/IllegalStateException"), "left by the caller");
    Numbers_t record;
    std::memset(&record, 0x5A, sizeof record);
    EXPECT_EQ(JU_convert_j2c(env, &kNumbers, nullptr, &record, 0), -1);
    EXPECT_EQ(JU_convert_j2c(env, &kNumbers, reinterpret_cast<jobject>(&record), &record, 0), -1);
    EXPECT_EQ(bytes_of(&record, sizeof record), std::string(sizeof record, '\x5A'));
    EXPECT_EQ(take_exception(), "java.lang.IllegalStateException");
}

TEST_F(ConvertJ2c, CountThatDisagreesWithTheArrayFails) {
    for (jint count : {1, 3}) {
        SCOPED_TRACE(count);
        jobject object = numbers();
        set_refs(object, count, {reference(1, "a"), reference(2, "b")});
        Numbers_t record;
        EXPECT_EQ(JU_convert_j2c(env, &kNumbers, object, &record, 0), -1);
        EXPECT_FALSE(env->ExceptionCheck());
        EXPECT_EQ(+record.refs, nullptr);
        EXPECT_EQ(+record.refs_n, 0);
    }
}

TEST_F(ConvertJ2c, FaultyDescriptorsAreRefused) {
    jobject object = numbers();
    Numbers_t record;
    MemberDescriptor members[] = {kNumbersMembers[0]};
    ClassDescriptor faulty = bridge_test::numbers_with(members);

    members[0].width = sizeof record + 1;  // beyond the record
    EXPECT_EQ(JU_convert_j2c(env, &faulty, object, &record, 0), -1);
    members[0] = kNumbersMembers[5];
    members[0].width = 3;  // no integer width
    EXPECT_EQ(JU_convert_j2c(env, &faulty, object, &record, 0), -1);
    members[0] = kNumbersMembers[14];
    members[0].width = 40;  // not the embedded record's size
    EXPECT_EQ(JU_convert_j2c(env, &faulty, object, &record, 0), -1);
    EXPECT_EQ(JU_convert_j2c(env, nullptr, object, &record, 0), -1);
    EXPECT_EQ(JU_convert_j2c(env, &kNumbers, object, nullptr, 0), -1);
    EXPECT_EQ(JU_convert_j2c(nullptr, &kNumbers, object, &record, 0), -1);
    EXPECT_FALSE(env->ExceptionCheck());
}

}  // namespace
