// Native records of the Java model classes, shared by the bridge library and the converter.
//
// Each record holds the fields of its Java class in declaration order with no gaps: texts are
// fixed fields of MS932 bytes (not necessarily terminated), numbers are little-endian integers,
// object arrays are a pointer to separately allocated element records (their count is the
// sibling count field) and embedded objects lie in place. The class descriptors in descriptors.cpp
// describe exactly these layouts.
#pragma once

#include <cstdint>

#pragma pack(push, 1)

struct JCompartment_t {
    int32_t compartmentID;
    char name[256];
    char volume[32];
};

struct JListOfCompartments_t {
    int32_t numberOfCompartments;
    JCompartment_t* compartment;
};

struct JSpecieReference_t {
    int32_t specieID;
    char name[256];
    int32_t compartment;
    char stoichiometry[32];
};

struct JListOfElements_t {
    int32_t numberOfElements;
    JSpecieReference_t* specieReference;
};

struct JModifierSpecieReference_t {
    int32_t specieID;
    char name[256];
    int32_t compartment;
    char stoichiometry[32];
    int32_t modifierType;
    int32_t isTotal;
};

struct JListOfModifiers_t {
    int32_t numberOfModifiers;
    JModifierSpecieReference_t* modifierSpecieReference;
};

struct JListOfProducts_t {
    int32_t numberOfProducts;
    JSpecieReference_t* specieReference;
};

struct JListOfReactants_t {
    int32_t numberOfReactants;
    JSpecieReference_t* specieReference;
};

struct JModifierComplex_t {
    JSpecieReference_t specieReference;
};

struct JReaction_t {
    int32_t reactionID;
    int32_t groupID;
    int32_t reactionType;
    int32_t isConvertible;
    char modifierReactionEquation[1024];
    int32_t listOfReactants_n;
    JListOfReactants_t* listOfReactants;
    int32_t listOfProducts_n;
    JListOfProducts_t* listOfProducts;
    int32_t listOfModifiers_n;
    JListOfModifiers_t* listOfModifiers;
    int32_t modifierComplex_n;
    JModifierComplex_t* modifierComplex;
};

struct JListOfReactions_t {
    int32_t layer;
    int32_t numberOfReactions;
    JReaction_t* reaction;
};

struct JSpecieAttribute_t {
    int32_t specieClass;
    int32_t massBalance;
    int32_t totalAmount;
    int32_t decomposition;
    int32_t initialAmount_isValid;
    char initialAmount[32];
};

struct JSpecie_t {
    int32_t specieID;
    char name[256];
    int32_t compartment;
    JSpecieAttribute_t specieAttribute;
    int32_t listOfElements_n;
    JListOfElements_t* listOfElements;
};

struct JListOfSpecies_t {
    int32_t numberOfSpecies;
    JSpecie_t* specie;
};

struct JModel_t {
    char name[256];
    char modelInfo[1024];
    JListOfCompartments_t listOfCompartments;
    JListOfSpecies_t listOfSpecies;
    int32_t listOfReactions_n;
    JListOfReactions_t* listOfReactions;
};

struct JModelPack_t {
    int32_t result;
    char errmsg[1024];
    JModel_t model;
};

#pragma pack(pop)

static_assert(sizeof(JCompartment_t) == 292, "record layout");
static_assert(sizeof(JListOfCompartments_t) == 12, "record layout");
static_assert(sizeof(JSpecieReference_t) == 296, "record layout");
static_assert(sizeof(JModifierSpecieReference_t) == 304, "record layout");
static_assert(sizeof(JSpecieAttribute_t) == 52, "record layout");
static_assert(sizeof(JSpecie_t) == 328, "record layout");
static_assert(sizeof(JListOfReactions_t) == 16, "record layout");
static_assert(sizeof(JReaction_t) == 1088, "record layout");
static_assert(sizeof(JModel_t) == 1316, "record layout");
static_assert(sizeof(JModelPack_t) == 2344, "record layout");
