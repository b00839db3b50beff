// Total-enzyme expressions and the multiplicity of an enzyme in complexes.
#include <gtest/gtest.h>

#include "gma.h"
#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

// E binds I (Gene-Protein layer, CMA) and acts through its total amount on S -> P.
TestModel totalEnzymeNetwork() {
    TestModel t = cytosol();
    t.all(CLASS_METABOLITE, {"S", "P"}).all(CLASS_PROTEIN, {"E", "I"});
    t.complex("E2:I", {{"E", 2}, {"I", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES,
               {{"E", 2}, {"I", 1}}, {{"E2:I", 1}});
    setTotalModifiers(t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}},
                                 {{"P", 1}}, {{"E", 1}}));
    return t;
}

std::string temporaryExpressions(const Model& model, int geneProteinMethod) {
    Model copy = model;
    Conversion c = convert(copy, geneProteinMethod, METHOD_GMA);
    EXPECT_EQ(c.result, 0);
    return section(c.dae, "== Temporary Expressions ==\n\n", "== Algebraic Eqs. ==");
}

const char kPlainEnzymeFlux[] =
    "= Flux =\nflux_E.cyt_S.cyt_to_P.cyt = kxg[1]*constantPlayer[1]^f[1]*y[S.cyt]^f[2];\n\n";

// A used total is written with the multiplicity of each complex that a conversion classified;
// an enzyme that only modifies gets none; without a Gene-Protein method the flux uses the plain
// enzyme and the total, built but unused, leaves only its sub-head.
TEST(TotalEnzyme, TheFluxUsesTheTotalOnlyWhenTheEnzymeIsAVariableOfTheOtherLayer) {
    TestModel t = totalEnzymeNetwork();
    t.complex("Unused", {{"E2:I", 1}, {"S", 1}});
    EXPECT_EQ(temporaryExpressions(t.model, METHOD_CMA),
              "== Temporary Expressions ==\n\n"
              "= Total enzyme =\nT_E.cyt = y[E.cyt] + 2*y[E2:I.cyt];\n\n"
              "= Flux =\nflux_E.cyt_S.cyt_to_P.cyt = kxg[1]*T_E.cyt^f[1]*y[S.cyt]^f[2];\n\n");
    t.model.listOfReactions.erase(t.model.listOfReactions.begin());
    EXPECT_EQ(temporaryExpressions(t.model, METHOD_CMA),
              std::string("== Temporary Expressions ==\n\n") + kPlainEnzymeFlux);
    t.get("E").totalAmount = 1;  // a constant of the model, so not a GMA variable
    EXPECT_EQ(
        temporaryExpressions(t.model, METHOD_NONE),
        std::string("== Temporary Expressions ==\n\n= Total enzyme =\n\n") + kPlainEnzymeFlux);
}

TEST(TotalEnzyme, AMassBalancedEnzymeHasNoTotalUnderTpp) {
    TestModel t = totalEnzymeNetwork();
    t.get("E").massBalance = SWITCH_ON;
    HandBuilt set(t, METHOD_TPP_RAPID, METHOD_GMA);
    set.player("E").kind = PLAYER_DIFFERENTIAL;
    set.player("E").totalModifier = 1;
    EXPECT_EQ(createTotalEnzymeEq(*set.context), 0);
    EXPECT_TRUE(set.context->totalEnzymes.empty());
    set.context->geneProteinMethod = METHOD_CMA;
    EXPECT_EQ(createTotalEnzymeEq(*set.context), 0);
    EXPECT_EQ(set.context->totalEnzymes.size(), 1u);
}

TEST(EnzymeMultiplicity, FollowsNestedComplexesOfTwoOrMoreElementsAndTakesTheFirstMatch) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"E", "X"});
    t.complex("EX", {{"E", 1}, {"X", 1}});
    t.complex("E2", {{"E", 2}});
    t.complex("EX3", {{"EX", 3}, {"E", 5}});
    t.complex("E2:X", {{"E2", 1}, {"X", 1}});
    t.complex("Twice", {{"E", 4}, {"EX", 1}});
    HandBuilt set(t, METHOD_CMA, METHOD_GMA);
    for (Player& player : set.context->players) player.kind = PLAYER_DIFFERENTIAL;
    auto multiplicity = [&](const char* name) {
        return enzymeMultiplicity(*set.context, set.player(name), 1);
    };
    EXPECT_EQ(multiplicity("EX"), 1.0);
    EXPECT_EQ(multiplicity("E2"), 2.0);
    EXPECT_EQ(multiplicity("EX3"), 3.0);    // through EX first, E 5 is never reached
    EXPECT_EQ(multiplicity("E2:X"), 0.0);   // E2 has a single element and is not followed
    EXPECT_EQ(multiplicity("Twice"), 4.0);  // the first match wins, nothing is summed
    set.player("EX").kind = PLAYER_UNCLASSIFIED;
    EXPECT_EQ(multiplicity("EX"), 0.0);   // an unclassified complex holds nothing directly
    EXPECT_EQ(multiplicity("EX3"), 5.0);  // nor when nested: EX3 falls through to its own E
}

TEST(TotalEnzyme, TheExpressionListsHoldersInPlayerOrder) {
    TestModel t = cytosol();
    t.all(CLASS_METABOLITE, {"S", "P"}).all(CLASS_PROTEIN, {"E", "X"});
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
    EXPECT_EQ(
        linesStartingWith(c.dae, "T_E.cyt"),
        std::vector<std::string>{"T_E.cyt = y[E.cyt] + y[EX.cyt] + y[EX:X.cyt] + 0.5*y[E3.cyt];"});
    EXPECT_EQ(linesStartingWith(c.dae, "flux_"),
              std::vector<std::string>{
                  "flux_E.cyt_S.cyt_to_P.cyt = Q[1]*T_E.cyt*y[S.cyt]/(Kmich[1]+y[S.cyt]);"});
}

}  // namespace
}  // namespace zymorax::testkit
