// CMA: the dispatcher, the three general converters, the term builder and the balance checks of
// binding steps.
#include "cma.h"

#include <gtest/gtest.h>

#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

// Under TPP methods a mass-balanced monomer is algebraic; under CMA it stays a variable, even
// with a total amount (which would otherwise make it a constant).
TEST(CmaBinding, AMassBalancedMonomerIsAlgebraicUnderTppOnly) {
    TestModel t = cytosol();
    Specie& a = t.species("A", CLASS_PROTEIN);
    a.massBalance = SWITCH_ON;
    a.totalAmount = 1;
    t.species("B", CLASS_PROTEIN);
    t.complex("A:B", {{"A", 1}, {"B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"A:B", 1}});
    CmaStage tpp(t, METHOD_TPP_STEADYSTATE_1);
    EXPECT_EQ(tpp.player("A").kind, PLAYER_ALGEBRAIC_TOTAL);
    CmaStage cma(t, METHOD_CMA);
    EXPECT_EQ(cma.player("A").kind, PLAYER_DIFFERENTIAL);
}

// Species level compares summed stoichiometries with the complex's coefficient; monomer level
// takes the complexes on the left apart and counts their element stoichiometries, whatever
// their coefficients.
TEST(CmaBinding, BalanceAtSpeciesAndAtMonomerLevel) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B", "D"});
    t.complex("A:B", {{"A", 1}, {"B", 1}});
    t.complex("A:B:D", {{"A", 1}, {"B", 1}, {"D", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A:B", 1}, {"D", 1}}, {{"A:B:D", 1}});
    Model thirdParty = t.model;
    EXPECT_EQ(convert(thirdParty, METHOD_CMA, METHOD_NONE).result, 0);
    t.complex("A2", {{"A", 2}});
    t.complex("A2B", {{"A", 2}, {"B", 1}});
    t.complex("A3B", {{"A", 3}, {"B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 2}, {"A", 2}}, {{"A2", 2}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A2", 2}, {"B", 1}}, {{"A2B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A2", 2}, {"B", 1}}, {{"A3B", 1}});
    HandBuilt set(t, METHOD_CMA);
    std::vector<PlayerList> left(4), right(4);
    for (int r = 0; r < 4; ++r) {
        const Reaction& reaction = t.model.listOfReactions[0].reaction[r];
        ASSERT_TRUE(resolveFirstList(*set.context, reaction.listOfReactants, left[r], "test"));
        ASSERT_TRUE(resolveFirstList(*set.context, reaction.listOfProducts, right[r], "test"));
    }
    ConversionContext& context = *set.context;
    EXPECT_EQ(checkStoichiometricDiscordance(context, left[0], nullptr, &right[0]), -1);
    EXPECT_EQ(checkStoichiometricDiscordance2(context, left[0], nullptr, right[0]), 0);
    EXPECT_EQ(checkStoichiometricDiscordance(context, left[1], nullptr, &right[1]), 0);  // 2+2=2*2
    EXPECT_EQ(checkStoichiometricDiscordance(context, {left[1][0]}, nullptr, &right[1]), -1);
    EXPECT_EQ(checkStoichiometricDiscordance2(context, left[2], nullptr, right[2]), 0);
    LogCapture log;
    EXPECT_EQ(checkStoichiometricDiscordance2(context, left[3], nullptr, right[3]), -1);
    EXPECT_EQ(log.take(),
              "checkStoichiometricDiscordance2: 'A.cyt(specieID=1)', element of "
              "rightpart complex matches for no leftpart monomerized players.\n");
}

TEST(CmaEnzymatic, ADegradationWithoutProductOnlyReleasesTheEnzyme) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"S", "E"});
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

// Labels sort modifiers, then reactants, byte-wise by name; equal names keep their list order.
TEST(CmaEnzymatic, LabelsSortModifiersThenReactantsByteWise) {
    TestModel t;
    t.compartment(1, "cytosol").compartment(2, "nucleus");
    t.all(CLASS_PROTEIN, {"b", "A", "Zeta", "alpha", "P"});
    t.complex("cx", {{"b", 1}, {"A", 1}, {"Zeta", 1}, {"alpha", 1}});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES,
               {{"b", 1}, {"A", 1}}, {{"P", 1}}, {{"Zeta", 1}, {"alpha", 1}}, "cx");
    t.species("X", CLASS_PROTEIN, 0, 2);
    Reaction& twins = t.reaction(LAYER_GENE_PROTEIN_1, REACTION_IRREVERSIBLE_CONVERSION,
                                 {{"X", 1}, {"X", 1}}, {{"P", 1}});
    twins.listOfReactants[0].ref[1].specieID = t.species("X", CLASS_PROTEIN).specieID;
    Conversion c = convert(t.model, METHOD_CMA, METHOD_NONE);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(c.info.parameterLists[PARAM_KA][0].label, "_Zeta.cyt_alpha.cyt_A.cyt_b.cyt");
    EXPECT_EQ(c.info.parameterLists[PARAM_KX][0].label, "_Zeta.cyt_alpha.cyt_A.cyt_b.cyt");
    EXPECT_EQ(c.info.parameterLists[PARAM_KX][1].label, "_X.nuc_X.cyt");
}

TEST(CmaIrreversible, RateParametersFollowTheReactionType) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"gene", "mRNA", "P", "Pout"});
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

