// CMA: the dispatcher, the three general converters, the term builder and the balance checks of
// binding steps.
#include "cma.h"

#include <gtest/gtest.h>

#include "context_builder.h"
#include "methods.h"
#include "test_model_builder.h"
#include "test_support.h"

namespace zymorax::testkit {
namespace {

// Runs only the CMA stage, so that TPP classifications can be seen before the TPP rework.
struct CmaStage {
    explicit CmaStage(const Model& model, int method = METHOD_CMA)
        : context(createConversionContext(model, method, METHOD_NONE)),
          result(classifyReaction_CMA(*context, model)) {}

    const Player& player(const std::string& name) const {
        for (const Player& player : context->players) {
            if (player.name == name) return player;
        }
        throw std::runtime_error("no player " + name);
    }

    std::unique_ptr<ConversionContext> context;
    int result;
};

std::string failureLog(TestModel& t, int geneProtein = METHOD_CMA) {
    LogCapture log;
    Conversion c = convert(t.model, geneProtein, METHOD_NONE);
    EXPECT_EQ(c.result, -1);
    return log.take();
}

TEST(CmaBinding, TppMethodsMakeComplexesAndMassBalancedMonomersAlgebraic) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN).massBalance = SWITCH_ON;
    t.species("B", CLASS_PROTEIN);
    t.complex("A:B", {{"A", 1}, {"B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"A:B", 1}});
    CmaStage tpp(t.model, METHOD_TPP_STEADYSTATE_1);
    ASSERT_EQ(tpp.result, 0);
    EXPECT_EQ(tpp.player("A").kind, PLAYER_ALGEBRAIC_TOTAL);
    EXPECT_EQ(tpp.player("B").kind, PLAYER_DIFFERENTIAL);
    EXPECT_EQ(tpp.player("A:B").kind, PLAYER_ALGEBRAIC_ZERO);
    CmaStage cma(t.model, METHOD_CMA);
    ASSERT_EQ(cma.result, 0);
    EXPECT_EQ(cma.player("A").kind, PLAYER_DIFFERENTIAL);
    EXPECT_EQ(cma.player("A:B").kind, PLAYER_DIFFERENTIAL);
}

TEST(CmaBinding, ADimerWithOneElementOfStoichiometryTwoIsBalanced) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.complex("A2", {{"A", 2}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_HOMO_ASSOCIATION_OR_MODIFICATION, {{"A", 2}},
               {{"A2", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "A.cyt"), " - 2*ka[1]*y[A.cyt]^2 + 2*kd[1]*y[A2.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "A2.cyt"), " ka[1]*y[A.cyt]^2 - kd[1]*y[A2.cyt]");
}

TEST(CmaBinding, ADimerListingItsElementTwiceFailsBothChecks) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.complex("A2", {{"A", 1}, {"A", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_HOMO_ASSOCIATION_OR_MODIFICATION, {{"A", 2}},
               {{"A2", 1}});
    EXPECT_EQ(failureLog(t),
              "checkStoichiometricDiscordance2: rightpart has 2 elements of complex, but leftpart "
              "has 1 monomerized players.)\n"
              "checkStoichiometricDescordance2 failed.\n"
              "reacReactions_CMA: reaction conversion failed.(reactionID=1,"
              "reactionType=homo_association_or_modification)\n"
              "readReactions_CMA failed.\n");
}

TEST(CmaBinding, AComplexBindingAThirdPartyPassesAtMonomerLevel) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.species("D", CLASS_PROTEIN);
    t.complex("A:B", {{"A", 1}, {"B", 1}});
    t.complex("A:B:D", {{"A", 1}, {"B", 1}, {"D", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A:B", 1}, {"D", 1}}, {{"A:B:D", 1}});
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    CmaReaction r;
    Reaction& reaction = t.model.listOfReactions[0].reaction[0];
    ASSERT_TRUE(resolveFirstList(*context, reaction.listOfReactants, r.reactants, "test"));
    ASSERT_TRUE(resolveFirstList(*context, reaction.listOfProducts, r.products, "test"));
    EXPECT_EQ(checkStoichiometricDiscordance(*context, r.reactants, nullptr, &r.products), -1);
    EXPECT_EQ(checkStoichiometricDiscordance2(*context, r.reactants, nullptr, r.products), 0);
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(c.result, 0);
}

TEST(CmaBinding, MonomerLevelCountsElementStoichiometriesNotTheReactionCoefficient) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.complex("A2", {{"A", 2}});
    t.complex("A3B", {{"A", 3}, {"B", 1}});
    t.complex("A2B", {{"A", 2}, {"B", 1}});
    // 2 A2 + B: the A2 is taken apart as A with 2, whatever its coefficient.
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A2", 2}, {"B", 1}}, {{"A2B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A2", 2}, {"B", 1}}, {{"A3B", 1}});
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    const auto& reactions = t.model.listOfReactions[0].reaction;
    PlayerList left, toA2B, toA3B;
    ASSERT_TRUE(resolveFirstList(*context, reactions[0].listOfReactants, left, "test"));
    ASSERT_TRUE(resolveFirstList(*context, reactions[0].listOfProducts, toA2B, "test"));
    ASSERT_TRUE(resolveFirstList(*context, reactions[1].listOfProducts, toA3B, "test"));
    EXPECT_EQ(checkStoichiometricDiscordance2(*context, left, nullptr, toA2B), 0);
    LogCapture log;
    EXPECT_EQ(checkStoichiometricDiscordance2(*context, left, nullptr, toA3B), -1);
    EXPECT_EQ(log.take(),
              "checkStoichiometricDiscordance2: 'A.cyt(specieID=1)', element of "
              "rightpart complex matches for no leftpart monomerized players.\n");
}

TEST(CmaBinding, TwoProductsFailWithoutTheMonomerCheck) {
    TestModel t = cytosol();
    for (const char* name : {"A", "B", "D", "E"}) t.species(name, CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"D", 1}, {"E", 1}});
    EXPECT_EQ(failureLog(t),
              "checkStoichiometricDiscordance: No products and modifierComplex: rightpart of "
              "binding reaction must include modifierComplex or one product.\n"
              "checkStoichiometricDescordance failed.\n"
              "reacReactions_CMA: reaction conversion failed.(reactionID=1,reactionType=binding)\n"
              "readReactions_CMA failed.\n");
}

TEST(CmaBinding, SpeciesLevelComparesSummedStoichiometryWithTheComplexCoefficient) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.complex("A2", {{"A", 2}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 2}, {"A", 2}}, {{"A2", 2}});
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    const Reaction& reaction = t.model.listOfReactions[0].reaction[0];
    PlayerList left, right;
    ASSERT_TRUE(resolveFirstList(*context, reaction.listOfReactants, left, "test"));
    ASSERT_TRUE(resolveFirstList(*context, reaction.listOfProducts, right, "test"));
    EXPECT_EQ(checkStoichiometricDiscordance(*context, left, nullptr, &right), 0);  // 2+2 = 2*2
    EXPECT_EQ(checkStoichiometricDiscordance(*context, PlayerList(left.begin(), left.begin() + 1),
                                             nullptr, &right),
              -1);
}

TEST(CmaEnzymatic, ADegradationWithoutProductOnlyReleasesTheEnzyme) {
    TestModel t = cytosol();
    t.species("S", CLASS_PROTEIN);
    t.species("E", CLASS_PROTEIN);
    t.complex("ES", {{"S", 1}, {"E", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_DEGRADATION, {{"S", 1}}, {}, {{"E", 1}}, "ES");
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "ES.cyt"),
              " ka[1]*y[S.cyt]*y[E.cyt] - kd[1]*y[ES.cyt] - kx[1]*y[ES.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "E.cyt"),
              " - ka[1]*y[S.cyt]*y[E.cyt] + kd[1]*y[ES.cyt] + kx[1]*y[ES.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "S.cyt"), " - ka[1]*y[S.cyt]*y[E.cyt] + kd[1]*y[ES.cyt]");
}

TEST(CmaEnzymatic, MissingListsAreAllReportedAndAMissingComplexEndsTheChecks) {
    TestModel t = cytosol();
    t.species("E", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {}, {}, {{"E", 1}});
    EXPECT_EQ(failureLog(t),
              "no reactants exists.\nno products exists.\nno modifierComplex exists.\n"
              "reacReactions_CMA: reaction conversion failed.(reactionID=1,"
              "reactionType=irreversible_conversion)\n"
              "readReactions_CMA failed.\n");
}

TEST(CmaEnzymatic, TheLabelSortsModifiersThenReactantsByteWise) {
    TestModel t = cytosol();
    for (const char* name : {"b", "A", "Zeta", "alpha", "P"}) t.species(name, CLASS_PROTEIN);
    t.complex("cx", {{"b", 1}, {"A", 1}, {"Zeta", 1}, {"alpha", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES,
               {{"b", 1}, {"A", 1}}, {{"P", 1}}, {{"Zeta", 1}, {"alpha", 1}}, "cx");
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(c.info.parameterLists[PARAM_KA][0].label, "_Zeta.cyt_alpha.cyt_A.cyt_b.cyt");
    EXPECT_EQ(c.info.parameterLists[PARAM_KX][0].label, "_Zeta.cyt_alpha.cyt_A.cyt_b.cyt");
}

TEST(CmaEnzymatic, EqualNamesInALabelKeepTheirListOrder) {
    TestModel t;
    t.compartment(1, "nucleus").compartment(2, "cytosol");
    t.species("X", CLASS_PROTEIN, 0, 1);
    t.species("X", CLASS_PROTEIN, 0, 2);
    t.species("Y", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"X", 1}}, {{"Y", 1}});
    Reaction& second =
        t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {}, {{"Y", 1}});
    SpecieRef cyt = t.refs({{"X", 1}}).ref[0];
    cyt.specieID = 2;
    SpecieRef nuc = cyt;
    nuc.specieID = 1;
    second.listOfReactants.push_back(SpecieRefList{{cyt, nuc}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(c.info.parameterLists[PARAM_KX][1].label, "_X.cyt_X.nuc");
}

TEST(CmaReversible, ConversionUsesTwoKxNumbers) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_2, REACTION_REVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "A.cyt"), " - kx[1]*y[A.cyt] + kx[2]*y[B.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "B.cyt"), " kx[1]*y[A.cyt] - kx[2]*y[B.cyt]");
    EXPECT_EQ(c.info.parameterLists[PARAM_KX][1].label, "_A.cyt");  // the products take no part
}

TEST(CmaReversible, AModifierComplexWithoutModifiersIsRefused) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_REVERSIBLE_CONVERSION, {{"A", 1}}, {}, {}, "B");
    EXPECT_EQ(failureLog(t),
              "no products exists.\nmodifierComplex exists.\n"
              "reacReactions_CMA: reaction conversion failed.(reactionID=1,"
              "reactionType=reversible_conversion)\n"
              "readReactions_CMA failed.\n");
}

TEST(CmaIrreversible, RateParametersFollowTheReactionType) {
    TestModel t = cytosol();
    for (const char* name : {"gene", "mRNA", "P", "Pout"}) t.species(name, CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSCRIPTION, {{"gene", 1}}, {{"mRNA", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSLATION, {{"mRNA", 1}}, {{"P", 2}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSPORT, {{"P", 1}}, {{"Pout", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_DEGRADATION, {{"Pout", 1}}, {});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    // Templates are not used up; gene is then left without terms and becomes a constant.
    EXPECT_EQ(differentialTerms(c.dae, "mRNA.cyt"), " km[1]*constantPlayer[1]");
    EXPECT_EQ(differentialTerms(c.dae, "P.cyt"), " 2*kp[1]*y[mRNA.cyt] - ktr[1]*y[P.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "Pout.cyt"), " ktr[1]*y[P.cyt] - kx[1]*y[Pout.cyt]");
}

TEST(CmaDispatcher, NotConvertibleReactionsAndEmptyModifierListsAreHandled) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_NONE, {{"A", 1}}, {{"B", 1}}).isConvertible =
        NOT_CONVERTIBLE;
    Reaction& r = t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}}, {{"B", 1}});
    r.listOfModifiers.push_back(SpecieRefList{});  // a list of none counts as no modifiers
    CmaStage stage(t.model);
    EXPECT_EQ(stage.result, -1);  // only the binding reaction is looked at, and fails its balance
    EXPECT_EQ(stage.context->parameterCounts[PARAM_KA], 1);
    EXPECT_EQ(stage.context->parameterCounts[PARAM_KX], 0);
}

TEST(CmaDispatcher, InvalidTypesAreNamedInTheLog) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.species("E", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSLATION, {{"A", 1}}, {{"B", 1}}, {{"E", 1}});
    EXPECT_EQ(
        failureLog(t),
        "classifyReaction_CMA: invalid reactionType for reaction with modifier.\n"
        "reacReactions_CMA: reaction conversion failed.(reactionID=1,reactionType=translation)\n"
        "readReactions_CMA failed.\n");
}

TEST(CmaDispatcher, AReferenceToNoSpeciesIsReportedNotFollowed) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}})
        .listOfProducts[0]
        .ref[0]
        .specieID = -1;
    EXPECT_EQ(failureLog(t),
              "classifyReaction_CMA: species reference (specieID=-1) matches no species.\n"
              "reacReactions_CMA: reaction conversion failed.(reactionID=1,"
              "reactionType=irreversible_conversion)\n"
              "readReactions_CMA failed.\n");
}

