// Total-enzyme expressions and the multiplicity of an enzyme in complexes.
#include <gtest/gtest.h>

#include "context_builder.h"
#include "gma.h"
#include "methods.h"
#include "test_model_builder.h"
#include "test_support.h"

namespace zymorax::testkit {
namespace {

std::string temporaryExpressions(const std::string& dae) {
    size_t start = dae.find("== Temporary Expressions ==\n");
    size_t end = dae.find("== Algebraic Eqs. ==\n");
    return dae.substr(start, end - start);
}

// E binds I (Gene-Protein layer, CMA) and acts through its total amount on S -> P.
TestModel totalEnzymeNetwork() {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE);
    t.species("P", CLASS_METABOLITE);
    t.species("E", CLASS_PROTEIN);
    t.species("I", CLASS_PROTEIN);
    t.complex("E2:I", {{"E", 2}, {"I", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES,
               {{"E", 2}, {"I", 1}}, {{"E2:I", 1}});
    setTotalModifiers(t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}},
                                 {{"P", 1}}, {{"E", 1}}));
    return t;
}

TEST(TotalEnzyme, AnEnzymeThatOnlyModifiesGetsNoTotal) {
    TestModel t = totalEnzymeNetwork();
    t.model.listOfReactions.erase(t.model.listOfReactions.begin());
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(temporaryExpressions(c.dae),
              "== Temporary Expressions ==\n\n"
              "= Flux =\n"
              "flux_E.cyt_S.cyt_to_P.cyt = kxg[1]*constantPlayer[1]^f[1]*y[S.cyt]^f[2];\n\n");
}

TEST(TotalEnzyme, AUsedTotalIsWrittenWithTheMultiplicityOfEachComplex) {
    TestModel t = totalEnzymeNetwork();
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(temporaryExpressions(c.dae),
              "== Temporary Expressions ==\n\n"
              "= Total enzyme =\n"
              "T_E.cyt = y[E.cyt] + 2*y[E2:I.cyt];\n\n"
              "= Flux =\n"
              "flux_E.cyt_S.cyt_to_P.cyt = kxg[1]*T_E.cyt^f[1]*y[S.cyt]^f[2];\n\n");
}

TEST(TotalEnzyme, WithoutAGeneProteinMethodTheFluxUsesThePlainEnzyme) {
    TestModel t = totalEnzymeNetwork();
    t.get("E").totalAmount = 1;  // a constant of the model, so not a GMA variable
    t.model.listOfReactions.erase(t.model.listOfReactions.begin());
    Conversion c = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    // Its total is built but unused: only the sub-head is written.
    EXPECT_EQ(temporaryExpressions(c.dae),
              "== Temporary Expressions ==\n\n"
              "= Total enzyme =\n\n"
              "= Flux =\n"
              "flux_E.cyt_S.cyt_to_P.cyt = kxg[1]*constantPlayer[1]^f[1]*y[S.cyt]^f[2];\n\n");
}

TEST(TotalEnzyme, AMassBalancedEnzymeHasNoTotalUnderTpp) {
    TestModel t = totalEnzymeNetwork();
    t.get("E").massBalance = SWITCH_ON;
    auto context = createConversionContext(t.model, METHOD_TPP_RAPID, METHOD_GMA);
    context->players[2].kind = PLAYER_DIFFERENTIAL;
    context->players[2].totalModifier = 1;
    EXPECT_EQ(createTotalEnzymeEq(*context), 0);
    EXPECT_TRUE(context->totalEnzymes.empty());
    context->geneProteinMethod = METHOD_CMA;
    EXPECT_EQ(createTotalEnzymeEq(*context), 0);
    EXPECT_EQ(context->totalEnzymes.size(), 1u);
}

TEST(TotalEnzyme, AHolderNoConversionClassifiedIsLeftOut) {
    TestModel t = totalEnzymeNetwork();
    t.complex("Unused", {{"E2:I", 1}, {"S", 1}});
    Conversion c = convert(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(c.result, 0);
    EXPECT_NE(c.dae.find("T_E.cyt = y[E.cyt] + 2*y[E2:I.cyt];\n"), std::string::npos);
}

TEST(EnzymeMultiplicity, FollowsNestedComplexesOfTwoOrMoreElementsAndTakesTheFirstMatch) {
    TestModel t = cytosol();
    t.species("E", CLASS_PROTEIN);
    t.species("X", CLASS_PROTEIN);
    t.complex("EX", {{"E", 1}, {"X", 1}});
    t.complex("E2", {{"E", 2}});
    t.complex("EX3", {{"EX", 3}, {"E", 5}});
    t.complex("E2:X", {{"E2", 1}, {"X", 1}});
    t.complex("Twice", {{"E", 4}, {"EX", 1}});
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_GMA);
    for (Player& player : context->players) player.kind = PLAYER_DIFFERENTIAL;
    auto multiplicity = [&](int index) {
        return enzymeMultiplicity(*context, context->players[index], 1);
    };
    EXPECT_EQ(multiplicity(2), 1.0);  // EX
    EXPECT_EQ(multiplicity(3), 2.0);  // E2
    EXPECT_EQ(multiplicity(4), 3.0);  // EX3: through EX first, E 5 is never reached
    EXPECT_EQ(multiplicity(5), 0.0);  // E2:X: E2 has a single element and is not followed
    EXPECT_EQ(multiplicity(6), 4.0);  // Twice: the first match wins, nothing is summed
    context->players[2].kind = PLAYER_UNCLASSIFIED;
    EXPECT_EQ(multiplicity(2), 0.0);  // an unclassified complex holds nothing directly
    EXPECT_EQ(multiplicity(4), 5.0);  // nor when nested: EX3 falls through to its own E
}

TEST(TotalEnzyme, TheExpressionListsHoldersInPlayerOrder) {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE);
    t.species("P", CLASS_METABOLITE);
    t.species("E", CLASS_PROTEIN);
    t.species("X", CLASS_PROTEIN);
    t.complex("EX", {{"E", 1}, {"X", 1}});
    t.complex("EX:X", {{"EX", 1}, {"X", 1}});
    t.complex("E3", {{"E", 0.5}, {"X", 2}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"E", 1}, {"X", 1}}, {{"EX", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"EX", 1}, {"X", 1}}, {{"EX:X", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES,
               {{"E", 0.5}, {"X", 2}}, {{"E3", 1}});
    setTotalModifiers(t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}},
                                 {{"P", 1}}, {{"E", 1}}));
    Conversion c = convert(t.model, METHOD_CMA, METHOD_MM);
    ASSERT_EQ(c.result, 0);
    EXPECT_NE(c.dae.find("T_E.cyt = y[E.cyt] + y[EX.cyt] + y[EX:X.cyt] + 0.5*y[E3.cyt];\n"),
              std::string::npos);
    EXPECT_NE(
        c.dae.find("flux_E.cyt_S.cyt_to_P.cyt = Q[1]*T_E.cyt*y[S.cyt]/(Kmich[1]+y[S.cyt]);\n"),
        std::string::npos);
}

}  // namespace
}  // namespace zymorax::testkit