// A not-convertible reaction and layers of no CMA-family method (the Metabolic layer here goes
// to GMA, layer 7 is unknown) are passed over; an empty modifier list counts as none.
TEST(CmaDispatcher, OnlyConvertibleReactionsOfCmaLayersAreLookedAt) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_NONE, {{"A", 1}}, {{"B", 1}}).isConvertible =
        NOT_CONVERTIBLE;
    t.reaction(7, REACTION_NONE, {{"A", 1}}, {{"B", 1}});
    t.reaction(LAYER_METABOLIC, REACTION_NONE, {{"A", 1}}, {{"B", 1}});
    t.reaction(LAYER_GENE_PROTEIN_2, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    CmaStage passing(t);
    EXPECT_EQ(passing.result, 0);
    EXPECT_EQ(passing.context->parameterCounts[PARAM_KX], 1);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}}, {{"B", 1}})
        .listOfModifiers.emplace_back();
    CmaStage binding(t);
    EXPECT_EQ(binding.result, -1);  // converted as a binding, which fails its balance
    EXPECT_EQ(binding.context->parameterCounts[PARAM_KA], 1);
}

struct CmaFailure {
    ReactionRecipe reaction;
    std::string log;  // the stage's lines before the driver's
};

// Every fault names itself, then the reaction it stopped. The species: proteins A, B, D and E
// (1 to 4), a dimer A2 that lists its element twice (5), Fixed, a constant that decays (6), and
// Gone (7), which is taken out of the model after the reaction has been made.
TEST(CmaFailures, NameTheFaultThenTheReaction) {
    const CmaFailure failures[] = {
        {{REACTION_HOMO_ASSOCIATION_OR_MODIFICATION, {{"A", 2}}, {{"A2", 1}}},
         "checkStoichiometricDiscordance2: rightpart has 2 elements of complex, but leftpart has "
         "1 monomerized players.)\ncheckStoichiometricDescordance2 failed.\n" +
             cmaReactionFailed("homo_association_or_modification")},
        {{REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"D", 1}, {"E", 1}}},
         "checkStoichiometricDiscordance: No products and modifierComplex: rightpart of binding "
         "reaction must include modifierComplex or one product.\n"
         "checkStoichiometricDescordance failed.\n" +
             cmaReactionFailed("binding")},
        // Missing lists are all named; a missing modifier complex ends the checks.
        {{REACTION_IRREVERSIBLE_CONVERSION, {}, {}, {{"E", 1}}},
         "no reactants exists.\nno products exists.\nno modifierComplex exists.\n" +
             cmaReactionFailed("irreversible_conversion")},
        {{REACTION_REVERSIBLE_CONVERSION, {{"A", 1}}, {}, {}, "B"},
         "no products exists.\nmodifierComplex exists.\n" +
             cmaReactionFailed("reversible_conversion")},
        {{REACTION_TRANSLATION, {{"A", 1}}, {{"B", 1}}, {{"E", 1}}},
         "classifyReaction_CMA: invalid reactionType for reaction with modifier.\n" +
             cmaReactionFailed("translation")},
        {{REACTION_NONE, {{"A", 1}}, {{"B", 1}}},
         "classifyReaction_CMA: invalid reactionType for reaction without modifier.\n" +
             cmaReactionFailed("none")},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"Gone", 1}}},
         "classifyReaction_CMA: species reference (specieID=7) matches no species.\n" +
             cmaReactionFailed("irreversible_conversion")},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"Fixed", 1}}, {{"B", 1}}},
         "convertPlayer_CMA: constant variable 'Fixed.cyt(specieID=6)' is must be "
         "decomposition:off.\n" +
             cmaReactionFailed("irreversible_conversion")},
    };
    for (const CmaFailure& failure : failures) {
        SCOPED_TRACE(failure.log);
        TestModel t = cytosol();
        t.all(CLASS_PROTEIN, {"A", "B", "D", "E"}).complex("A2", {{"A", 1}, {"A", 1}});
        Specie& fixed = t.species("Fixed", CLASS_PROTEIN);
        fixed.totalAmount = 1;
        fixed.decomposition = SWITCH_ON;
        t.species("Gone", CLASS_PROTEIN);
        t.reaction(LAYER_GENE_PROTEIN_1, failure.reaction);
        t.model.listOfSpecies.specie.pop_back();
        EXPECT_EQ(failureLog(t.model, METHOD_CMA, METHOD_NONE),
                  failure.log + "readReactions_CMA failed.\n");
    }
}

}  // namespace
}  // namespace zymorax::testkit
