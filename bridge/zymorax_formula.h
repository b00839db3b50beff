// Exports of the bridge library ZYMORAX_Formula: the descriptors of the Java model classes and
// the descriptor-driven copy of Java objects into native records (records.h) and back.
#pragma once

#include <jni.h>

#include <cstdint>

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
    int32_t width;        // bytes in the record
    int32_t offset;       // bytes from the record's start
    int32_t arrayLength;  // fixed primitive arrays only
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

// Class name of a Java object in JNI path form into a caller-zeroed buffer; 0, or -1.
int JU_obj2classname(JNIEnv* env, jobject object, char* buffer, int size);
// Descriptor of the class with exactly this JNI path name; 0, or -1 (place unchanged).
int JU_clsname2mmd(const char* className, const ClassDescriptor** descriptor);
// Descriptor whose record type name ("JModel_t") equals the given one; 0, or -1.
int JU_strname2mmd(const char* recordName, const ClassDescriptor** descriptor);
// First member of the class with exactly this field name; 0, or -1.
int JU_fldname2md(const ClassDescriptor* descriptor, const char* fieldName,
                  const MemberDescriptor** member);
// Java field signature of a member kind into buffer (at most size bytes); 0, or -1.
int JU_mid2sig(int kind, const char* elementClass, char* buffer, int size);

// Stores the low `width` bytes (1, 2, 4 or 8) of value at record + offset; 0, or -1.
int JU_setnum(void* record, int offset, int width, int64_t value);
// Reads a little-endian integer of `width` bytes, sign-extended; 0, or -1.
int JU_getnum(const void* record, int offset, int width, int64_t* value);
// Copies a Java object into its zeroed record; texts padded with `fill`. Consumes the object's
// local reference on success. 0, or -1 (the record must not be read then).
int JU_convert_j2c(JNIEnv* env, const ClassDescriptor* descriptor, jobject object, void* record,
                   int fill);
// Creates a Java object from a record (normalising its text fields in place); 0, or -1.
int JU_convert_c2j(JNIEnv* env, const ClassDescriptor* descriptor, void* record, jobject* object);
// Releases the arrays a heap record owns, then the record; 0, or -1 when a lookup failed.
int JU_free(const ClassDescriptor* descriptor, void* record);

}  // extern "C"
