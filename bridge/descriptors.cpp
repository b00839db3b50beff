// The catalogue of the Java model classes and their records (records.h), and the lookups over it.
#include <cstdio>
#include <cstring>

#include "bridge_internal.h"

namespace {

#define PKG "jp/co/vorn/quendra/"

// Members: field name, kind, width, offset, array length, count field, element class.
const MemberDescriptor kCompartment[] = {
    {"compartmentID", MEMBER_INT, 4, 0, 0, "", ""},
    {"name", MEMBER_STRING, 256, 4, 0, "", ""},
    {"volume", MEMBER_STRING, 32, 260, 0, "", ""},
};
const MemberDescriptor kListOfCompartments[] = {
    {"numberOfCompartments", MEMBER_INT, 4, 0, 0, "", ""},
    {"compartment", MEMBER_OBJECT_ARRAY, 8, 4, 0, "numberOfCompartments", PKG "JCompartment"},
};
const MemberDescriptor kListOfElements[] = {
    {"numberOfElements", MEMBER_INT, 4, 0, 0, "", ""},
    {"specieReference", MEMBER_OBJECT_ARRAY, 8, 4, 0, "numberOfElements", PKG "JSpecieReference"},
};
const MemberDescriptor kListOfModifiers[] = {
    {"numberOfModifiers", MEMBER_INT, 4, 0, 0, "", ""},
    {"modifierSpecieReference", MEMBER_OBJECT_ARRAY, 8, 4, 0, "numberOfModifiers",
     PKG "JModifierSpecieReference"},
};
const MemberDescriptor kListOfProducts[] = {
    {"numberOfProducts", MEMBER_INT, 4, 0, 0, "", ""},
    {"specieReference", MEMBER_OBJECT_ARRAY, 8, 4, 0, "numberOfProducts", PKG "JSpecieReference"},
};
const MemberDescriptor kListOfReactants[] = {
    {"numberOfReactants", MEMBER_INT, 4, 0, 0, "", ""},
    {"specieReference", MEMBER_OBJECT_ARRAY, 8, 4, 0, "numberOfReactants", PKG "JSpecieReference"},
};
const MemberDescriptor kListOfReactions[] = {
    {"layer", MEMBER_INT, 4, 0, 0, "", ""},
    {"numberOfReactions", MEMBER_INT, 4, 4, 0, "", ""},
    {"reaction", MEMBER_OBJECT_ARRAY, 8, 8, 0, "numberOfReactions", PKG "JReaction"},
};
const MemberDescriptor kListOfSpecies[] = {
    {"numberOfSpecies", MEMBER_INT, 4, 0, 0, "", ""},
    {"specie", MEMBER_OBJECT_ARRAY, 8, 4, 0, "numberOfSpecies", PKG "JSpecie"},
};
const MemberDescriptor kModel[] = {
    {"name", MEMBER_STRING, 256, 0, 0, "", ""},
    {"modelInfo", MEMBER_STRING, 1024, 256, 0, "", ""},
    {"listOfCompartments", MEMBER_OBJECT, 12, 1280, 0, "", PKG "JListOfCompartments"},
    {"listOfSpecies", MEMBER_OBJECT, 12, 1292, 0, "", PKG "JListOfSpecies"},
    {"listOfReactions_n", MEMBER_INT, 4, 1304, 0, "", ""},
    {"listOfReactions", MEMBER_OBJECT_ARRAY, 8, 1308, 0, "listOfReactions_n",
     PKG "JListOfReactions"},
};
const MemberDescriptor kModelPack[] = {
    {"result", MEMBER_INT, 4, 0, 0, "", ""},
    {"errmsg", MEMBER_STRING, 1024, 4, 0, "", ""},
    {"model", MEMBER_OBJECT, 1316, 1028, 0, "", PKG "JModel"},
};
const MemberDescriptor kModifierComplex[] = {
    {"specieReference", MEMBER_OBJECT, 296, 0, 0, "", PKG "JSpecieReference"},
};
const MemberDescriptor kModifierSpecieReference[] = {
    {"specieID", MEMBER_INT, 4, 0, 0, "", ""},
    {"name", MEMBER_STRING, 256, 4, 0, "", ""},
    {"compartment", MEMBER_INT, 4, 260, 0, "", ""},
    {"stoichiometry", MEMBER_STRING, 32, 264, 0, "", ""},
    {"modifierType", MEMBER_INT, 4, 296, 0, "", ""},
    {"isTotal", MEMBER_INT, 4, 300, 0, "", ""},
};
const MemberDescriptor kReaction[] = {
    {"reactionID", MEMBER_INT, 4, 0, 0, "", ""},
    {"groupID", MEMBER_INT, 4, 4, 0, "", ""},
    {"reactionType", MEMBER_INT, 4, 8, 0, "", ""},
    {"isConvertible", MEMBER_INT, 4, 12, 0, "", ""},
    {"modifierReactionEquation", MEMBER_STRING, 1024, 16, 0, "", ""},
    {"listOfReactants_n", MEMBER_INT, 4, 1040, 0, "", ""},
    {"listOfReactants", MEMBER_OBJECT_ARRAY, 8, 1044, 0, "listOfReactants_n",
     PKG "JListOfReactants"},
    {"listOfProducts_n", MEMBER_INT, 4, 1052, 0, "", ""},
    {"listOfProducts", MEMBER_OBJECT_ARRAY, 8, 1056, 0, "listOfProducts_n",
     PKG "JListOfProducts"},
    {"listOfModifiers_n", MEMBER_INT, 4, 1064, 0, "", ""},
    {"listOfModifiers", MEMBER_OBJECT_ARRAY, 8, 1068, 0, "listOfModifiers_n",
     PKG "JListOfModifiers"},
    {"modifierComplex_n", MEMBER_INT, 4, 1076, 0, "", ""},
    {"modifierComplex", MEMBER_OBJECT_ARRAY, 8, 1080, 0, "modifierComplex_n",
     PKG "JModifierComplex"},
};
const MemberDescriptor kSpecie[] = {
    {"specieID", MEMBER_INT, 4, 0, 0, "", ""},
    {"name", MEMBER_STRING, 256, 4, 0, "", ""},
    {"compartment", MEMBER_INT, 4, 260, 0, "", ""},
    {"specieAttribute", MEMBER_OBJECT, 52, 264, 0, "", PKG "JSpecieAttribute"},
    {"listOfElements_n", MEMBER_INT, 4, 316, 0, "", ""},
    {"listOfElements", MEMBER_OBJECT_ARRAY, 8, 320, 0, "listOfElements_n",
     PKG "JListOfElements"},
};
const MemberDescriptor kSpecieAttribute[] = {
    {"specieClass", MEMBER_INT, 4, 0, 0, "", ""},
    {"massBalance", MEMBER_INT, 4, 4, 0, "", ""},
    {"totalAmount", MEMBER_INT, 4, 8, 0, "", ""},
    {"decomposition", MEMBER_INT, 4, 12, 0, "", ""},
    {"initialAmount_isValid", MEMBER_INT, 4, 16, 0, "", ""},
    {"initialAmount", MEMBER_STRING, 32, 20, 0, "", ""},
};
const MemberDescriptor kSpecieReference[] = {
    {"specieID", MEMBER_INT, 4, 0, 0, "", ""},
    {"name", MEMBER_STRING, 256, 4, 0, "", ""},
    {"compartment", MEMBER_INT, 4, 260, 0, "", ""},
    {"stoichiometry", MEMBER_STRING, 32, 264, 0, "", ""},
};

template <size_t N>
constexpr ClassDescriptor describe(const char* name, int32_t recordSize,
                                   const MemberDescriptor (&members)[N]) {
    return ClassDescriptor{name, 0, static_cast<int32_t>(N), recordSize, members};
}

// Lookup order: the first class whose name matches wins.
const ClassDescriptor kClasses[] = {
    describe(PKG "JCompartment", 292, kCompartment),
    describe(PKG "JListOfCompartments", 12, kListOfCompartments),
    describe(PKG "JListOfElements", 12, kListOfElements),
    describe(PKG "JListOfModifiers", 12, kListOfModifiers),
    describe(PKG "JListOfProducts", 12, kListOfProducts),
    describe(PKG "JListOfReactants", 12, kListOfReactants),
    describe(PKG "JListOfReactions", 16, kListOfReactions),
    describe(PKG "JListOfSpecies", 12, kListOfSpecies),
    describe(PKG "JModel", 1316, kModel),
    describe(PKG "JModelPack", 2344, kModelPack),
    describe(PKG "JModifierComplex", 296, kModifierComplex),
    describe(PKG "JModifierSpecieReference", 304, kModifierSpecieReference),
    describe(PKG "JReaction", 1088, kReaction),
    describe(PKG "JSpecie", 328, kSpecie),
    describe(PKG "JSpecieAttribute", 52, kSpecieAttribute),
    describe(PKG "JSpecieReference", 296, kSpecieReference),
};

#undef PKG

// The text after the last "/" of a JNI path, or the whole path.
const char* last_component(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

bool is_record_name(const char* className, const char* recordName) {
    const char* base = last_component(className);
    size_t length = std::strlen(base);
    return std::strncmp(base, recordName, length) == 0 &&
           std::strcmp(recordName + length, "_t") == 0;
}

}  // namespace

namespace zymorax::bridge {

bool descriptor_usable(const ClassDescriptor& descriptor) {
    return descriptor.className != nullptr && descriptor.recordSize > 0 &&
           descriptor.memberCount >= 0 &&
           (descriptor.memberCount == 0 || descriptor.members != nullptr);
}

bool member_signature(int kind, const char* elementClass, std::string& signature) {
    static const char* const kFixed[] = {
        nullptr, "Ljava/lang/String;", "Z", "B", "S", "I", "J", nullptr,
        "[Z", "[B", "[S", "[I", "[J", "[Ljava/lang/String;", nullptr,
    };
    if (kind < MEMBER_STRING || kind > MEMBER_OBJECT) return false;
    if (kind == MEMBER_OBJECT_ARRAY || kind == MEMBER_OBJECT) {
        if (elementClass == nullptr || elementClass[0] == '\0') return false;
        signature = std::string(kind == MEMBER_OBJECT_ARRAY ? "[L" : "L") + elementClass + ";";
        return true;
    }
    signature = kFixed[kind];
    return true;
}

int primitive_element_size(int kind) {
    switch (kind) {
        case MEMBER_BOOLEAN_ARRAY: return 1;
        case MEMBER_BYTE_ARRAY: return 1;
        case MEMBER_SHORT_ARRAY: return 2;
        case MEMBER_INT_ARRAY: return 4;
        case MEMBER_LONG_ARRAY: return 8;
        default: return 0;
    }
}

const ClassDescriptor* element_descriptor(const MemberDescriptor& member) {
    const ClassDescriptor* descriptor = nullptr;
    if (JU_clsname2mmd(member.elementClass, &descriptor) != 0) return nullptr;
    return descriptor;
}

bool member_fits(const ClassDescriptor& owner, const MemberDescriptor& member) {
    if (member.fieldName == nullptr || member.offset < 0 || member.width < 0 ||
        member.width > owner.recordSize - member.offset)
        return false;
    switch (member.kind) {
        case MEMBER_BOOLEAN: case MEMBER_BYTE: case MEMBER_SHORT: case MEMBER_INT:
        case MEMBER_LONG:
            return member.width == 1 || member.width == 2 || member.width == 4 ||
                   member.width == 8;
        case MEMBER_OBJECT_ARRAY:
            return member.width == static_cast<int32_t>(sizeof(void*));
        case MEMBER_OBJECT: {
            const ClassDescriptor* embedded = element_descriptor(member);
            return embedded != nullptr && embedded->recordSize == member.width;
        }
        case MEMBER_BOOLEAN_ARRAY: case MEMBER_BYTE_ARRAY: case MEMBER_SHORT_ARRAY:
        case MEMBER_INT_ARRAY: case MEMBER_LONG_ARRAY:
            return member.arrayLength >= 0 &&
                   member.arrayLength <= member.width / primitive_element_size(member.kind);
        default:
            return true;
    }
}

}  // namespace zymorax::bridge

extern "C" {

int JU_clsname2mmd(const char* className, const ClassDescriptor** descriptor) {
    if (className == nullptr || descriptor == nullptr) return -1;
    for (const ClassDescriptor& candidate : kClasses) {
        if (std::strcmp(candidate.className, className) == 0) {
            *descriptor = &candidate;
            return 0;
        }
    }
    return -1;
}

int JU_strname2mmd(const char* recordName, const ClassDescriptor** descriptor) {
    if (recordName == nullptr || descriptor == nullptr) return -1;
    for (const ClassDescriptor& candidate : kClasses) {
        if (is_record_name(candidate.className, recordName)) {
            *descriptor = &candidate;
            return 0;
        }
    }
    return -1;
}

int JU_fldname2md(const ClassDescriptor* descriptor, const char* fieldName,
                  const MemberDescriptor** member) {
    if (descriptor == nullptr || descriptor->members == nullptr || fieldName == nullptr ||
        member == nullptr)
        return -1;
    for (int32_t index = 0; index < descriptor->memberCount; ++index) {
        const MemberDescriptor& candidate = descriptor->members[index];
        if (candidate.fieldName != nullptr && std::strcmp(candidate.fieldName, fieldName) == 0) {
            *member = &candidate;
            return 0;
        }
    }
    return -1;
}

int JU_mid2sig(int kind, const char* elementClass, char* buffer, int size) {
    std::string signature;
    if (buffer == nullptr || size <= 0) return -1;
    try {
        if (!zymorax::bridge::member_signature(kind, elementClass, signature)) return -1;
    } catch (...) {
        return -1;
    }
    std::snprintf(buffer, static_cast<size_t>(size), "%s", signature.c_str());
    return 0;
}

}  // extern "C"
