// GMA and MM: reaction and player checks, fluxes and their parameters, decay fluxes.
#include "gma.h"

#include <gtest/gtest.h>

#include "context_builder.h"
#include "methods.h"
#include "test_model_builder.h"
#include "test_support.h"

namespace zymorax::testkit {
namespace {

std::vector<std::string> fluxLines(const std::string& dae) {
    return linesStartingWith(dae, "flux_");
}

std::string failureLog(TestModel& t, int geneProtein, int metabolic) {
    LogCapture log;
    Conversion c = convert(t.model, geneProtein, metabolic);
    EXPECT_EQ(c.result, -1);
    return log.take();
}

TEST(GmaFlux, WithoutModifiersEachReactantGetsItsPowerCoefficient) {
    TestModel t = cytosol();
    for (const char* name : {"A", "B", "C"}) t.species(name, CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}, {"B", 2}}, {{"C", 1}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(fluxLines(c.dae),
              std::vector<std::string>{
                  "flux_A.cyt_B.cyt_to_C.cyt = kxg[1]*y[A.cyt]^f[1]*y[B.cyt]^f[2];"});
    EXPECT_EQ(differentialTerms(c.dae, "B.cyt"), " - 2*flux_A.cyt_B.cyt_to_C.cyt");
    EXPECT_EQ(c.info.parameterLists[PARAM_KXG][0].label, "_A.cyt_B.cyt_GMA");
    EXPECT_EQ(c.info.parameterLists[PARAM_F][1].label, "(B.cyt)_A.cyt_B.cyt_GMA");
}

TEST(GmaFlux, OnlyTheFirstModifierIsTheEnzymeButAllAreNamed) {
    TestModel t = cytosol();
    for (const char* name : {"S", "P", "E2", "E1"}) t.species(name, CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {{"P", 1}},
               {{"E2", 1}, {"E1", 1}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(fluxLines(c.dae),
              std::vector<std::string>{"flux_E2.cyt_E1.cyt_S.cyt_to_P.cyt = "
                                       "kxg[1]*constantPlayer[1]^f[1]*y[S.cyt]^f[2];"});
    EXPECT_EQ(c.info.parameterLists[PARAM_KXG][0].label, "_E1.cyt_E2.cyt_S.cyt_GMA");
    EXPECT_EQ(c.info.parameterLists[PARAM_F][0].label, "(E2.cyt)_E1.cyt_E2.cyt_S.cyt_GMA");
    EXPECT_NE(c.dae.find("constantPlayer[1] = 0; E2.cyt\nconstantPlayer[2] = 0; E1.cyt\n"),
              std::string::npos);
}

TEST(MmFlux, AnEnzymeThatOnlyModifiesBecomesConstantOne) {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE);
    t.species("E", CLASS_METABOLITE);
    t.species("P", CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 2}}, {{"P", 1}},
               {{"E", 1}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_MM);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(fluxLines(c.dae), std::vector<std::string>{
                                    "flux_E.cyt_S.cyt_to_P.cyt = "
                                    "Q[1]*constantPlayer[1]*y[S.cyt]^2/(Kmich[1]^2+y[S.cyt]^2);"});
    EXPECT_EQ(c.info.parameterLists[PARAM_KMICH][0].label, "(S.cyt)_E.cyt_S.cyt_MM");
    EXPECT_EQ(c.info.parameterCounts[PARAM_F], 0);
}

TEST(MmFlux, FractionalStoichiometryIsWrittenWithG) {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE);
    t.species("P", CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 0.00001}}, {{"P", 1e6}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_MM);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(fluxLines(c.dae),
              std::vector<std::string>{"flux_S.cyt_to_P.cyt = "
                                       "Q[1]*y[S.cyt]^1e-005/(Kmich[1]^1e-005+y[S.cyt]^1e-005);"});
    EXPECT_EQ(differentialTerms(c.dae, "P.cyt"), " 1e+006*flux_S.cyt_to_P.cyt");
    EXPECT_EQ(differentialTerms(c.dae, "S.cyt"), " - 1e-005*flux_S.cyt_to_P.cyt");
}

TEST(GmaFlux, ANotConvertibleReactionIsCheckedButMakesNothing) {
    TestModel t = cytosol();
    t.species("A", CLASS_METABOLITE);
    t.species("B", CLASS_METABOLITE);
    t.species("Prot", CLASS_PROTEIN);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}})
        .isConvertible = NOT_CONVERTIBLE;
    Conversion quiet = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(quiet.result, 0);
    EXPECT_TRUE(quiet.info.fluxes.empty());
    EXPECT_EQ(quiet.info.parameterCounts[PARAM_KXG], 0);
    // Its players have no terms and end up constants.
    EXPECT_EQ(quiet.info.constantPlayers.size(), 2u);
    t.reaction(LAYER_METABOLIC, REACTION_BINDING, {{"Prot", 1}}, {{"B", 1}}).isConvertible =
        NOT_CONVERTIBLE;
    EXPECT_EQ(failureLog(t, METHOD_NONE, METHOD_GMA),
              "checkReaction_GMA: invalid reactionType for GMA/MM conversion.(reactionID=2,"
              "reactionType=binding)\n"
              "checkReactions_GMA: failed.\n"
              "ReadReactions_GMA failed.\n");
}

