// Model texts between Java strings and fixed record fields of MS932 bytes.
#include <algorithm>
#include <cstring>

#include "bridge_internal.h"

namespace zymorax::bridge {

namespace {

const char kCharset[] = "MS932";

// java.lang.String and the charset name, found together for either direction.
struct StringClass {
    explicit StringClass(JNIEnv* env)
        : type(env, env->FindClass("java/lang/String")),
          charset(env, type ? env->NewStringUTF(kCharset) : nullptr) {}
    LocalRef<jclass> type;
    LocalRef<jstring> charset;
};

}  // namespace

int copy_java_text(JNIEnv* env, jstring text, char* field, int width) {
    StringClass strings(env);
    if (!strings.charset) return -1;
    jmethodID getBytes =
        env->GetMethodID(strings.type.get(), "getBytes", "(Ljava/lang/String;)[B");
    if (getBytes == nullptr) return -1;
    LocalRef<jbyteArray> bytes(
        env, static_cast<jbyteArray>(
                 env->CallObjectMethod(text, getBytes, strings.charset.get())));
    if (env->ExceptionCheck() || !bytes) return -1;
    const jsize count = std::min<jsize>(width, env->GetArrayLength(bytes.get()));
    env->GetByteArrayRegion(bytes.get(), 0, count, reinterpret_cast<jbyte*>(field));
    return count;
}

jstring make_java_text(JNIEnv* env, const char* field, int width) {
    const void* zero = std::memchr(field, '\0', static_cast<size_t>(width));
    const jsize length = zero != nullptr ? static_cast<const char*>(zero) - field : width;
    StringClass strings(env);
    if (!strings.charset) return nullptr;
    LocalRef<jbyteArray> bytes(env, env->NewByteArray(length));
    if (!bytes) return nullptr;
    env->SetByteArrayRegion(bytes.get(), 0, length, reinterpret_cast<const jbyte*>(field));
    jmethodID constructor =
        env->GetMethodID(strings.type.get(), "<init>", "([BLjava/lang/String;)V");
    if (constructor == nullptr) return nullptr;
    jobject text =
        env->NewObject(strings.type.get(), constructor, bytes.get(), strings.charset.get());
    if (env->ExceptionCheck()) {
        if (text != nullptr) env->DeleteLocalRef(text);
        return nullptr;
    }
    return static_cast<jstring>(text);
}

}  // namespace zymorax::bridge

namespace {

using zymorax::bridge::LocalRef;

// The java.lang.Class object of an object, through its getClass method.
jobject class_object(JNIEnv* env, jobject object) {
    LocalRef<jclass> type(env, env->GetObjectClass(object));
    if (!type) return nullptr;
    jmethodID getClass = env->GetMethodID(type.get(), "getClass", "()Ljava/lang/Class;");
    if (getClass == nullptr) return nullptr;
    jobject result = env->CallObjectMethod(object, getClass);
    if (env->ExceptionCheck()) {
        if (result != nullptr) env->DeleteLocalRef(result);
        return nullptr;
    }
    return result;
}

// The dotted name of a class object, through Class.getName.
jstring class_name(JNIEnv* env, jobject classObject) {
    LocalRef<jclass> type(env, env->GetObjectClass(classObject));
    if (!type) return nullptr;
    jmethodID getName = env->GetMethodID(type.get(), "getName", "()Ljava/lang/String;");
    if (getName == nullptr) return nullptr;
    jobject result = env->CallObjectMethod(classObject, getName);
    if (env->ExceptionCheck()) {
        if (result != nullptr) env->DeleteLocalRef(result);
        return nullptr;
    }
    return static_cast<jstring>(result);
}

}  // namespace

extern "C" int JU_obj2classname(JNIEnv* env, jobject object, char* buffer, int size) {
    if (env == nullptr || object == nullptr || buffer == nullptr || size <= 0) return -1;
    if (env->ExceptionCheck()) return -1;
    try {
        LocalRef<> classObject(env, class_object(env, object));
        if (!classObject) return -1;
        LocalRef<jstring> name(env, class_name(env, classObject.get()));
        if (!name) return -1;
        const int copied = zymorax::bridge::copy_java_text(env, name.get(), buffer, size);
        if (copied < 0) return -1;
        if (copied < size) buffer[copied] = '\0';
        for (int index = 0; index < size && buffer[index] != '\0'; ++index) {
            if (buffer[index] == '.') buffer[index] = '/';
        }
        return 0;
    } catch (...) {
        return -1;
    }
}
