// Regulated transcription: the term with its occupied and free fractions, the depth-first
// search for the regulators' promoters and enhancers, and the reactions it refuses.
#include "gene1.h"

#include <gtest/gtest.h>

#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

// A model with the gene g (initial amount 1) and its RNA r.
TestModel geneAndRna() {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE, 1);
    t.species("r", CLASS_RNA);
    return t;
}

// g -> r regulated by the given modifiers (name, modifierType).
Reaction& regulatedTranscription(TestModel& t,
                                 const std::vector<std::pair<std::string, int>>& modifiers) {
    Refs refs;
    for (const auto& [name, type] : modifiers) refs.push_back({name, 1});
    Reaction& reaction =
        t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}}, refs);
    for (size_t i = 0; i < modifiers.size(); ++i) {
        reaction.listOfModifiers[0].ref[i].modifierType = modifiers[i].second;
    }
    return reaction;
}

std::string constants(const Conversion& c) {
    return section(c.dae, "constantPlayer[1]", "\n\n");
}

// Occupied (2) and free (3) regulators of one promoter; a modifier of another type adds
// nothing to the term but its name to the label. Gene and regulators get no terms and so
// become constants after the decay stage; the promoter's total is a constant without a value.
TEST(Gene1, OneTermOfTheProductWithOccupiedAndFreeFractionsAndTheGene) {
    TestModel t = geneAndRna();
    t.species("P", CLASS_DNA_PROMOTER);
    t.species("TF", CLASS_PROTEIN);
    t.complex("TF:P", {{"TF", 1}, {"P", 1}});
    t.species("Rep", CLASS_PROTEIN);
    t.complex("Rep:P", {{"Rep", 1}, {"P", 1}});
    Reaction& reaction = regulatedTranscription(
        t, {{"TF:P", MODIFIER_OCCUPIED}, {"Rep:P", MODIFIER_FREE}, {"P", 4}});
    reaction.listOfProducts[0].ref[0].stoichiometry = 2;
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "r.cyt"),
              " 2*km[1]*(constantPlayer[3]/constantPlayer[5])"
              "*(1 - constantPlayer[4]/constantPlayer[5])*constantPlayer[1]");
    EXPECT_EQ(constants(c),
              "constantPlayer[1] = 1; g.cyt\nconstantPlayer[2] = 0; P.cyt\n"
              "constantPlayer[3] = 0; TF:P.cyt\nconstantPlayer[4] = 0; Rep:P.cyt\n"
              "constantPlayer[5] = ; TP.cyt");
    EXPECT_EQ(c.info.parameterLists[PARAM_KM][0].label, "_P.cyt_Rep:P.cyt_TF:P.cyt_g.cyt");
}