TEST(CmaDispatcher, LayersFollowTheirMethodAndUnknownLayersAreSkipped) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.reaction(7, REACTION_NONE, {{"A", 1}}, {{"B", 1}});                // unknown layer
    t.reaction(LAYER_METABOLIC, REACTION_NONE, {{"A", 1}}, {{"B", 1}});  // converted by GMA
    t.reaction(LAYER_GENE_PROTEIN_2, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    CmaStage stage(t.model);
    EXPECT_EQ(stage.result, 0);
    EXPECT_EQ(stage.context->parameterCounts[PARAM_KX], 1);
}

TEST(CmaPlayers, AConstantThatDecaysIsRefused) {
    TestModel t = cytosol();
    Specie& fixed = t.species("Fixed", CLASS_PROTEIN);
    fixed.totalAmount = 1;
    fixed.decomposition = SWITCH_ON;
    t.species("B", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"Fixed", 1}}, {{"B", 1}});
    EXPECT_EQ(failureLog(t),
              "convertPlayer_CMA: constant variable 'Fixed.cyt(specieID=1)' is must be "
              "decomposition:off.\n"
              "reacReactions_CMA: reaction conversion failed.(reactionID=1,"
              "reactionType=irreversible_conversion)\n"
              "readReactions_CMA failed.\n");
}

TEST(CmaPlayers, AMassBalancedConstantStaysAVariable) {
    TestModel t = cytosol();
    Specie& a = t.species("A", CLASS_PROTEIN);
    a.totalAmount = 1;
    a.massBalance = SWITCH_ON;  // a total amount that is balanced is no constant
    t.species("B", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    CmaStage stage(t.model);
    ASSERT_EQ(stage.result, 0);
    EXPECT_EQ(stage.player("A").kind, PLAYER_DIFFERENTIAL);
}

}  // namespace
}  // namespace zymorax::testkit
