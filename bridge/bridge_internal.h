// Helpers shared by the parts of the bridge library; none of them is exported.
#pragma once

#include <jni.h>

#include <string>

#include "zymorax_formula.h"

namespace zymorax::bridge {

// A JNI local reference that is deleted when it goes out of scope. Deleting a reference is
// allowed while an exception is pending, so failure paths may simply return.
template <typename T = jobject>
class LocalRef {
public:
    LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
    ~LocalRef() {
        if (ref_ != nullptr) env_->DeleteLocalRef(ref_);
    }
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;

    T get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Hands the reference over to the caller, who deletes it.
    T release() {
        T ref = ref_;
        ref_ = nullptr;
        return ref;
    }

private:
    JNIEnv* env_;
    T ref_;
};

// Whether a descriptor can be walked at all: a class name, a positive record size and members.
bool descriptor_usable(const ClassDescriptor& descriptor);

// The Java field signature of a member; false for a kind outside 1..14 or a missing element
// class. Built without a length limit so that a long class name is never looked up cut.
bool member_signature(int kind, const char* elementClass, std::string& signature);

// Whether a member lies inside its record and its width suits its kind, so that a faulty
// descriptor can never make a conversion write outside the record.
bool member_fits(const ClassDescriptor& owner, const MemberDescriptor& member);

// Size of one element of a fixed primitive array (kinds 8 to 12); 0 for other kinds.
int primitive_element_size(int kind);

// Descriptor of a member's element class (kinds 7 and 14), or nullptr.
const ClassDescriptor* element_descriptor(const MemberDescriptor& member);

// Copies the MS932 bytes of a Java string into a field: min(width, length) bytes, no
// terminator. Returns the number of bytes copied, or -1 when a Java call failed.
int copy_java_text(JNIEnv* env, jstring text, char* field, int width);

// A new Java string made from the MS932 bytes of a field up to its first zero byte (at most
// width bytes); nullptr when a Java call failed.
jstring make_java_text(JNIEnv* env, const char* field, int width);

// Reads a boolean, byte, short, int or long field (kinds 2 to 6) widened to 64 bits.
bool read_scalar_field(JNIEnv* env, jobject object, jfieldID field, int kind, int64_t& value);
// Sets a boolean, byte, short, int or long field from a 64-bit value.
bool write_scalar_field(JNIEnv* env, jobject object, jfieldID field, int kind, int64_t value);

// Copies a Java primitive array (kinds 8 to 12) of exactly `length` elements into `place`.
bool read_primitive_array(JNIEnv* env, jarray array, int kind, int length, unsigned char* place);
// A new Java primitive array made from `length` elements at `place`; nullptr on failure.
jarray make_primitive_array(JNIEnv* env, int kind, int length, const unsigned char* place);

}  // namespace zymorax::bridge
