// The conversion driver: stage order, decay terms, constants and their numbers, what is
// gathered, and the lines a failing stage leaves in the log.
#include <gtest/gtest.h>

#include "context_builder.h"
#include "decomposition.h"
#include "methods.h"
#include "test_model_builder.h"
#include "test_support.h"

namespace zymorax::testkit {
namespace {

TEST(Decomposition, DecayingPlayersGetNumberedDecayTermsByClass) {
    TestModel t = cytosol();
    t.species("P", CLASS_PROTEIN).decomposition = SWITCH_ON;
    t.species("Q", CLASS_PROTEIN).decomposition = SWITCH_ON;
    t.species("R", CLASS_RNA).decomposition = SWITCH_ON;
    t.species("Odd", CLASS_PROTEIN).decomposition = 0;  // anything but OFF decays
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"R", 1}}, {{"P", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"Q", 1}}, {{"Odd", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "P.cyt"), " kx[1]*y[R.cyt] - kpd[1]*y[P.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "Q.cyt"), " - kx[2]*y[Q.cyt] - kpd[2]*y[Q.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "R.cyt"), " - kx[1]*y[R.cyt] - kmd[1]*y[R.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "Odd.cyt"), " kx[2]*y[Q.cyt] - kpd[3]*y[Odd.cyt]");
    EXPECT_NE(c.dae.find("kpd[1] = ; decomposition_rate_constant_P.cyt\n"
                         "kpd[2] = ; decomposition_rate_constant_Q.cyt\n"
                         "kpd[3] = ; decomposition_rate_constant_Odd.cyt\n\n"
                         "### kmd: decomposition_rate_constant\n"
                         "kmd[1] = ; decomposition_rate_constant_R.cyt\n"),
              std::string::npos);
}

TEST(Decomposition, ASpeciesNoReactionTouchesNeitherDecaysNorIsListed) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.species("Lonely", CLASS_PROTEIN).decomposition = SWITCH_ON;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(c.dae.find("Lonely"), std::string::npos);
    EXPECT_EQ(c.info.parameterCounts[PARAM_KPD], 0);
}

TEST(Decomposition, AComplexReleasesItsComponentsWeightedByStoichiometry) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.complex("AB2", {{"A", 1}, {"B", 2}}).decomposition = SWITCH_ON;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}, {"B", 2}},
               {{"AB2", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "AB2.cyt"),
              " kx[1]*y[A.cyt]*y[B.cyt]^2 - kpd[1]*y[AB2.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "A.cyt"),
              " - kx[1]*y[A.cyt]*y[B.cyt]^2 + kpd[1]*y[AB2.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "B.cyt"),
              " - 2*kx[1]*y[A.cyt]*y[B.cyt]^2 + 2*kpd[1]*y[AB2.cyt]");
}

TEST(Decomposition, ANestedDecayingComplexPassesTheProductOfStoichiometriesDown) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.complex("AB2", {{"A", 1}, {"B", 2}}).decomposition = SWITCH_ON;
    t.complex("Big", {{"AB2", 3}}).decomposition = SWITCH_ON;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}, {"B", 2}},
               {{"AB2", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"AB2", 3}}, {{"Big", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    // AB2 decays itself, so Big's decay frees its monomers: 3 A and 6 B per Big.
    EXPECT_EQ(differentialTerms(c.dae, "A.cyt"),
              " - kx[1]*y[A.cyt]*y[B.cyt]^2 + kpd[1]*y[AB2.cyt] + 3*kpd[2]*y[Big.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "B.cyt"),
              " - 2*kx[1]*y[A.cyt]*y[B.cyt]^2 + 2*kpd[1]*y[AB2.cyt] + 6*kpd[2]*y[Big.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "AB2.cyt"),
              " kx[1]*y[A.cyt]*y[B.cyt]^2 - 3*kx[2]*y[AB2.cyt]^3 - kpd[1]*y[AB2.cyt]");
}

TEST(Decomposition, AnElementNoReactionTouchedFailsWithBothMessagesElementFirst) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("Free", CLASS_PROTEIN);
    t.complex("AF", {{"A", 1}, {"Free", 1}}).decomposition = SWITCH_ON;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"AF", 1}});
    LogCapture log;
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(c.result, -1);
    EXPECT_EQ(log.take(),
              "Decomposition: The element of complex 'Free.cyt(specieID=2)' must be a variable of "
              "'CMA/TPP'.\n"
              "Decomposition: 'AF.cyt(specieID=3)' has a element which is not a variable of "
              "'CMA/TPP'.\n"
              "execDecomposition(CMA) failed.\n");
}

