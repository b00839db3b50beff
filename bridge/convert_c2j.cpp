// Native record to a new Java object: the reverse walk over the class descriptors.
#include <cstdint>
#include <cstring>

#include "bridge_internal.h"

namespace {

using namespace zymorax::bridge;

jobject make_object(JNIEnv* env, const ClassDescriptor& descriptor, unsigned char* record);

// The field keeps its text up to the first zero byte without trailing blanks, zero-padded.
void normalise_text(unsigned char* field, int width) {
    void* zero = std::memchr(field, '\0', static_cast<size_t>(width));
    int end = zero != nullptr ? static_cast<int>(static_cast<unsigned char*>(zero) - field) : width;
    while (end > 0 && (field[end - 1] == ' ' || field[end - 1] == '\0')) --end;
    std::memset(field + end, 0, static_cast<size_t>(width - end));
}

bool set_text(JNIEnv* env, const MemberDescriptor& member, jobject object, jfieldID field,
              unsigned char* record) {
    unsigned char* place = record + member.offset;
    normalise_text(place, member.width);
    LocalRef<jstring> text(env,
                           make_java_text(env, reinterpret_cast<const char*>(place), member.width));
    if (!text) return false;
    env->SetObjectField(object, field, text.get());
    return true;
}

bool set_scalar(JNIEnv* env, const MemberDescriptor& member, jobject object, jfieldID field,
                const unsigned char* record) {
    int64_t value = 0;
    return JU_getnum(record, member.offset, member.width, &value) == 0 &&
           write_scalar_field(env, object, field, member.kind, value);
}

// Number of elements of an object array, from its count field; false when that is missing.
bool element_count(const ClassDescriptor& owner, const MemberDescriptor& member,
                   const unsigned char* record, int64_t& count) {
    const MemberDescriptor* counter = nullptr;
    return JU_fldname2md(&owner, member.countField, &counter) == 0 &&
           JU_getnum(record, counter->offset, counter->width, &count) == 0;
}

bool set_object_array(JNIEnv* env, const ClassDescriptor& owner, const MemberDescriptor& member,
                      jobject object, jfieldID field, unsigned char* record) {
    int64_t count = 0;
    if (!element_count(owner, member, record, count)) return false;
    unsigned char* block = nullptr;
    std::memcpy(&block, record + member.offset, sizeof block);
    if (count <= 0 || block == nullptr) return true;  // the constructor's value stays
    const ClassDescriptor* element = element_descriptor(member);
    if (element == nullptr || count > INT32_MAX) return false;
    LocalRef<jclass> type(env, env->FindClass(element->className));
    if (!type) return false;
    LocalRef<jobjectArray> array(
        env, env->NewObjectArray(static_cast<jsize>(count), type.get(), nullptr));
    if (!array) return false;
    for (jsize index = 0; index < count; ++index) {
        LocalRef<> item(env, make_object(env, *element,
                                         block + static_cast<size_t>(index) * element->recordSize));
        if (!item) return false;
        env->SetObjectArrayElement(array.get(), index, item.get());
        if (env->ExceptionCheck()) return false;
    }
    env->SetObjectField(object, field, array.get());
    return true;
}

bool set_primitive_array(JNIEnv* env, const MemberDescriptor& member, jobject object,
                         jfieldID field, const unsigned char* record) {
    LocalRef<jarray> array(
        env, make_primitive_array(env, member.kind, member.arrayLength, record + member.offset));
    if (!array) return false;
    env->SetObjectField(object, field, array.get());
    return true;
}

bool set_embedded(JNIEnv* env, const MemberDescriptor& member, jobject object, jfieldID field,
                  unsigned char* record) {
    const ClassDescriptor* embedded = element_descriptor(member);
    if (embedded == nullptr) return false;
    LocalRef<> inner(env, make_object(env, *embedded, record + member.offset));
    if (!inner) return false;
    env->SetObjectField(object, field, inner.get());
    return true;
}

bool set_member(JNIEnv* env, const ClassDescriptor& owner, const MemberDescriptor& member,
                jobject object, jfieldID field, unsigned char* record) {
    switch (member.kind) {
        case MEMBER_STRING:
            return set_text(env, member, object, field, record);
        case MEMBER_BOOLEAN: case MEMBER_BYTE: case MEMBER_SHORT: case MEMBER_INT:
        case MEMBER_LONG:
            return set_scalar(env, member, object, field, record);
        case MEMBER_OBJECT_ARRAY:
            return set_object_array(env, owner, member, object, field, record);
        case MEMBER_BOOLEAN_ARRAY: case MEMBER_BYTE_ARRAY: case MEMBER_SHORT_ARRAY:
        case MEMBER_INT_ARRAY: case MEMBER_LONG_ARRAY:
            return set_primitive_array(env, member, object, field, record);
        case MEMBER_OBJECT:
            return set_embedded(env, member, object, field, record);
        default:
            return false;  // String arrays have no record form
    }
}

// A new object of the class, built by its no-argument constructor and filled member by member;
// nullptr on failure.
jobject make_object(JNIEnv* env, const ClassDescriptor& descriptor, unsigned char* record) {
    if (!descriptor_usable(descriptor)) return nullptr;
    LocalRef<jclass> type(env, env->FindClass(descriptor.className));
    if (!type) return nullptr;
    jmethodID constructor = env->GetMethodID(type.get(), "<init>", "()V");
    if (constructor == nullptr) return nullptr;
    LocalRef<> object(env, env->NewObject(type.get(), constructor));
    if (!object || env->ExceptionCheck()) return nullptr;
    for (int32_t index = 0; index < descriptor.memberCount; ++index) {
        const MemberDescriptor& member = descriptor.members[index];
        std::string signature;
        if (!member_fits(descriptor, member) ||
            !member_signature(member.kind, member.elementClass, signature))
            return nullptr;
        jfieldID field = env->GetFieldID(type.get(), member.fieldName, signature.c_str());
        if (field == nullptr) return nullptr;
        if (!set_member(env, descriptor, member, object.get(), field, record)) return nullptr;
    }
    return object.release();
}

}  // namespace

extern "C" int JU_convert_c2j(JNIEnv* env, const ClassDescriptor* descriptor, void* record,
                              jobject* object) {
    if (env == nullptr || descriptor == nullptr || record == nullptr || object == nullptr ||
        env->ExceptionCheck())
        return -1;
    try {
        jobject made = make_object(env, *descriptor, static_cast<unsigned char*>(record));
        if (made == nullptr) return -1;
        *object = made;
        return 0;
    } catch (...) {
        return -1;
    }
}
