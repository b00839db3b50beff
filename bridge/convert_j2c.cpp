// Java object to native record: a walk over the class descriptors.
//
// Every array block allocated during one call is remembered, so that a failure anywhere in the
// object graph releases all of them and leaves the caller's record all zero rather than half
// filled with blocks that nobody would free.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bridge_internal.h"

namespace {

using namespace zymorax::bridge;

struct J2cRun {
    JNIEnv* env;
    unsigned char fill;
    std::vector<void*> blocks;
};

// The length of one object array of a record, checked against its count field afterwards.
struct ArrayLength {
    const MemberDescriptor* member;
    jsize length;
};

int convert_object(J2cRun& run, const ClassDescriptor& descriptor, jobject object,
                   unsigned char* record);

void* allocate_block(J2cRun& run, jsize count, int32_t recordSize) {
    void* block = std::calloc(static_cast<size_t>(count), static_cast<size_t>(recordSize));
    if (block == nullptr) return nullptr;
    try {
        run.blocks.push_back(block);
    } catch (...) {
        std::free(block);
        return nullptr;
    }
    return block;
}

int convert_text(J2cRun& run, const MemberDescriptor& member, jobject object, jfieldID field,
                 unsigned char* record) {
    JNIEnv* env = run.env;
    unsigned char* place = record + member.offset;
    std::memset(place, run.fill, static_cast<size_t>(member.width));
    LocalRef<jstring> text(env, static_cast<jstring>(env->GetObjectField(object, field)));
    if (!text || env->GetStringUTFLength(text.get()) <= 0) return 0;
    return copy_java_text(env, text.get(), reinterpret_cast<char*>(place), member.width) < 0 ? -1
                                                                                            : 0;
}

int convert_scalar(J2cRun& run, const MemberDescriptor& member, jobject object, jfieldID field,
                   unsigned char* record) {
    int64_t value = 0;
    if (!read_scalar_field(run.env, object, field, member.kind, value)) return -1;
    return JU_setnum(record, member.offset, member.width, value);
}

int convert_object_array(J2cRun& run, const MemberDescriptor& member, jobject object,
                         jfieldID field, unsigned char* record, std::vector<ArrayLength>& lengths) {
    JNIEnv* env = run.env;
    LocalRef<jobjectArray> array(env,
                                 static_cast<jobjectArray>(env->GetObjectField(object, field)));
    if (!array) return 0;
    const jsize length = env->GetArrayLength(array.get());
    if (length == 0) return 0;
    const ClassDescriptor* element = element_descriptor(member);
    if (element == nullptr) return -1;
    void* block = allocate_block(run, length, element->recordSize);
    if (block == nullptr) return -1;
    std::memcpy(record + member.offset, &block, sizeof block);
    lengths.push_back({&member, length});
    unsigned char* elements = static_cast<unsigned char*>(block);
    for (jsize index = 0; index < length; ++index) {
        LocalRef<> item(env, env->GetObjectArrayElement(array.get(), index));
        if (env->ExceptionCheck()) return -1;
        unsigned char* slot = elements + static_cast<size_t>(index) * element->recordSize;
        if (item && convert_object(run, *element, item.get(), slot) != 0) return -1;
    }
    return 0;
}

int convert_primitive_array(J2cRun& run, const MemberDescriptor& member, jobject object,
                            jfieldID field, unsigned char* record) {
    JNIEnv* env = run.env;
    LocalRef<jarray> array(env, static_cast<jarray>(env->GetObjectField(object, field)));
    if (!array) return 0;
    unsigned char* place = record + member.offset;
    if (env->GetArrayLength(array.get()) != member.arrayLength) {
        // A Java array of another length is not this member: the member stays zero.
        std::memset(place, 0,
                    static_cast<size_t>(member.arrayLength) * primitive_element_size(member.kind));
        return 0;
    }
    return read_primitive_array(env, array.get(), member.kind, member.arrayLength, place) ? 0 : -1;
}

int convert_embedded(J2cRun& run, const MemberDescriptor& member, jobject object,
                     jfieldID field, unsigned char* record) {
    LocalRef<> inner(run.env, run.env->GetObjectField(object, field));
    if (!inner) return 0;
    const ClassDescriptor* embedded = element_descriptor(member);
    if (embedded == nullptr) return -1;
    return convert_object(run, *embedded, inner.get(), record + member.offset);
}

int convert_member(J2cRun& run, const MemberDescriptor& member, jobject object, jfieldID field,
                   unsigned char* record, std::vector<ArrayLength>& lengths) {
    switch (member.kind) {
        case MEMBER_STRING:
            return convert_text(run, member, object, field, record);
        case MEMBER_BOOLEAN: case MEMBER_BYTE: case MEMBER_SHORT: case MEMBER_INT:
        case MEMBER_LONG:
            return convert_scalar(run, member, object, field, record);
        case MEMBER_OBJECT_ARRAY:
            return convert_object_array(run, member, object, field, record, lengths);
        case MEMBER_BOOLEAN_ARRAY: case MEMBER_BYTE_ARRAY: case MEMBER_SHORT_ARRAY:
        case MEMBER_INT_ARRAY: case MEMBER_LONG_ARRAY:
            return convert_primitive_array(run, member, object, field, record);
        case MEMBER_OBJECT:
            return convert_embedded(run, member, object, field, record);
        default:
            return -1;  // String arrays have no record form
    }
}

// Readers and JU_free walk an array by its count field: a count that differs from the length of
// the array actually copied would make them read past the block or miss elements.
int check_counts(const ClassDescriptor& descriptor, const unsigned char* record,
                 const std::vector<ArrayLength>& lengths) {
    for (const ArrayLength& array : lengths) {
        const MemberDescriptor* count = nullptr;
        int64_t value = 0;
        if (JU_fldname2md(&descriptor, array.member->countField, &count) != 0 ||
            JU_getnum(record, count->offset, count->width, &value) != 0 || value != array.length)
            return -1;
    }
    return 0;
}

int convert_object(J2cRun& run, const ClassDescriptor& descriptor, jobject object,
                   unsigned char* record) {
    JNIEnv* env = run.env;
    if (!descriptor_usable(descriptor)) return -1;
    std::memset(record, 0, static_cast<size_t>(descriptor.recordSize));
    LocalRef<jclass> type(env, env->FindClass(descriptor.className));
    if (!type || !env->IsInstanceOf(object, type.get())) return -1;
    std::vector<ArrayLength> lengths;
    for (int32_t index = 0; index < descriptor.memberCount; ++index) {
        const MemberDescriptor& member = descriptor.members[index];
        std::string signature;
        if (!member_fits(descriptor, member) ||
            !member_signature(member.kind, member.elementClass, signature))
            return -1;
        jfieldID field = env->GetFieldID(type.get(), member.fieldName, signature.c_str());
        if (field == nullptr) return -1;
        if (convert_member(run, member, object, field, record, lengths) != 0) return -1;
    }
    return check_counts(descriptor, record, lengths);
}

}  // namespace

extern "C" int JU_convert_j2c(JNIEnv* env, const ClassDescriptor* descriptor, jobject object,
                              void* record, int fill) {
    if (env == nullptr || descriptor == nullptr || object == nullptr || record == nullptr ||
        !descriptor_usable(*descriptor) || env->ExceptionCheck())
        return -1;
    J2cRun run{env, static_cast<unsigned char>(fill), {}};
    int result = -1;
    try {
        result = convert_object(run, *descriptor, object, static_cast<unsigned char*>(record));
    } catch (...) {
        result = -1;
    }
    if (result != 0) {
        for (void* block : run.blocks) std::free(block);
        std::memset(record, 0, static_cast<size_t>(descriptor->recordSize));
        return -1;
    }
    env->DeleteLocalRef(object);
    return 0;
}
