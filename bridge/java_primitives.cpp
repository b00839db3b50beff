// Java primitive fields and fixed primitive arrays (member kinds 2 to 6 and 8 to 12).
#include <cstring>
#include <vector>

#include "bridge_internal.h"

namespace zymorax::bridge {

bool read_scalar_field(JNIEnv* env, jobject object, jfieldID field, int kind, int64_t& value) {
    switch (kind) {
        case MEMBER_BOOLEAN: value = env->GetBooleanField(object, field) ? 1 : 0; return true;
        case MEMBER_BYTE: value = env->GetByteField(object, field); return true;
        case MEMBER_SHORT: value = env->GetShortField(object, field); return true;
        case MEMBER_INT: value = env->GetIntField(object, field); return true;
        case MEMBER_LONG: value = env->GetLongField(object, field); return true;
        default: return false;
    }
}

bool write_scalar_field(JNIEnv* env, jobject object, jfieldID field, int kind, int64_t value) {
    switch (kind) {
        case MEMBER_BOOLEAN:
            env->SetBooleanField(object, field, value != 0 ? JNI_TRUE : JNI_FALSE);
            return true;
        case MEMBER_BYTE: env->SetByteField(object, field, static_cast<jbyte>(value)); return true;
        case MEMBER_SHORT:
            env->SetShortField(object, field, static_cast<jshort>(value));
            return true;
        case MEMBER_INT: env->SetIntField(object, field, static_cast<jint>(value)); return true;
        case MEMBER_LONG: env->SetLongField(object, field, static_cast<jlong>(value)); return true;
        default: return false;
    }
}

namespace {

// Copies through an aligned buffer: members of the packed records need not be aligned.
template <typename ArrayType, typename Element>
bool read_region(JNIEnv* env, jarray array, int length, unsigned char* place,
                 void (JNIEnv::*getter)(ArrayType, jsize, jsize, Element*)) {
    std::vector<Element> elements(static_cast<size_t>(length));
    (env->*getter)(static_cast<ArrayType>(array), 0, length, elements.data());
    if (env->ExceptionCheck()) return false;
    if (length > 0) std::memcpy(place, elements.data(), elements.size() * sizeof(Element));
    return true;
}

template <typename ArrayType, typename Element>
jarray make_region(JNIEnv* env, int length, const unsigned char* place,
                   ArrayType (JNIEnv::*maker)(jsize),
                   void (JNIEnv::*setter)(ArrayType, jsize, jsize, const Element*)) {
    std::vector<Element> elements(static_cast<size_t>(length));
    if (length > 0) std::memcpy(elements.data(), place, elements.size() * sizeof(Element));
    ArrayType array = (env->*maker)(length);
    if (array == nullptr) return nullptr;
    (env->*setter)(array, 0, length, elements.data());
    if (env->ExceptionCheck()) {
        env->DeleteLocalRef(array);
        return nullptr;
    }
    return array;
}

}  // namespace

bool read_primitive_array(JNIEnv* env, jarray array, int kind, int length, unsigned char* place) {
    switch (kind) {
        case MEMBER_BOOLEAN_ARRAY:
            return read_region(env, array, length, place, &JNIEnv::GetBooleanArrayRegion);
        case MEMBER_BYTE_ARRAY:
            return read_region(env, array, length, place, &JNIEnv::GetByteArrayRegion);
        case MEMBER_SHORT_ARRAY:
            return read_region(env, array, length, place, &JNIEnv::GetShortArrayRegion);
        case MEMBER_INT_ARRAY:
            return read_region(env, array, length, place, &JNIEnv::GetIntArrayRegion);
        case MEMBER_LONG_ARRAY:
            return read_region(env, array, length, place, &JNIEnv::GetLongArrayRegion);
        default:
            return false;
    }
}

jarray make_primitive_array(JNIEnv* env, int kind, int length, const unsigned char* place) {
    switch (kind) {
        case MEMBER_BOOLEAN_ARRAY:
            return make_region(env, length, place, &JNIEnv::NewBooleanArray,
                               &JNIEnv::SetBooleanArrayRegion);
        case MEMBER_BYTE_ARRAY:
            return make_region(env, length, place, &JNIEnv::NewByteArray,
                               &JNIEnv::SetByteArrayRegion);
        case MEMBER_SHORT_ARRAY:
            return make_region(env, length, place, &JNIEnv::NewShortArray,
                               &JNIEnv::SetShortArrayRegion);
        case MEMBER_INT_ARRAY:
            return make_region(env, length, place, &JNIEnv::NewIntArray,
                               &JNIEnv::SetIntArrayRegion);
        case MEMBER_LONG_ARRAY:
            return make_region(env, length, place, &JNIEnv::NewLongArray,
                               &JNIEnv::SetLongArrayRegion);
        default:
            return nullptr;
    }
}

}  // namespace zymorax::bridge