TEST(Decomposition, RegisterParameterReusesTheParameterOfASpecies) {
    TestModel t = cytosol();
    t.species("P", CLASS_PROTEIN);
    t.species("Q", CLASS_PROTEIN);
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    const KineticParameter& first = registerParameter(PARAM_KPD, *context, context->players[0]);
    const KineticParameter& other = registerParameter(PARAM_KPD, *context, context->players[1]);
    const KineticParameter& again = registerParameter(PARAM_KPD, *context, context->players[0]);
    const KineticParameter& rna = registerParameter(PARAM_KMD, *context, context->players[0]);
    EXPECT_EQ(&first, &again);
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.label, "_P.cyt");
    EXPECT_EQ(first.specieID, 1);
    EXPECT_EQ(other.number, 2);
    EXPECT_EQ(rna.number, 1);
    EXPECT_EQ(context->parameterCounts[PARAM_KPD], 2);
}

TEST(ConversionDriver, ATemplateWithoutTermsBecomesTheNextConstant) {
    TestModel t = cytosol();
    t.species("Pre", CLASS_PROTEIN, 3);
    Specie& fixed = t.species("Fixed", CLASS_SMALL_MOLECULE, 4);
    fixed.totalAmount = 1;  // a constant of the model
    t.species("gene", CLASS_DNA_GENE, 1);
    t.species("mRNA", CLASS_RNA);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"Pre", 1}, {"Fixed", 1}},
               {{"mRNA", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSCRIPTION, {{"gene", 1}}, {{"mRNA", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    // Fixed is constant from the start, gene only after the decay stage; numbers follow the
    // players' order.
    EXPECT_NE(c.dae.find("== Constant Players ==\n\n"
                         "constantPlayer[1] = 4; Fixed.cyt\n"
                         "constantPlayer[2] = 1; gene.cyt\n\n"),
              std::string::npos);
    EXPECT_EQ(differentialTerms(c.dae, "mRNA.cyt"),
              " kx[1]*y[Pre.cyt]*constantPlayer[1] + km[1]*constantPlayer[2]");
}

TEST(ConversionDriver, WithoutAGeneProteinMethodNothingDecays) {
    TestModel t = cytosol();
    t.species("A", CLASS_METABOLITE).decomposition = SWITCH_ON;
    t.species("B", CLASS_METABOLITE);
    t.species("T", CLASS_DNA_GENE);
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    t.reaction(LAYER_METABOLIC, REACTION_TRANSLATION, {{"T", 1}}, {{"B", 1}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_CMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "A.cyt"), " - kx[1]*y[A.cyt]");
    // T, the template, gets no term; a variable without an equation would make the file
    // unusable, so it is written as a constant.
    EXPECT_EQ(c.dae.find("y[T.cyt]"), std::string::npos);
    EXPECT_NE(c.dae.find("constantPlayer[1] = 0; T.cyt\n"), std::string::npos);
    EXPECT_EQ(differentialTerms(c.dae, "B.cyt"), " kx[1]*y[A.cyt] + kp[1]*constantPlayer[1]");
}

TEST(ConversionDriver, TppRunsAfterTheDecompositionAndBeforeConstantsAreNumbered) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN, 1).massBalance = SWITCH_ON;
    t.species("B", CLASS_PROTEIN, 2);
    t.complex("A:B", {{"A", 1}, {"B", 1}}, 0.5).decomposition = SWITCH_ON;
    t.species("S", CLASS_PROTEIN, 4);  // only a template: a constant
    t.species("P", CLASS_PROTEIN, 0);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"A:B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSLATION, {{"S", 1}}, {{"P", 1}});
    {
        LogCapture log;
        Model model = t.model;
        Conversion c = convert(model, METHOD_TPP_RAPID, METHOD_NONE);
        ASSERT_EQ(c.result, 0);
        EXPECT_EQ(log.take(),
                  "## Pass moveMonomerEqs.\n\n## Pass makeTotalDiffEqs.\n\n"
                  "## Pass makeTotalAlgebraicEqs.\n\n## Pass calcInitialVal.\n\n"
                  "## Pass refineComplexEqs.\n\n");
        // A's share of the complex's decay reached A's total and cancelled there; had the
        // decomposition come later, it would stand in A's algebraic equation.
        EXPECT_EQ(linesStartingWith(c.dae, "aeq_"),
                  (std::vector<std::string>{"aeq_1: constantPlayer[2] = x[A.cyt] + x[A:B.cyt];",
                                            "aeq_2:  Kb[1]*x[A.cyt]*y[B.cyt] - x[A:B.cyt] = 0;"}));
        EXPECT_EQ(differentialTerms(c.dae, "B.cyt"), " kpd[1]*x[A:B.cyt]");
        EXPECT_NE(c.dae.find("constantPlayer[1] = 4; S.cyt\nconstantPlayer[2] = 1.5; TA.cyt\n\n"),
                  std::string::npos);
    }
    LogCapture log;
    Model model = t.model;
    Conversion c = convert(model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(log.take(), "");
    EXPECT_EQ(differentialTerms(c.dae, "A.cyt"),
              " - ka[1]*y[A.cyt]*y[B.cyt] + kd[1]*y[A:B.cyt] + kpd[1]*y[A:B.cyt]");
    EXPECT_TRUE(linesStartingWith(c.dae, "aeq_").empty());
}

TEST(ConversionDriver, AnEmptyModelWritesOnlyTheHeads) {
    Model model;
    model.name = "empty";
    Conversion c = convert(model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(c.dae,
              "== Model ==\n\nTITLE:empty\nINFO:\nCONVERSION TYPE\n    GENE-PROTEIN:CMA\n"
              "    METABOLIC:GMA\n\n"
              "== Constant Players ==\n\n\n"
              "== Variables ==\n\n= Algebraic Equation =\n\n\n= Differencial Equation =\n\n\n"
              "== Used Parameters ==\n\n\n"
              "== Parameters ==\n\n\n"
              "== Temporary Expressions ==\n\n"
              "== Algebraic Eqs. ==\n\n\n"
              "== Differencial Eqs. ==\n\n");
}

TEST(ConversionDriver, APlayerLeftWithoutTermsByTheGmaStageIsANumberedConstant) {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE, 1);
    t.species("P", CLASS_METABOLITE, 2);
    t.species("Act", CLASS_METABOLITE, 3);
    t.species("Q", CLASS_METABOLITE);
    // Act is the product of a reaction switched off from conversion and the enzyme of another.
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"Q", 1}}, {{"Act", 1}})
        .isConvertible = NOT_CONVERTIBLE;
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {{"P", 1}},
               {{"Act", 1}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_NE(c.dae.find("constantPlayer[1] = 3; Act.cyt\nconstantPlayer[2] = 0; Q.cyt\n\n"),
              std::string::npos);
    // The flux names the enzyme as the constant it has become.
    EXPECT_NE(c.dae.find("flux_Act.cyt_S.cyt_to_P.cyt = kxg[1]*constantPlayer[1]^f[1]*"
                         "y[S.cyt]^f[2];\n"),
              std::string::npos);
}

