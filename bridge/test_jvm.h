// One Java VM shared by all bridge tests, and small JNI helpers to build and read test objects.
#pragma once

#include <gtest/gtest.h>
#include <jni.h>

#include <cstdint>
#include <string>

#include "zymorax_formula.h"

namespace bridge_test {

// The JNI environment of the test process's JVM, created on first use (a JVM can be created
// only once per process). The class path holds the model classes and the test classes.
JNIEnv* jvm_env();

// Base of the tests that need Java: a local frame per test, and no exception left behind.
class JvmTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new object made by the class's no-argument constructor ("bridgetest/Numbers").
    jobject make(const char* className);
    void set_int(jobject object, const char* field, jint value);
    void set_text(jobject object, const char* field, const std::string& utf8);
    void set_object(jobject object, const char* field, const char* signature, jobject value);
    // A new object array of the class holding the given elements (nullptr entries allowed).
    jobjectArray make_array(const char* className, std::initializer_list<jobject> elements);

    jint get_int(jobject object, const char* field);
    jobject get_object(jobject object, const char* field, const char* signature);
    std::string get_text(jobject object, const char* field);  // UTF-8; "<null>" for null
    // The reflective dump of an object tree (bridgetest.Describe.of).
    std::string describe(jobject object);
    // Calls a static factory method of a test class returning an object.
    jobject call_factory(const char* className, const char* method, const char* signature);

    // Clears a pending exception and returns its class name ("" when none was pending).
    std::string take_exception();

    JNIEnv* env = nullptr;

private:
    jfieldID field_id(jobject object, const char* field, const char* signature);
};

// The record of a class by its simple name ("JModel"), from the bridge's catalogue.
const ClassDescriptor* catalogue(const char* simpleName);

}  // namespace bridge_test