TEST(GmaChecks, AReactionWithoutReactantsIsRefused) {
    TestModel t = cytosol();
    t.species("B", CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {}, {{"B", 1}});
    EXPECT_EQ(failureLog(t, METHOD_NONE, METHOD_MM),
              "checkReaction_GMA: lack of reactants.(reactionID=1)\n"
              "checkReactions_GMA: failed.\n"
              "ReadReactions_GMA failed.\n");
}

TEST(GmaChecks, AConstantThatDecaysIsRefusedForEachRole) {
    struct Case {
        int role;
        const char* line;
    };
    for (Case role : {Case{GMA_REACTANT, "reactant"}, Case{GMA_PRODUCT, "product"},
                      Case{GMA_MODIFIER, "modifier"}}) {
        TestModel t = cytosol();
        Specie& fixed = t.species("Fixed", CLASS_METABOLITE);
        fixed.totalAmount = 1;
        fixed.decomposition = SWITCH_ON;
        t.species("A", CLASS_METABOLITE);
        Refs with{{"Fixed", 1}}, plain{{"A", 1}};
        t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION,
                   role.role == GMA_REACTANT ? with : plain,
                   role.role == GMA_PRODUCT ? with : plain,
                   role.role == GMA_MODIFIER ? with : Refs{});
        EXPECT_EQ(
            failureLog(t, METHOD_NONE, METHOD_GMA),
            std::string("checkPlayer_GMA: constant variable 'Fixed.cyt(specieID=1)' is must be "
                        "decomposition:off.\n"
                        "checkReaction_GMA: The error detected with checking ") +
                role.line +
                ".(reactionID=1)\ncheckReactions_GMA: failed.\n"
                "ReadReactions_GMA failed.\n");
    }
}

TEST(GmaChecks, AConstantOfTheModelIsNumberedWhenFirstSeen) {
    TestModel t = cytosol();
    t.species("A", CLASS_METABOLITE);
    t.species("B", CLASS_METABOLITE);
    t.species("Fixed", CLASS_METABOLITE, 7).totalAmount = 1;
    t.species("Mod", CLASS_METABOLITE, 8);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}, {"Fixed", 1}},
               {{"B", 1}}, {{"Mod", 1}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    // Fixed is numbered by the check, Mod when the modifiers-only pass finds it.
    EXPECT_NE(c.dae.find("constantPlayer[1] = 7; Fixed.cyt\nconstantPlayer[2] = 8; Mod.cyt\n"),
              std::string::npos);
    EXPECT_EQ(differentialLine(c.dae, "Fixed.cyt"), "");
}

TEST(GmaChecks, AComplexOfTheTppStageCannotTakePart) {
    TestModel t = cytosol();
    t.species("A", CLASS_METABOLITE);
    t.species("B", CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    auto context = createConversionContext(t.model, METHOD_TPP_RAPID, METHOD_GMA);
    context->players[1].kind = PLAYER_ALGEBRAIC_ZERO;
    LogCapture log;
    EXPECT_EQ(checkReactions_GMA(*context, t.model), -1);
    EXPECT_EQ(log.take(),
              "checkPlayer_GMA: 'B.cyt(specieID=2)' must not be a player of 'GMA/MM', because its "
              "a complex of 'CMA/TPP'.\n"
              "checkReaction_GMA: The error detected with checking product.(reactionID=1)\n"
              "checkReactions_GMA: failed.\n");
}

TEST(GmaChecks, ReactantsAndProductsMustBeUnbalancedMetaboliteLikeSpecies) {
    TestModel balanced = cytosol();
    balanced.species("A", CLASS_METABOLITE).massBalance = SWITCH_ON;
    balanced.species("B", CLASS_METABOLITE);
    balanced.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    EXPECT_EQ(failureLog(balanced, METHOD_NONE, METHOD_GMA),
              "createTotalEnzymeEq: 'A.cyt(specieID=1)' must not be a reactant or product of "
              "'GMA/MM', because its massBalance is 'ON'.\n"
              "createTotalEnzymeEq: failed.\nReadReactions_GMA failed.\n");
    TestModel protein = cytosol();
    protein.species("A", CLASS_METABOLITE);
    protein.species("C", CLASS_COMPLEX);
    protein.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"C", 1}});
    EXPECT_EQ(failureLog(protein, METHOD_NONE, METHOD_GMA),
              "createTotalEnzymeEq: 'C.cyt(specieID=2)' must not be a reactant or product of "
              "'GMA/MM', because its specieClass is complex / modifier_complex.\n"
              "createTotalEnzymeEq: failed.\nReadReactions_GMA failed.\n");
}

