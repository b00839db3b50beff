// Regulated transcription: the term with its occupied and free fractions, the depth-first
// search for the regulators' promoters and enhancers, and the reactions it refuses.
#include "gene1.h"

#include <gtest/gtest.h>

#include "context_builder.h"
#include "methods.h"
#include "test_model_builder.h"
#include "test_support.h"

namespace zymorax::testkit {
namespace {

// Only the CMA stage, without the element-list check of a whole conversion.
struct CmaStage {
    explicit CmaStage(const Model& model, int method = METHOD_CMA)
        : context(createConversionContext(model, method, METHOD_NONE)) {
        LogCapture capture;
        result = classifyReaction_CMA(*context, model);
        log = capture.take();
    }

    int index(const std::string& name) const {
        for (int i = 0; i < context->playerCount; ++i) {
            if (context->players[i].name == name) return i;
        }
        throw std::runtime_error("no player " + name);
    }

    const Player& player(const std::string& name) const { return context->players[index(name)]; }
    const Player& total(const std::string& name) const {
        return context->totalPlayers[index(name)];
    }
    const std::vector<Term>& terms(const std::string& name) const {
        return context->equations[index(name)].terms;
    }

    std::unique_ptr<ConversionContext> context;
    int result = -1;
    std::string log;
};

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

std::string failureLine(const std::string& detail) {
    return detail +
           "reacReactions_CMA: reaction conversion failed.(reactionID=1,"
           "reactionType=transcription)\n";
}

TEST(Gene1, OneTermOfTheProductWithOccupiedAndFreeFractionsAndTheGene) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("P", CLASS_DNA_PROMOTER);
    t.species("TF", CLASS_PROTEIN);
    t.complex("TF:P", {{"TF", 1}, {"P", 1}});
    t.species("Rep", CLASS_PROTEIN);
    t.complex("Rep:P", {{"Rep", 1}, {"P", 1}});
    Reaction& reaction = regulatedTranscription(
        t, {{"TF:P", MODIFIER_OCCUPIED}, {"Rep:P", MODIFIER_FREE}, {"P", 4}});
    reaction.listOfProducts[0].ref[0].stoichiometry = 2;
    CmaStage stage(t.model);
    ASSERT_EQ(stage.result, 0) << stage.log;
    ASSERT_EQ(stage.terms("r").size(), 1u);
    const Term& term = stage.terms("r").front();
    EXPECT_EQ(term.coefficient, 2.0);
    EXPECT_EQ(term.parameterKind, PARAM_KM);
    EXPECT_EQ(term.parameterNumber, 1);
    EXPECT_EQ(term.parameterExponent, 1.0);
    EXPECT_TRUE(term.factors.empty());
    ASSERT_TRUE(term.tailPlayer.has_value());
    EXPECT_EQ(term.tailPlayer->player, &stage.player("g"));
    EXPECT_EQ(term.tailPlayer->modifierType, 0);
    ASSERT_EQ(term.ratioNumerators.size(), 1u);
    ASSERT_EQ(term.ratioDenominators.size(), 1u);
    EXPECT_EQ(term.ratioNumerators[0].player, &stage.player("TF:P"));
    EXPECT_EQ(term.ratioDenominators[0].player, &stage.total("P"));
    EXPECT_EQ(term.ratioDenominators[0].modifierType, MODIFIER_OCCUPIED);
    EXPECT_EQ(term.ratioDenominators[0].value, 1.0);
    ASSERT_EQ(term.complementNumerators.size(), 1u);
    EXPECT_EQ(term.complementNumerators[0].player, &stage.player("Rep:P"));
    EXPECT_EQ(term.complementDenominators[0].player, &stage.total("P"));
    EXPECT_EQ(term.complementNumerators[0].modifierType, MODIFIER_FREE);
    // The gene and the regulators get no terms; everyone touched became a variable.
    for (const char* name : {"g", "TF:P", "Rep:P", "P"}) {
        EXPECT_TRUE(stage.terms(name).empty()) << name;
        EXPECT_EQ(stage.player(name).kind, PLAYER_DIFFERENTIAL) << name;
    }
    EXPECT_EQ(stage.player("r").kind, PLAYER_DIFFERENTIAL);
    EXPECT_EQ(stage.total("P").kind, PLAYER_CONSTANT);
    EXPECT_EQ(stage.context->parameterLists[PARAM_KM].front().label,
              "_P.cyt_Rep:P.cyt_TF:P.cyt_g.cyt");
}

TEST(Gene1, APromoterRegulatesThroughItsOwnTotal) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE, 1);
    t.species("r", CLASS_RNA);
    t.species("P", CLASS_DNA_PROMOTER, 0.5);
    regulatedTranscription(t, {{"P", MODIFIER_OCCUPIED}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    // g and P get no terms and become constants; the total of P follows them.
    EXPECT_NE(c.dae.find("constantPlayer[1] = 1; g.cyt\nconstantPlayer[2] = 0.5; P.cyt\n"
                         "constantPlayer[3] = ; TP.cyt\n\n"),
              std::string::npos);
    EXPECT_EQ(differentialTerms(c.dae, "r.cyt"),
              " km[1]*(constantPlayer[2]/constantPlayer[3])*constantPlayer[1]");
}

// X holds, in order, a complex without DNA, TF:P (which holds the promoter) and an enhancer:
// depth first, the promoter inside the second element comes before the enhancer.
TEST(Gene1, TheRegulatoryElementIsFoundDepthFirstInElementOrder) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("Y", CLASS_PROTEIN);
    t.species("Z", CLASS_PROTEIN);
    t.complex("Y:Z", {{"Y", 1}, {"Z", 1}});
    t.species("TF", CLASS_PROTEIN);
    t.species("P", CLASS_DNA_PROMOTER);
    t.complex("TF:P", {{"TF", 1}, {"P", 1}});
    t.species("E", CLASS_DNA_ENHANCER);
    t.complex("X", {{"Y:Z", 1}, {"TF:P", 1}, {"E", 1}});
    regulatedTranscription(t, {{"X", MODIFIER_FREE}});
    CmaStage stage(t.model);
    ASSERT_EQ(stage.result, 0) << stage.log;
    const Term& term = stage.terms("r").front();
    ASSERT_EQ(term.complementDenominators.size(), 1u);
    EXPECT_EQ(term.complementNumerators[0].player, &stage.player("X"));
    EXPECT_EQ(term.complementDenominators[0].player, &stage.total("P"));
    EXPECT_EQ(stage.total("E").kind, PLAYER_NONE);
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "r.cyt"),
              " km[1]*(1 - constantPlayer[2]/constantPlayer[3])*constantPlayer[1]");
    EXPECT_NE(c.dae.find("constantPlayer[3] = ; TP.cyt\n"), std::string::npos);
}

