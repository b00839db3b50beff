// Exports of the bridge library ZYMORAX_Formula: the descriptors of the Java model classes and
// the descriptor-driven copy of Java objects into native records (records.h) and back.
#pragma once

#include <jni.h>

#include <cstdint>

// The library is built with hidden visibility; only the JU_ functions are exported.
#define ZYMORAX_FORMULA_API __attribute__((visibility("default")))

// Member kinds: how a Java field is held in its record.
enum MemberKind : int32_t {
    MEMBER_STRING = 1,
    MEMBER_BOOLEAN = 2,
    MEMBER_BYTE = 3,
    MEMBER_SHORT = 4,
    MEMBER_INT = 5,
    MEMBER_LONG = 6,
    MEMBER_OBJECT_ARRAY = 7,
    MEMBER_BOOLEAN_ARRAY = 8,
    MEMBER_BYTE_ARRAY = 9,
    MEMBER_SHORT_ARRAY = 10,
    MEMBER_INT_ARRAY = 11,
    MEMBER_LONG_ARRAY = 12,
    MEMBER_STRING_ARRAY = 13,
    MEMBER_OBJECT = 14,
};

// One Java field and where it lies in the record.
struct MemberDescriptor {
    const char* fieldName;
    int32_t kind;
    int32_t width;        // bytes in the record (8 for the pointer of an object array)
    int32_t offset;       // bytes from the record's start
    int32_t arrayLength;  // fixed primitive arrays only; 0 otherwise
    const char* countField;    // object arrays: the sibling int member holding the element count
    const char* elementClass;  // object arrays and embedded objects: JNI path of the class
};

// One Java class and the layout of its record.
struct ClassDescriptor {
    const char* className;  // JNI path, e.g. "jp/co/vorn/quendra/JModel"
    int32_t reserved;
    int32_t memberCount;
    int32_t recordSize;
    const MemberDescriptor* members;
};

extern "C" {

// Lookups never log, never touch Java and leave the output place unchanged on failure.

// Class name of a Java object in JNI path form ("." becomes "/") into buffer, at most size bytes,
// terminated when it is shorter than size; 0, or -1 when a Java call fails.
ZYMORAX_FORMULA_API int JU_obj2classname(JNIEnv* env, jobject object, char* buffer, int size);
// Descriptor of the class with exactly this JNI path name; 0, or -1.
ZYMORAX_FORMULA_API int JU_clsname2mmd(const char* className, const ClassDescriptor** descriptor);
// Descriptor whose record type name ("JModel_t") equals the given one; 0, or -1.
ZYMORAX_FORMULA_API int JU_strname2mmd(const char* recordName, const ClassDescriptor** descriptor);
// First member of the class with exactly this field name; 0, or -1.
ZYMORAX_FORMULA_API int JU_fldname2md(const ClassDescriptor* descriptor, const char* fieldName,
                                      const MemberDescriptor** member);
// Java field signature of a member kind, terminated and cut to size - 1 characters; 0, or -1 for
// a kind outside 1..14, a missing element class of kinds 7 and 14, or no buffer.
ZYMORAX_FORMULA_API int JU_mid2sig(int kind, const char* elementClass, char* buffer, int size);

// Stores the low `width` bytes (1, 2, 4 or 8) of value at record + offset; 0, or -1.
ZYMORAX_FORMULA_API int JU_setnum(void* record, int offset, int width, int64_t value);
// Reads a little-endian integer of `width` bytes, sign-extended; 0, or -1.
ZYMORAX_FORMULA_API int JU_getnum(const void* record, int offset, int width, int64_t* value);

// Copies a Java object into its record (at least recordSize bytes), texts padded with `fill`.
// Arrays of objects are allocated with calloc and belong to the record (release with JU_free).
// On success the object's local reference is deleted. On failure every block allocated by the
// call is released and the record is left all zero; the object's reference stays the caller's.
// A failed Java call leaves its exception pending: the caller must clear it before using JNI
// again. Called with an exception already pending, it fails without touching anything.
ZYMORAX_FORMULA_API int JU_convert_j2c(JNIEnv* env, const ClassDescriptor* descriptor,
                                       jobject object, void* record, int fill);
// Creates a new Java object (a local reference) from a record, normalising the record's text
// fields in place (text up to the first zero byte, trailing blanks removed, zero-padded); 0, or
// -1 and no object. Exceptions are left pending as for JU_convert_j2c.
ZYMORAX_FORMULA_API int JU_convert_c2j(JNIEnv* env, const ClassDescriptor* descriptor,
                                       void* record, jobject* object);
// Releases the arrays a heap record owns (embedded records included), then the record itself;
// 0, or -1 when a lookup failed (the record is released either way).
ZYMORAX_FORMULA_API int JU_free(const ClassDescriptor* descriptor, void* record);

}  // extern "C"