TEST(Gene1, APromoterRegulatesThroughItsOwnTotal) {
    TestModel t = geneAndRna();
    t.species("P", CLASS_DNA_PROMOTER, 0.5);
    regulatedTranscription(t, {{"P", MODIFIER_OCCUPIED}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(constants(c),
              "constantPlayer[1] = 1; g.cyt\nconstantPlayer[2] = 0.5; P.cyt\n"
              "constantPlayer[3] = ; TP.cyt");
    EXPECT_EQ(differentialTerms(c.dae, "r.cyt"),
              " km[1]*(constantPlayer[2]/constantPlayer[3])*constantPlayer[1]");
}

// X holds, in order, a complex without DNA, TF:P (which holds the promoter) and an enhancer:
// depth first, the promoter inside the second element comes before the enhancer, whose total
// is left alone.
TEST(Gene1, TheRegulatoryElementIsFoundDepthFirstInElementOrder) {
    TestModel t = geneAndRna();
    t.all(CLASS_PROTEIN, {"Y", "Z"});
    t.complex("Y:Z", {{"Y", 1}, {"Z", 1}});
    t.species("TF", CLASS_PROTEIN);
    t.species("P", CLASS_DNA_PROMOTER);
    t.complex("TF:P", {{"TF", 1}, {"P", 1}});
    t.species("E", CLASS_DNA_ENHANCER);
    t.complex("X", {{"Y:Z", 1}, {"TF:P", 1}, {"E", 1}});
    regulatedTranscription(t, {{"X", MODIFIER_FREE}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "r.cyt"),
              " km[1]*(1 - constantPlayer[2]/constantPlayer[3])*constantPlayer[1]");
    EXPECT_EQ(constants(c),
              "constantPlayer[1] = 1; g.cyt\nconstantPlayer[2] = 0; X.cyt\n"
              "constantPlayer[3] = ; TP.cyt");
}

TEST(Gene1, RegulatorsOfOneElementGiveRepeatedPairs) {
    TestModel t = geneAndRna();
    t.species("P", CLASS_DNA_PROMOTER);
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.complex("A:P", {{"A", 1}, {"P", 1}});
    t.complex("B:P", {{"B", 1}, {"P", 1}});
    regulatedTranscription(t, {{"A:P", MODIFIER_OCCUPIED}, {"B:P", MODIFIER_OCCUPIED}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "r.cyt"),
              " km[1]*(constantPlayer[2]/constantPlayer[4])*(constantPlayer[3]/constantPlayer[4])"
              "*constantPlayer[1]");
}

// Y holds Loop, which holds X (and itself); X holds Loop twice and then `inner`.
void loopingComplexes(TestModel& t, const std::string& inner) {
    t.species("Loop", CLASS_COMPLEX);
    t.complex("X", {{"Loop", 1}, {"Loop", 1}, {inner, 1}});
    t.get("Loop").listOfElements.push_back(t.refs({{"X", 1}, {"Loop", 1}}));
    t.complex("Y", {{"Loop", 1}});
}

TEST(Gene1, ASearchThroughAComplexThatContainsItselfFindsThePromoter) {
    TestModel t = geneAndRna();
    t.species("P", CLASS_DNA_PROMOTER);
    loopingComplexes(t, "P");
    regulatedTranscription(t, {{"Y", MODIFIER_OCCUPIED}});
    CmaStage found(t);
    ASSERT_EQ(found.result, 0) << found.log;
    EXPECT_EQ(found.terms("r").front().ratioDenominators[0].player, &found.total("P"));
}

struct Gene1Failure {
    ReactionRecipe reaction;
    std::vector<int> modifierTypes;
    std::string detail;
    int kmMade;                                    // a km made before the failure stays
    std::vector<std::string> constantTotals = {};  // element totals made constant before it
};

// Under CMA and the TPP methods alike; the unfinished term is attached nowhere. The stage runs
// alone, so that element lists a whole conversion would refuse first reach the search: Ghost's
// element names no species, Y contains itself, C0 is nested 300 levels deep.
TEST(Gene1, RefusedReactionsNameTheirFault) {
    const std::string needs = "gene1 reaction needs 1 reactant and 1 product.\n";
    const Gene1Failure failures[] = {
        {{REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}}, {{"TF:G", 1}}},
         {MODIFIER_OCCUPIED},
         "modifier 'TF:G.cyt(specieID=8)' includes no transcriptional regulator.\n",
         1},
        {{REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}}, {{"E", 1}, {"TF:P", 1}}},
         {MODIFIER_OCCUPIED, MODIFIER_ENZYME},
         "modifier 'TF:P.cyt(specieID=6)' has illegal modifierType 'enzyme' for gene1 reaction.\n",
         1,
         {"E", "P"}},
        {{REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}, {"r2", 1}}, {{"P", 1}}},
         {MODIFIER_OCCUPIED},
         needs,
         0},
        {{REACTION_TRANSCRIPTION, {}, {{"r", 1}}, {{"P", 1}}}, {MODIFIER_OCCUPIED}, needs, 0},
        {{REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}}, {{"Ghost", 1}}},
         {MODIFIER_OCCUPIED},
         "element (specieID=9999) of complex 'Ghost.cyt(specieID=10)' matches no species.\n",
         1},
        {{REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}}, {{"Y", 1}}},
         {MODIFIER_OCCUPIED},
         "modifier 'Y.cyt(specieID=13)' includes no transcriptional regulator.\n",
         1},
        {{REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}}, {{"C0", 1}}},
         {MODIFIER_OCCUPIED},
         "complex 'C257.cyt(specieID=57)' is nested deeper than 256 levels.\n",
         1},
    };
    for (const Gene1Failure& failure : failures) {
        TestModel t = geneAndRna();
        t.species("r2", CLASS_RNA);
        t.species("P", CLASS_DNA_PROMOTER);
        t.species("TF", CLASS_PROTEIN);
        t.complex("TF:P", {{"TF", 1}, {"P", 1}});
        t.species("G", CLASS_DNA_GENE);
        t.complex("TF:G", {{"TF", 1}, {"G", 1}});
        t.species("E", CLASS_DNA_ENHANCER);
        t.complex("Ghost", {{"TF", 1}}).listOfElements[0].ref[0].specieID = 9999;
        loopingComplexes(t, "TF");
        t.species("C300", CLASS_PROTEIN);
        for (int level = 299; level >= 0; --level) {
            t.complex("C" + std::to_string(level), {{"C" + std::to_string(level + 1), 1}});
        }
        Reaction& reaction = t.reaction(LAYER_GENE_PROTEIN_1, failure.reaction);
        for (size_t i = 0; i < failure.modifierTypes.size(); ++i)
            reaction.listOfModifiers[0].ref[i].modifierType = failure.modifierTypes[i];
        for (int method : {METHOD_CMA, METHOD_TPP_RAPID}) {
            SCOPED_TRACE(methodName(method) + (": " + failure.detail));
            CmaStage stage(t, method);
            EXPECT_EQ(stage.result, -1);
            EXPECT_EQ(stage.log, "convertReaction_CMA_gene1: " + failure.detail +
                                     cmaReactionFailed("transcription"));
            EXPECT_EQ(stage.context->parameterCounts[PARAM_KM], failure.kmMade);
            EXPECT_TRUE(stage.terms("r").empty());
            for (const std::string& name : failure.constantTotals)
                EXPECT_EQ(stage.total(name).kind, PLAYER_CONSTANT) << name;
        }
    }
}

}  // namespace
}  // namespace zymorax::testkit