TEST(Gene1, RegulatorsOfOneElementGiveRepeatedPairs) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("P", CLASS_DNA_PROMOTER);
    t.species("A", CLASS_PROTEIN);
    t.complex("A:P", {{"A", 1}, {"P", 1}});
    t.species("B", CLASS_PROTEIN);
    t.complex("B:P", {{"B", 1}, {"P", 1}});
    regulatedTranscription(t, {{"A:P", MODIFIER_OCCUPIED}, {"B:P", MODIFIER_OCCUPIED}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "r.cyt"),
              " km[1]*(constantPlayer[2]/constantPlayer[4])*(constantPlayer[3]/constantPlayer[4])"
              "*constantPlayer[1]");
}

TEST(Gene1, ARegulatorWithoutPromoterOrEnhancerIsRefused) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("TF", CLASS_PROTEIN);
    t.species("G", CLASS_DNA_GENE);
    t.complex("TF:G", {{"TF", 1}, {"G", 1}});
    regulatedTranscription(t, {{"TF:G", MODIFIER_OCCUPIED}});
    LogCapture log;
    EXPECT_EQ(convert(t.model, METHOD_TPP_RAPID, METHOD_NONE).result, -1);
    EXPECT_EQ(log.take(), failureLine("convertReaction_CMA_gene1: modifier 'TF:G.cyt(specieID=5)' "
                                      "includes no transcriptional regulator.\n") +
                              "readReactions_CMA failed.\n");
}

