#include "test_jvm.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "zymorax_formula.h"

// Settings that let a JVM run inside a binary built with AddressSanitizer (ignored without it).
// HotSpot relies on its own handlers for SIGSEGV (implicit null checks, safepoint polls, stack
// banging), SIGFPE (implicit division checks) and SIGBUS (mapped files): ASan must not install
// handlers for them, and must let the JVM install its own. Leak detection stays off because the
// JVM's allocations live until exit. jvm_signals_test.cpp makes the JVM take both signals.
extern "C" const char* __asan_default_options() {
    return "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:allow_user_segv_handler=1:"
           "detect_leaks=0";
}

namespace bridge_test {

namespace {

// Everything the JVM prints goes through here, so that a warning of its JNI checks (a JNI call
// with an exception pending, a bad reference) fails the test that caused it.
std::string g_jvm_output;

jint JNICALL capture_output(FILE* stream, const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char line[1024];
    std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    g_jvm_output += line;
    return std::vfprintf(stream, format, args);
}

JNIEnv* create_jvm() {
    std::string classPath = std::string("-Djava.class.path=") + BRIDGE_TEST_CLASS_PATH;
    JavaVMOption options[] = {
        {const_cast<char*>(classPath.c_str()), nullptr},
        {const_cast<char*>("-Xcheck:jni"), nullptr},
        {const_cast<char*>("vfprintf"), reinterpret_cast<void*>(&capture_output)},
    };
    JavaVMInitArgs args{};
    args.version = JNI_VERSION_10;
    args.nOptions = sizeof options / sizeof options[0];
    args.options = options;
    args.ignoreUnrecognized = JNI_FALSE;
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    if (JNI_CreateJavaVM(&vm, reinterpret_cast<void**>(&env), &args) != JNI_OK) return nullptr;
    return env;
}

// The text of a Java string in (modified) UTF-8.
std::string utf8(JNIEnv* env, jstring text) {
    const char* chars = env->GetStringUTFChars(text, nullptr);
    std::string result = chars;
    env->ReleaseStringUTFChars(text, chars);
    return result;
}

}  // namespace

JNIEnv* jvm_env() {
    static JNIEnv* const env = create_jvm();
    return env;
}

const ClassDescriptor* catalogue(const char* simpleName) {
    const ClassDescriptor* descriptor = nullptr;
    std::string name = std::string("jp/co/vorn/quendra/") + simpleName;
    if (JU_clsname2mmd(name.c_str(), &descriptor) != 0) return nullptr;
    return descriptor;
}

void JvmTest::SetUp() {
    env = jvm_env();
    ASSERT_NE(env, nullptr) << "the test JVM could not be created";
    ASSERT_EQ(env->PushLocalFrame(512), 0);
    g_jvm_output.clear();
}

void JvmTest::TearDown() {
    if (env == nullptr) return;
    if (env->ExceptionCheck()) {
        env->ExceptionDescribe();
        ADD_FAILURE() << "a Java exception was left pending";
    }
    env->PopLocalFrame(nullptr);
    EXPECT_EQ(g_jvm_output.find("WARNING"), std::string::npos) << g_jvm_output;
}

std::string JvmTest::take_exception() {
    jthrowable thrown = env->ExceptionOccurred();
    if (thrown == nullptr) return "";
    env->ExceptionClear();
    jclass type = env->GetObjectClass(thrown);
    jmethodID getClass = env->GetMethodID(type, "getClass", "()Ljava/lang/Class;");
    jobject classObject = env->CallObjectMethod(thrown, getClass);
    if (env->ExceptionCheck()) return "?";
    jclass classType = env->GetObjectClass(classObject);
    jmethodID getName = env->GetMethodID(classType, "getName", "()Ljava/lang/String;");
    auto name = static_cast<jstring>(env->CallObjectMethod(classObject, getName));
    if (env->ExceptionCheck()) return "?";
    return utf8(env, name);
}

jobject JvmTest::make(const char* className) {
    jclass type = env->FindClass(className);
    if (type == nullptr) {
        ADD_FAILURE() << "no class " << className << ": " << take_exception();
        return nullptr;
    }
    jmethodID constructor = env->GetMethodID(type, "<init>", "()V");
    jobject object = env->NewObject(type, constructor);
    EXPECT_FALSE(env->ExceptionCheck());
    return object;
}

jfieldID JvmTest::field_id(jobject object, const char* field, const char* signature) {
    jfieldID id = env->GetFieldID(env->GetObjectClass(object), field, signature);
    if (id == nullptr) ADD_FAILURE() << "no field " << field << " " << signature << ": "
                                     << take_exception();
    return id;
}

void JvmTest::set_int(jobject object, const char* field, jint value) {
    if (jfieldID id = field_id(object, field, "I")) env->SetIntField(object, id, value);
}

void JvmTest::set_text(jobject object, const char* field, const std::string& utf8) {
    if (jfieldID id = field_id(object, field, "Ljava/lang/String;"))
        env->SetObjectField(object, id, env->NewStringUTF(utf8.c_str()));
}

void JvmTest::set_object(jobject object, const char* field, const char* signature,
                         jobject value) {
    if (jfieldID id = field_id(object, field, signature)) env->SetObjectField(object, id, value);
}

jobjectArray JvmTest::make_array(const char* className, std::initializer_list<jobject> elements) {
    jclass type = env->FindClass(className);
    jobjectArray array = env->NewObjectArray(static_cast<jsize>(elements.size()), type, nullptr);
    jsize index = 0;
    for (jobject element : elements) env->SetObjectArrayElement(array, index++, element);
    return array;
}

jint JvmTest::get_int(jobject object, const char* field) {
    jfieldID id = field_id(object, field, "I");
    return id != nullptr ? env->GetIntField(object, id) : 0;
}

jobject JvmTest::get_object(jobject object, const char* field, const char* signature) {
    jfieldID id = field_id(object, field, signature);
    return id != nullptr ? env->GetObjectField(object, id) : nullptr;
}

std::string JvmTest::get_text(jobject object, const char* field) {
    auto text = static_cast<jstring>(get_object(object, field, "Ljava/lang/String;"));
    return text == nullptr ? "<null>" : utf8(env, text);
}

jobject JvmTest::call_factory(const char* className, const char* method, const char* signature) {
    jclass type = env->FindClass(className);
    jmethodID id = type != nullptr ? env->GetStaticMethodID(type, method, signature) : nullptr;
    if (id == nullptr) {
        ADD_FAILURE() << "no method " << className << "." << method << ": " << take_exception();
        return nullptr;
    }
    jobject result = env->CallStaticObjectMethod(type, id);
    if (env->ExceptionCheck()) ADD_FAILURE() << method << " threw " << take_exception();
    return result;
}

std::string JvmTest::describe(jobject object) {
    jclass type = env->FindClass("bridgetest/Describe");
    jmethodID of = env->GetStaticMethodID(type, "of", "(Ljava/lang/Object;)Ljava/lang/String;");
    auto text = static_cast<jstring>(env->CallStaticObjectMethod(type, of, object));
    if (env->ExceptionCheck()) return "describe threw " + take_exception();
    return utf8(env, text);
}

}  // namespace bridge_test