TEST(ConversionDriver, FailingStagesAddOneLineEach) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_NONE, {{"A", 1}}, {{"B", 1}});
    LogCapture log;
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(c.result, -1);
    EXPECT_EQ(log.take(),
              "classifyReaction_CMA: invalid reactionType for reaction without modifier.\n"
              "reacReactions_CMA: reaction conversion failed.(reactionID=1,reactionType=none)\n"
              "readReactions_CMA failed.\n");
}

TEST(ConversionDriver, ABrokenElementListStopsTheConversionBeforeAnyStage) {
    TestModel t = cytosol();
    t.species("A", CLASS_PROTEIN);
    t.complex("AX", {{"A", 1}}).listOfElements[0].ref[0].specieID = 99;
    LogCapture log;
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(c.result, -1);
    EXPECT_EQ(log.take(),
              "checkComplexElements: element (specieID=99) of complex 'AX.cyt(specieID=2)' "
              "matches no species.\ncheckComplexElements failed.\n");
}

TEST(ConversionDriver, GatheringListsPlayersAndEquationsByKindInSpeciesOrder) {
    TestModel t = cytosol();
    t.species("M1", CLASS_METABOLITE);
    t.species("G", CLASS_PROTEIN);
    t.species("M2", CLASS_METABOLITE);
    t.species("H", CLASS_PROTEIN);
    t.species("Unused", CLASS_PROTEIN);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"G", 1}}, {{"H", 1}});
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"M1", 1}}, {{"M2", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    const OutputInfo& info = c.info;
    ASSERT_EQ(info.differentialVars.size(), 2u);
    EXPECT_EQ(info.differentialVars[0]->name, "G");
    EXPECT_EQ(info.differentialVars[1]->name, "H");
    ASSERT_EQ(info.fluxVars.size(), 2u);
    EXPECT_EQ(info.fluxVars[0]->name, "M1");
    ASSERT_EQ(info.differentialEqs.size(), 4u);
    EXPECT_EQ(info.differentialEqs[0]->player->name, "M1");
    EXPECT_EQ(info.differentialEqs[1]->player->name, "G");
    EXPECT_TRUE(info.constantPlayers.empty());
    EXPECT_TRUE(info.totalDifferentialEqs.empty());
    EXPECT_EQ(info.fluxes.size(), 1u);
    EXPECT_EQ(info.modelName, "test");
    EXPECT_EQ(info.parameterLists[PARAM_KX].size(), 1u);
}

}  // namespace
}  // namespace zymorax::testkit
