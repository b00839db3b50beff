// The catalogue against the shared record layouts, and the lookups over it.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "records.h"
#include "zymorax_formula.h"

namespace {

struct ExpectedMember {
    const char* name;
    int kind;
    size_t offset;
    size_t width;
    const char* countField;    // object arrays: the int sibling holding the count
    const char* elementClass;  // object arrays and embedded objects: a catalogued class
};

struct ExpectedClass {
    const char* name;
    size_t size;
    std::vector<ExpectedMember> members;
};

#define MEMBER(T, field, kind) \
    ExpectedMember{#field, kind, offsetof(T, field), sizeof(T::field), "", ""}
#define ARRAY(T, field, count, element) \
    ExpectedMember{#field, 7, offsetof(T, field), sizeof(T::field), #count, element}
#define OBJECT(T, field, element) \
    ExpectedMember{#field, 14, offsetof(T, field), sizeof(T::field), "", element}

const std::vector<ExpectedClass>& expected_catalogue() {
    static const std::vector<ExpectedClass> classes = {
        {"JCompartment", sizeof(JCompartment_t),
         {MEMBER(JCompartment_t, compartmentID, 5), MEMBER(JCompartment_t, name, 1),
          MEMBER(JCompartment_t, volume, 1)}},
        {"JListOfCompartments", sizeof(JListOfCompartments_t),
         {MEMBER(JListOfCompartments_t, numberOfCompartments, 5),
          ARRAY(JListOfCompartments_t, compartment, numberOfCompartments, "JCompartment")}},
        {"JListOfElements", sizeof(JListOfElements_t),
         {MEMBER(JListOfElements_t, numberOfElements, 5),
          ARRAY(JListOfElements_t, specieReference, numberOfElements, "JSpecieReference")}},
        {"JListOfModifiers", sizeof(JListOfModifiers_t),
         {MEMBER(JListOfModifiers_t, numberOfModifiers, 5),
          ARRAY(JListOfModifiers_t, modifierSpecieReference, numberOfModifiers,
                "JModifierSpecieReference")}},
        {"JListOfProducts", sizeof(JListOfProducts_t),
         {MEMBER(JListOfProducts_t, numberOfProducts, 5),
          ARRAY(JListOfProducts_t, specieReference, numberOfProducts, "JSpecieReference")}},
        {"JListOfReactants", sizeof(JListOfReactants_t),
         {MEMBER(JListOfReactants_t, numberOfReactants, 5),
          ARRAY(JListOfReactants_t, specieReference, numberOfReactants, "JSpecieReference")}},
        {"JListOfReactions", sizeof(JListOfReactions_t),
         {MEMBER(JListOfReactions_t, layer, 5), MEMBER(JListOfReactions_t, numberOfReactions, 5),
          ARRAY(JListOfReactions_t, reaction, numberOfReactions, "JReaction")}},
        {"JListOfSpecies", sizeof(JListOfSpecies_t),
         {MEMBER(JListOfSpecies_t, numberOfSpecies, 5),
          ARRAY(JListOfSpecies_t, specie, numberOfSpecies, "JSpecie")}},
        {"JModel", sizeof(JModel_t),
         {MEMBER(JModel_t, name, 1), MEMBER(JModel_t, modelInfo, 1),
          OBJECT(JModel_t, listOfCompartments, "JListOfCompartments"),
          OBJECT(JModel_t, listOfSpecies, "JListOfSpecies"), MEMBER(JModel_t, listOfReactions_n, 5),
          ARRAY(JModel_t, listOfReactions, listOfReactions_n, "JListOfReactions")}},
        {"JModelPack", sizeof(JModelPack_t),
         {MEMBER(JModelPack_t, result, 5), MEMBER(JModelPack_t, errmsg, 1),
          OBJECT(JModelPack_t, model, "JModel")}},
        {"JModifierComplex", sizeof(JModifierComplex_t),
         {OBJECT(JModifierComplex_t, specieReference, "JSpecieReference")}},
        {"JModifierSpecieReference", sizeof(JModifierSpecieReference_t),
         {MEMBER(JModifierSpecieReference_t, specieID, 5),
          MEMBER(JModifierSpecieReference_t, name, 1),
          MEMBER(JModifierSpecieReference_t, compartment, 5),
          MEMBER(JModifierSpecieReference_t, stoichiometry, 1),
          MEMBER(JModifierSpecieReference_t, modifierType, 5),
          MEMBER(JModifierSpecieReference_t, isTotal, 5)}},
        {"JReaction", sizeof(JReaction_t),
         {MEMBER(JReaction_t, reactionID, 5), MEMBER(JReaction_t, groupID, 5),
          MEMBER(JReaction_t, reactionType, 5), MEMBER(JReaction_t, isConvertible, 5),
          MEMBER(JReaction_t, modifierReactionEquation, 1),
          MEMBER(JReaction_t, listOfReactants_n, 5),
          ARRAY(JReaction_t, listOfReactants, listOfReactants_n, "JListOfReactants"),
          MEMBER(JReaction_t, listOfProducts_n, 5),
          ARRAY(JReaction_t, listOfProducts, listOfProducts_n, "JListOfProducts"),
          MEMBER(JReaction_t, listOfModifiers_n, 5),
          ARRAY(JReaction_t, listOfModifiers, listOfModifiers_n, "JListOfModifiers"),
          MEMBER(JReaction_t, modifierComplex_n, 5),
          ARRAY(JReaction_t, modifierComplex, modifierComplex_n, "JModifierComplex")}},
        {"JSpecie", sizeof(JSpecie_t),
         {MEMBER(JSpecie_t, specieID, 5), MEMBER(JSpecie_t, name, 1),
          MEMBER(JSpecie_t, compartment, 5),
          OBJECT(JSpecie_t, specieAttribute, "JSpecieAttribute"),
          MEMBER(JSpecie_t, listOfElements_n, 5),
          ARRAY(JSpecie_t, listOfElements, listOfElements_n, "JListOfElements")}},
        {"JSpecieAttribute", sizeof(JSpecieAttribute_t),
         {MEMBER(JSpecieAttribute_t, specieClass, 5), MEMBER(JSpecieAttribute_t, massBalance, 5),
          MEMBER(JSpecieAttribute_t, totalAmount, 5),
          MEMBER(JSpecieAttribute_t, decomposition, 5),
          MEMBER(JSpecieAttribute_t, initialAmount_isValid, 5),
          MEMBER(JSpecieAttribute_t, initialAmount, 1)}},
        {"JSpecieReference", sizeof(JSpecieReference_t),
         {MEMBER(JSpecieReference_t, specieID, 5), MEMBER(JSpecieReference_t, name, 1),
          MEMBER(JSpecieReference_t, compartment, 5),
          MEMBER(JSpecieReference_t, stoichiometry, 1)}},
    };
    return classes;
}

#undef MEMBER
#undef ARRAY
#undef OBJECT

const ClassDescriptor* lookup(const std::string& simpleName) {
    const ClassDescriptor* descriptor = nullptr;
    if (JU_clsname2mmd(("jp/co/vorn/quendra/" + simpleName).c_str(), &descriptor) != 0)
        return nullptr;
    return descriptor;
}

// Object arrays are 8-byte pointers counted by an int sibling; embedded objects are exactly
// their class's record.
void expect_link(const ClassDescriptor& owner, const MemberDescriptor& member) {
    const ClassDescriptor* element = nullptr;
    ASSERT_EQ(JU_clsname2mmd(member.elementClass, &element), 0);
    if (member.kind == MEMBER_OBJECT) {
        EXPECT_EQ(element->recordSize, member.width);
        return;
    }
    const MemberDescriptor* count = nullptr;
    ASSERT_EQ(JU_fldname2md(&owner, member.countField, &count), 0);
    EXPECT_EQ(count->kind, MEMBER_INT);
    EXPECT_EQ(count->width, 4);
    EXPECT_EQ(member.width, 8);
}

// Every class and member in order, with no gaps between members.
TEST(Catalogue, EveryClassMatchesItsRecordLayout) {
    ASSERT_EQ(expected_catalogue().size(), 16u);
    for (const ExpectedClass& expected : expected_catalogue()) {
        SCOPED_TRACE(expected.name);
        const ClassDescriptor* descriptor = lookup(expected.name);
        ASSERT_NE(descriptor, nullptr);
        EXPECT_EQ(descriptor->reserved, 0);
        EXPECT_EQ(static_cast<size_t>(descriptor->recordSize), expected.size);
        ASSERT_EQ(static_cast<size_t>(descriptor->memberCount), expected.members.size());
        size_t widths = 0;
        for (size_t index = 0; index < expected.members.size(); ++index) {
            const MemberDescriptor& member = descriptor->members[index];
            const ExpectedMember& want = expected.members[index];
            SCOPED_TRACE(want.name);
            EXPECT_STREQ(member.fieldName, want.name);
            EXPECT_EQ(member.kind, want.kind);
            EXPECT_EQ(static_cast<size_t>(member.offset), want.offset);
            EXPECT_EQ(static_cast<size_t>(member.width), want.width);
            EXPECT_EQ(member.arrayLength, 0);
            EXPECT_STREQ(member.countField, want.countField);
            const bool linked = *want.elementClass != '\0';
            EXPECT_EQ(member.elementClass,
                      std::string(linked ? "jp/co/vorn/quendra/" : "") + want.elementClass);
            if (linked) expect_link(*descriptor, member);
            widths += static_cast<size_t>(member.width);
        }
        EXPECT_EQ(widths, expected.size);
    }
}

TEST(Catalogue, RecordSizesOnThisPlatform) {
    EXPECT_EQ(lookup("JModelPack")->recordSize, 4 + 1024 + 1316);
    EXPECT_EQ(lookup("JModel")->recordSize, 1316);
    EXPECT_EQ(lookup("JReaction")->recordSize, 1088);
    EXPECT_EQ(lookup("JSpecie")->recordSize, 328);
    EXPECT_EQ(lookup("JListOfReactions")->recordSize, 16);
}

TEST(Lookup, ClassByExactJniPath) {
    const ClassDescriptor* descriptor = nullptr;
    ASSERT_EQ(JU_clsname2mmd("jp/co/vorn/quendra/JModel", &descriptor), 0);
    EXPECT_STREQ(descriptor->className, "jp/co/vorn/quendra/JModel");

    const ClassDescriptor* untouched = descriptor;
    EXPECT_EQ(JU_clsname2mmd("JModel", &untouched), -1);
    EXPECT_EQ(untouched, descriptor);  // left unchanged on failure
    EXPECT_EQ(JU_clsname2mmd("jp.co.vorn.quendra.JModel", &untouched), -1);
    EXPECT_EQ(JU_clsname2mmd("jp/co/vorn/quendra/JModel ", &untouched), -1);
    EXPECT_EQ(JU_clsname2mmd("jp/co/vorn/quendra/JMode", &untouched), -1);
    EXPECT_EQ(JU_clsname2mmd("jp/co/vorn/quendra/jmodel", &untouched), -1);
    EXPECT_EQ(JU_clsname2mmd(nullptr, &untouched), -1);
    EXPECT_EQ(JU_clsname2mmd("jp/co/vorn/quendra/JModel", nullptr), -1);
    EXPECT_EQ(untouched, descriptor);
}

TEST(Lookup, ClassByRecordTypeName) {
    const ClassDescriptor* descriptor = nullptr;
    for (std::string name : {"JModel", "JModelPack", "JSpecieReference"}) {
        ASSERT_EQ(JU_strname2mmd((name + "_t").c_str(), &descriptor), 0);
        EXPECT_EQ(descriptor->className, "jp/co/vorn/quendra/" + name);
    }

    const ClassDescriptor* untouched = descriptor;
    for (const char* name : {"JModel", "JModel_", "JModel_tt", "jp/co/vorn/quendra/JModel_t",
                             "JModel_T", "_t", ""}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(JU_strname2mmd(name, &untouched), -1);
        EXPECT_EQ(untouched, descriptor);
    }
    EXPECT_EQ(JU_strname2mmd(nullptr, &untouched), -1);
}

TEST(Lookup, FieldByName) {
    const ClassDescriptor* reaction = lookup("JReaction");
    ASSERT_NE(reaction, nullptr);
    const MemberDescriptor* member = nullptr;
    ASSERT_EQ(JU_fldname2md(reaction, "listOfModifiers_n", &member), 0);
    EXPECT_EQ(member->kind, MEMBER_INT);
    EXPECT_EQ(member->offset, 1064);
    const MemberDescriptor* modifiers = nullptr;
    ASSERT_EQ(JU_fldname2md(reaction, "listOfModifiers", &modifiers), 0);
    EXPECT_STREQ(modifiers->countField, "listOfModifiers_n");
    EXPECT_EQ(modifiers->offset, member->offset + member->width);

    const MemberDescriptor* untouched = member;
    EXPECT_EQ(JU_fldname2md(reaction, "listOfmodifiers_n", &untouched), -1);
    EXPECT_EQ(JU_fldname2md(reaction, "", &untouched), -1);
    EXPECT_EQ(JU_fldname2md(reaction, "specieID", &untouched), -1);  // another class's field
    EXPECT_EQ(JU_fldname2md(nullptr, "reactionID", &untouched), -1);
    EXPECT_EQ(JU_fldname2md(reaction, nullptr, &untouched), -1);
    EXPECT_EQ(untouched, member);
}

TEST(Signature, EveryKind) {
    const char* const expected[] = {
        nullptr, "Ljava/lang/String;", "Z", "B", "S", "I", "J",
        "[Ljp/co/vorn/quendra/JSpecie;", "[Z", "[B", "[S", "[I", "[J", "[Ljava/lang/String;",
        "Ljp/co/vorn/quendra/JSpecie;",
    };
    for (int kind = 1; kind <= 14; ++kind) {
        SCOPED_TRACE(kind);
        char buffer[128];
        std::memset(buffer, 'x', sizeof buffer);
        ASSERT_EQ(JU_mid2sig(kind, "jp/co/vorn/quendra/JSpecie", buffer, sizeof buffer), 0);
        EXPECT_STREQ(buffer, expected[kind]);
    }
}

TEST(Signature, Failures) {
    char buffer[64] = "unchanged";
    EXPECT_EQ(JU_mid2sig(0, "", buffer, sizeof buffer), -1);
    EXPECT_EQ(JU_mid2sig(15, "jp/co/vorn/quendra/JSpecie", buffer, sizeof buffer), -1);
    EXPECT_EQ(JU_mid2sig(-1, "", buffer, sizeof buffer), -1);
    EXPECT_EQ(JU_mid2sig(MEMBER_OBJECT_ARRAY, nullptr, buffer, sizeof buffer), -1);
    EXPECT_EQ(JU_mid2sig(MEMBER_OBJECT, "", buffer, sizeof buffer), -1);
    EXPECT_EQ(JU_mid2sig(MEMBER_INT, "", nullptr, 10), -1);
    EXPECT_EQ(JU_mid2sig(MEMBER_INT, "", buffer, 0), -1);
    EXPECT_STREQ(buffer, "unchanged");
    // Element classes play no part in the fixed signatures.
    EXPECT_EQ(JU_mid2sig(MEMBER_LONG, nullptr, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "J");
}

TEST(Signature, CutToTheBuffer) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_EQ(JU_mid2sig(MEMBER_OBJECT, "jp/co/vorn/quendra/JSpecie", buffer, 6), 0);
    EXPECT_STREQ(buffer, "Ljp/c");
    EXPECT_EQ(buffer[6], 'x');  // nothing beyond the given size
    ASSERT_EQ(JU_mid2sig(MEMBER_STRING_ARRAY, "", buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
}

}  // namespace
