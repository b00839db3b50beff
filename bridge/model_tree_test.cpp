// A whole parse result: Java tree to records, field by field, back to Java, and released.
// Record members are compared as values (unary plus): gtest would bind a reference to a packed,
// possibly misaligned member.
#include <cstdlib>
#include <cstring>
#include <string>

#include "heap_tracker.h"
#include "records.h"
#include "test_jvm.h"
#include "zymorax_formula.h"

namespace {

namespace heap = bridge_test::heap_tracker;
using bridge_test::catalogue;

// Kind-7 blocks of ModelFactory.sample(): compartments, species, one complex's element lists
// and their references, the layers, two reaction arrays, and the lists of three reactions.
constexpr size_t kSampleBlocks = 1 + 1 + 2 + 1 + 2 + 6 + 5 + 6;

std::string text(const char* field, size_t width) { return std::string(field, width); }

// A fixed field holding `value` and zero bytes after it.
std::string field(const std::string& value, size_t width) {
    return value + std::string(width - value.size(), '\0');
}

class ModelTree : public bridge_test::JvmTest {
protected:
    JModelPack_t* convert_sample(const char* factory = "sample") {
        const ClassDescriptor* descriptor = nullptr;
        EXPECT_EQ(JU_clsname2mmd("jp/co/vorn/quendra/JModelPack", &descriptor), 0);
        jobject pack = call_factory("bridgetest/ModelFactory", factory,
                                    "()Ljp/co/vorn/quendra/JModelPack;");
        auto* record = static_cast<JModelPack_t*>(std::calloc(1, descriptor->recordSize));
        if (JU_convert_j2c(env, descriptor, pack, record, 0) != 0) {
            std::free(record);
            return nullptr;
        }
        return record;
    }
};

void expect_reference(const JSpecieReference_t& ref, int id, const char* name, int compartment,
                      const char* stoichiometry) {
    EXPECT_EQ(+ref.specieID, id);
    EXPECT_EQ(text(ref.name, 256), field(name, 256));
    EXPECT_EQ(+ref.compartment, compartment);
    EXPECT_EQ(text(ref.stoichiometry, 32), field(stoichiometry, 32));
}

void expect_model_header(const JModelPack_t& pack) {
    EXPECT_EQ(+pack.result, 0);
    EXPECT_EQ(text(pack.errmsg, 1024), std::string(1024, '\0'));
    const JModel_t& model = pack.model;
    EXPECT_EQ(text(model.name, 256), field("Glucose uptake", 256));
    EXPECT_EQ(text(model.modelInfo, 1024),
              field("\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x82\x83\x66\x83\x8B", 1024));
    ASSERT_EQ(+model.listOfCompartments.numberOfCompartments, 2);
    const JCompartment_t* compartments = model.listOfCompartments.compartment;
    ASSERT_NE(compartments, nullptr);
    EXPECT_EQ(+compartments[0].compartmentID, 1);
    EXPECT_EQ(text(compartments[0].name, 256), field("cytosol", 256));
    EXPECT_EQ(text(compartments[0].volume, 32), field("1.0", 32));
    EXPECT_EQ(text(compartments[1].name, 256), field("\x8A\x6A", 256));
    EXPECT_EQ(text(compartments[1].volume, 32), field("2.5E-1", 32));
}

void expect_species(const JListOfSpecies_t& species) {
    ASSERT_EQ(+species.numberOfSpecies, 3);
    ASSERT_NE(+species.specie, nullptr);
    const JSpecie_t& glc = species.specie[0];
    EXPECT_EQ(+glc.specieID, 10);
    EXPECT_EQ(text(glc.name, 256), field("Glc", 256));
    EXPECT_EQ(+glc.compartment, 1);
    EXPECT_EQ(+glc.specieAttribute.specieClass, 7);
    EXPECT_EQ(+glc.specieAttribute.massBalance, 1);
    EXPECT_EQ(+glc.specieAttribute.totalAmount, 0);
    EXPECT_EQ(+glc.specieAttribute.decomposition, 1);
    EXPECT_EQ(+glc.specieAttribute.initialAmount_isValid, 1);
    EXPECT_EQ(text(glc.specieAttribute.initialAmount, 32), field("5.0", 32));
    EXPECT_EQ(+glc.listOfElements_n, 0);
    EXPECT_EQ(+glc.listOfElements, nullptr);
    const JSpecie_t& complex = species.specie[2];
    EXPECT_EQ(+complex.specieAttribute.specieClass, 10);
    EXPECT_EQ(+complex.specieAttribute.initialAmount_isValid, 0);
    ASSERT_EQ(+complex.listOfElements_n, 1);
    ASSERT_NE(+complex.listOfElements, nullptr);
    ASSERT_EQ(+complex.listOfElements[0].numberOfElements, 2);
    expect_reference(complex.listOfElements[0].specieReference[0], 10, "Glc", 1, "1");
    expect_reference(complex.listOfElements[0].specieReference[1], 11, "HK", 1, "1");
}

void expect_modifier(const JModifierSpecieReference_t& modifier, int id, int type, int total) {
    EXPECT_EQ(+modifier.specieID, id);
    EXPECT_EQ(+modifier.compartment, 1);
    EXPECT_EQ(text(modifier.stoichiometry, 32), field("1", 32));
    EXPECT_EQ(+modifier.modifierType, type);
    EXPECT_EQ(+modifier.isTotal, total);
}

void expect_gene_layer(const JListOfReactions_t& layer) {
    EXPECT_EQ(+layer.layer, 1);
    ASSERT_EQ(+layer.numberOfReactions, 2);
    const JReaction_t& transcription = layer.reaction[0];
    EXPECT_EQ(+transcription.reactionID, 100);
    EXPECT_EQ(+transcription.groupID, 7);
    EXPECT_EQ(+transcription.reactionType, 13);
    EXPECT_EQ(+transcription.isConvertible, 1);
    EXPECT_EQ(text(transcription.modifierReactionEquation, 1024), field("gene -> mRNA", 1024));
    ASSERT_EQ(+transcription.listOfReactants_n, 1);
    expect_reference(transcription.listOfReactants[0].specieReference[0], 20, "gene", 2, "1");
    ASSERT_EQ(+transcription.listOfModifiers_n, 1);
    ASSERT_EQ(+transcription.listOfModifiers[0].numberOfModifiers, 2);
    expect_modifier(transcription.listOfModifiers[0].modifierSpecieReference[0], 11, 2, 0);
    expect_modifier(transcription.listOfModifiers[0].modifierSpecieReference[1], 10, 3, 1);
    EXPECT_EQ(+transcription.modifierComplex_n, 0);
    EXPECT_EQ(+transcription.modifierComplex, nullptr);

    const JReaction_t& binding = layer.reaction[1];
    EXPECT_EQ(+binding.isConvertible, 2);
    ASSERT_EQ(+binding.listOfReactants[0].numberOfReactants, 2);
    expect_reference(binding.listOfReactants[0].specieReference[1], 11, "HK", 1, "1");
    EXPECT_EQ(+binding.listOfModifiers_n, 0);
    EXPECT_EQ(+binding.listOfModifiers, nullptr);
    ASSERT_EQ(+binding.modifierComplex_n, 1);
    expect_reference(binding.modifierComplex[0].specieReference, 12, "HK:Glc", 1, "1");
}

void expect_metabolic_layer(const JListOfReactions_t& layer) {
    EXPECT_EQ(+layer.layer, 3);
    ASSERT_EQ(+layer.numberOfReactions, 1);
    const JReaction_t& conversion = layer.reaction[0];
    EXPECT_EQ(+conversion.reactionID, 200);
    EXPECT_EQ(+conversion.reactionType, 8);
    expect_reference(conversion.listOfReactants[0].specieReference[0], 10, "Glc", 1, "1.5E-3");
    ASSERT_EQ(+conversion.listOfProducts_n, 1);
    expect_reference(conversion.listOfProducts[0].specieReference[0], 13, "G6P", 1, "2");
    expect_modifier(conversion.listOfModifiers[0].modifierSpecieReference[0], 11, 1, 1);
}

TEST_F(ModelTree, JavaToRecordFieldByField) {
    JModelPack_t* pack = convert_sample();
    ASSERT_NE(pack, nullptr);
    expect_model_header(*pack);
    expect_species(pack->model.listOfSpecies);
    ASSERT_EQ(+pack->model.listOfReactions_n, 2);
    ASSERT_NE(+pack->model.listOfReactions, nullptr);
    expect_gene_layer(pack->model.listOfReactions[0]);
    expect_metabolic_layer(pack->model.listOfReactions[1]);
    EXPECT_EQ(JU_free(catalogue("JModelPack"), pack), 0);
}

TEST_F(ModelTree, RecordBackToJavaGivesTheSameTree) {
    jobject original = call_factory("bridgetest/ModelFactory", "sample",
                                    "()Ljp/co/vorn/quendra/JModelPack;");
    const std::string expected = describe(original);
    EXPECT_NE(expected.find("name=\"Glucose uptake\""), std::string::npos) << expected;
    JModelPack_t* pack = convert_sample();
    ASSERT_NE(pack, nullptr);
    jobject back = nullptr;
    ASSERT_EQ(JU_convert_c2j(env, catalogue("JModelPack"), pack, &back), 0);
    EXPECT_EQ(describe(back), expected);
    EXPECT_EQ(JU_free(catalogue("JModelPack"), pack), 0);
}

TEST_F(ModelTree, FreeReleasesEveryBlockTheConversionAllocated) {
    if (!heap::available()) GTEST_SKIP() << "the sanitizer's allocator is in charge";
    ASSERT_TRUE(heap::start());
    JModelPack_t* pack = convert_sample();
    ASSERT_NE(pack, nullptr);
    heap::watch(pack);
    EXPECT_EQ(heap::bridge_allocations(), kSampleBlocks);
    EXPECT_EQ(heap::live_blocks(), kSampleBlocks + 1);
    EXPECT_EQ(JU_free(catalogue("JModelPack"), pack), 0);
    EXPECT_EQ(heap::live_blocks(), 0u);
    heap::stop();
}

// Thousands of elements in one array, both ways, inside a small local frame.
TEST_F(ModelTree, ThousandsOfReactions) {
    jclass factory = env->FindClass("bridgetest/ModelFactory");
    jmethodID large = env->GetStaticMethodID(factory, "large", "(I)Ljp/co/vorn/quendra/JModelPack;");
    ASSERT_NE(large, nullptr);
    ASSERT_EQ(env->PushLocalFrame(64), 0);
    jobject pack = env->CallStaticObjectMethod(factory, large, 3000);
    ASSERT_NE(pack, nullptr);
    auto* record = static_cast<JModelPack_t*>(std::calloc(1, sizeof(JModelPack_t)));
    EXPECT_EQ(JU_convert_j2c(env, catalogue("JModelPack"), pack, record, 0), 0);
    jobject back = nullptr;
    EXPECT_EQ(JU_convert_c2j(env, catalogue("JModelPack"), record, &back), 0);
    jobject reactions = get_object(
        env->GetObjectArrayElement(static_cast<jobjectArray>(get_object(
                                       get_object(back, "model", "Ljp/co/vorn/quendra/JModel;"),
                                       "listOfReactions", "[Ljp/co/vorn/quendra/JListOfReactions;")),
                                   0),
        "reaction", "[Ljp/co/vorn/quendra/JReaction;");
    EXPECT_EQ(env->GetArrayLength(static_cast<jarray>(reactions)), 3000);
    env->PopLocalFrame(nullptr);
    ASSERT_EQ(+record->model.listOfReactions[0].numberOfReactions, 3000);
    EXPECT_EQ(+record->model.listOfReactions[0].reaction[2999].reactionID, 2999);
    EXPECT_EQ(JU_free(catalogue("JModelPack"), record), 0);
}

TEST_F(ModelTree, FailedConversionReleasesWhatItAllocated) {
    const bool tracking = heap::start();
    const ClassDescriptor* descriptor = catalogue("JModelPack");
    jobject pack = call_factory("bridgetest/ModelFactory", "miscounted",
                                "()Ljp/co/vorn/quendra/JModelPack;");
    std::string record(sizeof(JModelPack_t), '\x5A');
    EXPECT_EQ(JU_convert_j2c(env, descriptor, pack, record.data(), ' '), -1);
    EXPECT_FALSE(env->ExceptionCheck());
    EXPECT_EQ(record, std::string(sizeof(JModelPack_t), '\0'));
    if (tracking) {
        EXPECT_GT(heap::bridge_allocations(), 10u);  // it failed deep inside the tree
        EXPECT_EQ(heap::live_blocks(), 0u);
    }
    heap::stop();
}

}  // namespace
