#include "model_builder.h"

#include <gtest/gtest.h>

#include <cstring>

#include "vocabulary.h"

namespace {

template <size_t n>
void setText(char (&field)[n], const std::string& text) {
    std::memset(field, 0, n);
    std::memcpy(field, text.data(), std::min(n, text.size()));
}

JSpecieReference_t reference(int id, const std::string& stoichiometry) {
    JSpecieReference_t ref{};
    ref.specieID = id;
    setText(ref.name, "S" + std::to_string(id));
    setText(ref.stoichiometry, stoichiometry);
    return ref;
}

// One transcription reaction with one modifier list holding one regulator.
struct TranscriptionRecord {
    JModifierSpecieReference_t regulator{};
    JListOfModifiers_t modifiers{};
    JReaction_t reaction{};

    TranscriptionRecord(int id, int group, int regulatorID, const std::string& text) {
        regulator.specieID = regulatorID;
        regulator.modifierType = MODIFIER_OCCUPIED;
        modifiers.numberOfModifiers = 1;
        modifiers.modifierSpecieReference = &regulator;
        reaction.reactionID = id;
        reaction.groupID = group;
        reaction.reactionType = REACTION_TRANSCRIPTION;
        reaction.listOfModifiers_n = 1;
        reaction.listOfModifiers = &modifiers;
        setText(reaction.modifierReactionEquation, text);
    }
};

}  // namespace

TEST(ModelBuilderTest, ReadsNumbersFromTextAndShortensCompartmentNames) {
    JCompartment_t compartments[2] = {};
    setText(compartments[0].name, "cytosol");
    setText(compartments[0].volume, "1.5E-3");
    setText(compartments[1].name, "er");
    setText(compartments[1].volume, "volume?");
    JSpecieReference_t refs[3] = {reference(1, "2"), reference(2, "1.5E-3"), reference(3, "")};
    JListOfReactants_t reactants{3, refs};
    JReaction_t reaction{};
    reaction.reactionType = REACTION_IRREVERSIBLE_CONVERSION;
    reaction.listOfReactants_n = 1;
    reaction.listOfReactants = &reactants;
    JListOfReactions_t layer{LAYER_METABOLIC, 1, &reaction};
    JModel_t source{};
    source.listOfCompartments = {2, compartments};
    source.listOfReactions_n = 1;
    source.listOfReactions = &layer;

    Model model;
    buildModel(source, model);
    ASSERT_EQ(model.listOfCompartments.numberOfCompartments(), 2);
    EXPECT_EQ(model.listOfCompartments.compartment[0].shortName, "cyt");
    EXPECT_EQ(model.listOfCompartments.compartment[1].shortName, "er");
    EXPECT_DOUBLE_EQ(model.listOfCompartments.compartment[0].volume, 0.0015);
    EXPECT_EQ(model.listOfCompartments.compartment[1].volume, 0.0);
    const SpecieRefList& list = model.listOfReactions[0].reaction[0].listOfReactants[0];
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.ref[0].stoichiometry, 2.0);
    EXPECT_EQ(list.ref[1].stoichiometry, 0.0015);
    EXPECT_EQ(list.ref[2].stoichiometry, 0.0);
    EXPECT_TRUE(model.listOfReactions[0].reaction[0].listOfModifiers.empty());
    EXPECT_TRUE(model.listOfReactions[0].reaction[0].modifierComplex.empty());
}

TEST(ModelBuilderTest, UnterminatedTextFieldsAreCutToStayUsable) {
    JModel_t source{};
    std::memset(source.name, 'n', sizeof source.name);
    std::memset(source.modelInfo, 'i', sizeof source.modelInfo);
    JSpecie_t specie{};
    std::memset(specie.name, 's', sizeof specie.name);
    std::memset(specie.specieAttribute.initialAmount, '1',
                sizeof specie.specieAttribute.initialAmount);
    source.listOfSpecies = {1, &specie};
    Model model;
    buildModel(source, model);
    EXPECT_EQ(model.name, std::string(255, 'n'));
    EXPECT_EQ(model.modelInfo, std::string(1023, 'i'));
    EXPECT_EQ(model.listOfSpecies.specie[0].name, std::string(255, 's'));
    EXPECT_DOUBLE_EQ(model.listOfSpecies.specie[0].initialAmount, 1.1111111111111111e31);
}

TEST(ModelBuilderTest, MergesTranscriptionsOfOneGroupPerLayer) {
    TranscriptionRecord first(11, 7, 101, "g1"), other(12, 5, 102, "h"), second(13, 7, 103, "g2"),
        third(14, 7, 104, "g3");
    JReaction_t reactions[4] = {first.reaction, other.reaction, second.reaction, third.reaction};
    TranscriptionRecord elsewhere(21, 7, 105, "x");
    JListOfReactions_t layers[2] = {{LAYER_GENE_PROTEIN_1, 4, reactions},
                                    {LAYER_GENE_PROTEIN_2, 1, &elsewhere.reaction}};
    JModel_t source{};
    source.listOfReactions_n = 2;
    source.listOfReactions = layers;

    Model model;
    buildModel(source, model);
    const ReactionLayer& layer = model.listOfReactions[0];
    ASSERT_EQ(layer.numberOfReactions(), 2);
    const Reaction& merged = layer.reaction[0];
    EXPECT_EQ(merged.reactionID, 11);
    EXPECT_EQ(merged.modifierReactionEquation, "g1</br>\n            g2</br>\n            g3");
    ASSERT_EQ(merged.listOfModifiers[0].count(), 3);
    EXPECT_EQ(merged.listOfModifiers[0].ref[0].specieID, 101);
    EXPECT_EQ(merged.listOfModifiers[0].ref[1].specieID, 103);
    EXPECT_EQ(merged.listOfModifiers[0].ref[2].specieID, 104);
    EXPECT_EQ(layer.reaction[1].reactionID, 12);
    // Equal groups in different layers stay apart.
    EXPECT_EQ(model.listOfReactions[1].numberOfReactions(), 1);
}

// The first of a group without a modifier list takes the regulators of the others; the joined
// display text is bounded by the scratch size.
TEST(ModelBuilderTest, MergingKeepsRegulatorsAndBoundsTheJoinedText) {
    Reaction bare;
    bare.reactionType = REACTION_TRANSCRIPTION;
    bare.modifierReactionEquation = "a";
    Reaction regulated = bare;
    regulated.modifierReactionEquation = "b";
    regulated.listOfModifiers = {SpecieRefList{{SpecieRef{9, "R", 1, 1.0, MODIFIER_FREE, 0}}}};
    Reaction none;
    none.reactionType = REACTION_NONE;
    ReactionLayer layer;
    layer.reaction = {bare, none, regulated};
    mergeTranscriptions(layer);
    ASSERT_EQ(layer.numberOfReactions(), 1);
    EXPECT_EQ(layer.reaction[0].modifierReactionEquation, "a</br>\n            b");
    ASSERT_EQ(layer.reaction[0].listOfModifiers.size(), 1u);
    EXPECT_EQ(layer.reaction[0].listOfModifiers[0].ref[0].specieID, 9);

    bare.modifierReactionEquation = std::string(200000, 'a');
    layer.reaction = {bare, bare};
    mergeTranscriptions(layer);
    EXPECT_EQ(layer.reaction[0].modifierReactionEquation.size(), 262143u);
}