TEST(GmaChecks, AReferenceToNoSpeciesIsReportedNotFollowed) {
    TestModel t = cytosol();
    t.species("A", CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"A", 1}})
        .listOfProducts[0]
        .ref[0]
        .specieID = 1234;
    EXPECT_EQ(failureLog(t, METHOD_NONE, METHOD_GMA),
              "checkPlayer_GMA: species reference (specieID=1234) matches no species.\n"
              "checkReaction_GMA: The error detected with checking product.(reactionID=1)\n"
              "checkReactions_GMA: failed.\nReadReactions_GMA failed.\n");
}

TEST(GmaFlux, ATotalEnzymeWithoutAnAmountToReferToIsRefused) {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE);
    t.species("E", CLASS_PROTEIN).massBalance = SWITCH_ON;
    Reaction& reaction =
        t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {}, {{"E", 1}});
    auto context = createConversionContext(t.model, METHOD_TPP_RAPID, METHOD_GMA);
    context->players[0].kind = PLAYER_DIFFERENTIAL_FLUX;
    Player& enzyme = context->players[1];
    enzyme.kind = PLAYER_ALGEBRAIC_TOTAL;  // its total twin was never given a kind
    enzyme.totalModifier = 1;
    GmaReaction resolved;
    ASSERT_TRUE(resolveFirstList(*context, reaction.listOfModifiers, resolved.modifiers, "test"));
    ASSERT_TRUE(resolveFirstList(*context, reaction.listOfReactants, resolved.reactants, "test"));
    LogCapture log;
    EXPECT_EQ(buildFlux(*context, resolved, METHOD_GMA), -1);
    EXPECT_EQ(log.take(),
              "checkReactions_GMA: enzyme 'E.cyt(specieID=2)' of flux 'flux_E.cyt_S.cyt_to' has no "
              "amount that the flux can refer to.\n");
    context->totalPlayers[1].kind = PLAYER_DIFFERENTIAL;  // once it has one, the flux uses it
    EXPECT_EQ(buildFlux(*context, resolved, METHOD_GMA), 0);
    EXPECT_EQ(renderText(context->fluxes.back().parts), "kxg[2]*y[TE.cyt]^f[1]*y[S.cyt]^f[2]");
}

TEST(GmaDecay, DecayingMetabolitesGetTheirOwnFluxByEachMethod) {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE).decomposition = SWITCH_ON;
    t.species("P", CLASS_METABOLITE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {{"P", 1}});
    Model copy = t.model;
    Conversion gma = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(gma.result, 0);
    EXPECT_EQ(fluxLines(gma.dae),
              (std::vector<std::string>{"flux_S.cyt_to_P.cyt = kxg[1]*y[S.cyt]^f[1];",
                                        "flux_S.cyt_to = kxg[2]*y[S.cyt]^f[2];"}));
    EXPECT_EQ(differentialTerms(gma.dae, "S.cyt"), " - flux_S.cyt_to_P.cyt - flux_S.cyt_to");
    EXPECT_EQ(gma.info.parameterLists[PARAM_KXG][1].label, "_S.cyt_GMA");
    EXPECT_EQ(gma.info.parameterLists[PARAM_F][1].label, "(S.cyt)_S.cyt_GMA");
    Conversion mm = convert(copy, METHOD_CMA, METHOD_MM);
    ASSERT_EQ(mm.result, 0);
    EXPECT_EQ(fluxLines(mm.dae)[1], "flux_S.cyt_to = Q[2]*y[S.cyt]/(Kmich[2]+y[S.cyt]);");
}

TEST(GmaDecay, APlayerOfTheCmaLayerDoesNotGetADecayFlux) {
    TestModel t = cytosol();
    t.species("G", CLASS_PROTEIN).decomposition = SWITCH_ON;
    t.species("H", CLASS_PROTEIN);
    t.species("S", CLASS_METABOLITE);
    t.species("P", CLASS_METABOLITE);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"G", 1}}, {{"H", 1}});
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {{"P", 1}},
               {{"G", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(fluxLines(c.dae).size(), 1u);
    EXPECT_EQ(differentialTerms(c.dae, "G.cyt"), " - kx[1]*y[G.cyt] - kpd[1]*y[G.cyt]");
    EXPECT_EQ(fluxLines(c.dae)[0],
              "flux_G.cyt_S.cyt_to_P.cyt = kxg[1]*y[G.cyt]^f[1]*y[S.cyt]^f[2];");
}

}  // namespace
}  // namespace zymorax::testkit
