// The conversion driver: stage order, decay terms, constants and their numbers, what is
// gathered, and the lines a failing stage leaves in the log.
#include <gtest/gtest.h>

#include "decomposition.h"
#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

// Any decomposition value but OFF decays; a species no reaction touches does not, and is not
// written at all.
TEST(Decomposition, DecayingPlayersGetNumberedDecayTermsByClass) {
    TestModel t = cytosol();
    t.species("P", CLASS_PROTEIN).decomposition = SWITCH_ON;
    t.species("Q", CLASS_PROTEIN).decomposition = SWITCH_ON;
    t.species("R", CLASS_RNA).decomposition = SWITCH_ON;
    t.species("Odd", CLASS_PROTEIN).decomposition = 0;
    t.species("Lonely", CLASS_PROTEIN).decomposition = SWITCH_ON;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"R", 1}}, {{"P", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"Q", 1}}, {{"Odd", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "P.cyt"), " kx[1]*y[R.cyt] - kpd[1]*y[P.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "Q.cyt"), " - kx[2]*y[Q.cyt] - kpd[2]*y[Q.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "R.cyt"), " - kx[1]*y[R.cyt] - kmd[1]*y[R.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "Odd.cyt"), " kx[2]*y[Q.cyt] - kpd[3]*y[Odd.cyt]");
    EXPECT_EQ(c.dae.find("Lonely"), std::string::npos);
    EXPECT_EQ(c.log, "");  // no TPP step runs under CMA
}

// AB2 decays itself and releases A and 2 B; Big's decay frees AB2's monomers: 3 A and 6 B.
TEST(Decomposition, ADecayingComplexReleasesItsComponentsByTheProductOfStoichiometries) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.complex("AB2", {{"A", 1}, {"B", 2}}).decomposition = SWITCH_ON;
    t.complex("Big", {{"AB2", 3}}).decomposition = SWITCH_ON;
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}, {"B", 2}},
               {{"AB2", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"AB2", 3}}, {{"Big", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(differentialTerms(c.dae, "A.cyt"),
              " - kx[1]*y[A.cyt]*y[B.cyt]^2 + kpd[1]*y[AB2.cyt] + 3*kpd[2]*y[Big.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "B.cyt"),
              " - 2*kx[1]*y[A.cyt]*y[B.cyt]^2 + 2*kpd[1]*y[AB2.cyt] + 6*kpd[2]*y[Big.cyt]");
    EXPECT_EQ(differentialTerms(c.dae, "AB2.cyt"),
              " kx[1]*y[A.cyt]*y[B.cyt]^2 - 3*kx[2]*y[AB2.cyt]^3 - kpd[1]*y[AB2.cyt]");
}

TEST(Decomposition, RegisterParameterReusesTheParameterOfASpecies) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"P", "Q"});
    HandBuilt set(t, METHOD_CMA);
    ConversionContext& context = *set.context;
    const KineticParameter& first = registerParameter(PARAM_KPD, context, set.player("P"));
    const KineticParameter& other = registerParameter(PARAM_KPD, context, set.player("Q"));
    EXPECT_EQ(&registerParameter(PARAM_KPD, context, set.player("P")), &first);
    EXPECT_EQ(registerParameter(PARAM_KMD, context, set.player("P")).number, 1);
    EXPECT_EQ(first.number, 1);
    EXPECT_EQ(first.label, "_P.cyt");
    EXPECT_EQ(first.specieID, 1);
    EXPECT_EQ(other.number, 2);
    EXPECT_EQ(context.parameterCounts[PARAM_KPD], 2);
}

// Without a Gene-Protein method the Metabolic layer's CMA conversion leaves a template without
// terms; a variable without an equation would make the file unusable, so it is a constant.
TEST(ConversionDriver, WithoutAGeneProteinMethodATemplateIsWrittenAsAConstant) {
    TestModel t = cytosol();
    t.species("B", CLASS_METABOLITE);
    t.species("T", CLASS_DNA_GENE);
    t.reaction(LAYER_METABOLIC, REACTION_TRANSLATION, {{"T", 1}}, {{"B", 1}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_CMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(c.dae.find("y[T.cyt]"), std::string::npos);
    EXPECT_NE(c.dae.find("constantPlayer[1] = 0; T.cyt\n"), std::string::npos);
    EXPECT_EQ(differentialTerms(c.dae, "B.cyt"), " kp[1]*constantPlayer[1]");
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

// A failed release logs the element first, then the complex; broken element lists stop the
// conversion before any stage.
TEST(ConversionDriver, AFailingStepAddsOneLine) {
    TestModel untouched = cytosol();
    untouched.all(CLASS_PROTEIN, {"A", "Free"});
    untouched.complex("AF", {{"A", 1}, {"Free", 1}}).decomposition = SWITCH_ON;
    untouched.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}},
                       {{"AF", 1}});
    EXPECT_EQ(failureLog(untouched.model, METHOD_CMA, METHOD_NONE),
              "Decomposition: The element of complex 'Free.cyt(specieID=2)' must be a variable of "
              "'CMA/TPP'.\n"
              "Decomposition: 'AF.cyt(specieID=3)' has a element which is not a variable of "
              "'CMA/TPP'.\n"
              "execDecomposition(CMA) failed.\n");
    TestModel broken = cytosol();
    broken.species("A", CLASS_PROTEIN);
    broken.complex("AX", {{"A", 1}}).listOfElements[0].ref[0].specieID = 99;
    EXPECT_EQ(failureLog(broken.model, METHOD_CMA, METHOD_NONE),
              "checkComplexElements: element (specieID=99) of complex 'AX.cyt(specieID=2)' "
              "matches no species.\ncheckComplexElements failed.\n");
}

// Variables by kind, each kind in species order; equations in species order; an untouched
// species nowhere.
TEST(ConversionDriver, GatheringListsPlayersAndEquationsByKindInSpeciesOrder) {
    TestModel t = cytosol();
    t.species("M1", CLASS_METABOLITE);
    t.species("G", CLASS_PROTEIN);
    t.species("M2", CLASS_METABOLITE);
    t.all(CLASS_PROTEIN, {"H", "Unused"});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION, {{"G", 1}}, {{"H", 1}});
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"M1", 1}}, {{"M2", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(section(c.dae, "== Constant Players ==", "== Used Parameters =="),
              "== Constant Players ==\n\n\n== Variables ==\n\n= Algebraic Equation =\n\n\n"
              "= Differencial Equation =\n\n"
              "y[G.cyt] = 0;\ny[H.cyt] = 0;\ny[M1.cyt] = 0;\ny[M2.cyt] = 0;\n\n");
    EXPECT_EQ(linesStartingWith(c.dae, "deq_"),
              (std::vector<std::string>{"deq_1: dydt[M1.cyt] = - flux_M1.cyt_to_M2.cyt;",
                                        "deq_2: dydt[G.cyt] = - kx[1]*y[G.cyt];",
                                        "deq_3: dydt[M2.cyt] = flux_M1.cyt_to_M2.cyt;",
                                        "deq_4: dydt[H.cyt] = kx[1]*y[G.cyt];"}));
    EXPECT_EQ(c.dae.find("Unused"), std::string::npos);
}

}  // namespace
}  // namespace zymorax::testkit