TEST(Gene1, AnEnzymeModifierIsRefusedAfterItsElementsTotalWasMadeConstant) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("P", CLASS_DNA_PROMOTER);
    t.species("TF", CLASS_PROTEIN);
    t.complex("TF:P", {{"TF", 1}, {"P", 1}});
    t.species("E", CLASS_DNA_ENHANCER);
    regulatedTranscription(t, {{"E", MODIFIER_OCCUPIED}, {"TF:P", MODIFIER_ENZYME}});
    CmaStage stage(t.model);
    EXPECT_EQ(stage.result, -1);
    EXPECT_EQ(stage.log, failureLine("convertReaction_CMA_gene1: modifier 'TF:P.cyt(specieID=5)' "
                                     "has illegal modifierType 'enzyme' for gene1 reaction.\n"));
    EXPECT_EQ(stage.total("E").kind, PLAYER_CONSTANT);
    EXPECT_EQ(stage.total("P").kind, PLAYER_CONSTANT);
    // The km parameter stays; the unfinished term is attached nowhere.
    EXPECT_EQ(stage.context->parameterCounts[PARAM_KM], 1);
    EXPECT_TRUE(stage.terms("r").empty());
}

TEST(Gene1, OneReactantAndOneProductAreRequired) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("r2", CLASS_RNA);
    t.species("P", CLASS_DNA_PROMOTER);
    Reaction& twoProducts = regulatedTranscription(t, {{"P", MODIFIER_OCCUPIED}});
    twoProducts.listOfProducts[0] = t.refs({{"r", 1}, {"r2", 1}});
    CmaStage stage(t.model);
    EXPECT_EQ(stage.result, -1);
    const std::string needs =
        "convertReaction_CMA_gene1: gene1 reaction needs 1 reactant and 1 product.\n";
    EXPECT_EQ(stage.log, failureLine(needs));
    EXPECT_EQ(stage.context->parameterCounts[PARAM_KM], 0);
    t.model.listOfReactions[0].reaction[0].listOfProducts[0] = t.refs({{"r", 1}});
    t.model.listOfReactions[0].reaction[0].listOfReactants.clear();
    CmaStage noReactant(t.model);
    EXPECT_EQ(noReactant.log, failureLine(needs));
}

TEST(Gene1, ElementListsThatCannotBeFollowedAreReportedNotFollowed) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("TF", CLASS_PROTEIN);
    t.complex("Ghost", {{"TF", 1}}).listOfElements[0].ref[0].specieID = 99;
    regulatedTranscription(t, {{"Ghost", MODIFIER_OCCUPIED}});
    EXPECT_EQ(CmaStage(t.model).log,
              failureLine("convertReaction_CMA_gene1: element (specieID=99) of complex "
                          "'Ghost.cyt(specieID=4)' matches no species.\n"));

    // Nesting beyond the limit ends the search instead of the stack.
    TestModel deep = cytosol();
    deep.species("g", CLASS_DNA_GENE);
    deep.species("r", CLASS_RNA);
    deep.species("C300", CLASS_PROTEIN);
    for (int level = 299; level >= 0; --level) {
        deep.complex("C" + std::to_string(level), {{"C" + std::to_string(level + 1), 1}});
    }
    regulatedTranscription(deep, {{"C0", MODIFIER_OCCUPIED}});
    EXPECT_EQ(CmaStage(deep.model).log,
              failureLine("convertReaction_CMA_gene1: complex 'C257.cyt(specieID=46)' is nested "
                          "deeper than 256 levels.\n"));
}

TEST(Gene1, ASearchThroughAComplexThatContainsItselfEnds) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE);
    t.species("r", CLASS_RNA);
    t.species("P", CLASS_DNA_PROMOTER);
    t.species("Loop", CLASS_COMPLEX);
    t.complex("X", {{"Loop", 1}, {"Loop", 1}, {"P", 1}});
    t.get("Loop").listOfElements.push_back(t.refs({{"X", 1}, {"Loop", 1}}));
    t.complex("Y", {{"Loop", 1}});
    t.get("P").specieClass = CLASS_PROTEIN;
    regulatedTranscription(t, {{"Y", MODIFIER_OCCUPIED}});
    EXPECT_EQ(CmaStage(t.model).log,
              failureLine("convertReaction_CMA_gene1: modifier 'Y.cyt(specieID=6)' includes no "
                          "transcriptional regulator.\n"));
    t.get("P").specieClass = CLASS_DNA_PROMOTER;
    CmaStage found(t.model);
    ASSERT_EQ(found.result, 0) << found.log;
    EXPECT_EQ(found.terms("r").front().ratioDenominators[0].player, &found.total("P"));
}

}  // namespace
}  // namespace zymorax::testkit
