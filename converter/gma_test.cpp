// GMA and MM: reaction and player checks, fluxes and their parameters, decay fluxes.
#include "gma.h"

#include <gtest/gtest.h>

#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

std::vector<std::string> fluxLines(const std::string& dae) {
    return linesStartingWith(dae, "flux_");
}

TEST(GmaFlux, OnlyTheFirstModifierIsTheEnzymeButAllAreNamed) {
    TestModel t = cytosol();
    t.all(CLASS_METABOLITE, {"S", "P", "E2", "E1"});
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

TEST(MmFlux, FractionalStoichiometryIsWrittenWithG) {
    TestModel t = cytosol();
    t.all(CLASS_METABOLITE, {"S", "P"});
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 0.00001}}, {{"P", 1e6}});
    Conversion c = convert(t.model, METHOD_NONE, METHOD_MM);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(fluxLines(c.dae),
              std::vector<std::string>{"flux_S.cyt_to_P.cyt = "
                                       "Q[1]*y[S.cyt]^1e-005/(Kmich[1]^1e-005+y[S.cyt]^1e-005);"});
    EXPECT_EQ(differentialTerms(c.dae, "P.cyt"), " 1e+006*flux_S.cyt_to_P.cyt");
    EXPECT_EQ(differentialTerms(c.dae, "S.cyt"), " - 1e-005*flux_S.cyt_to_P.cyt");
}

TEST(GmaFlux, ANotConvertibleReactionMakesNothing) {
    TestModel t = cytosol();
    t.all(CLASS_METABOLITE, {"A", "B"});
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}})
        .isConvertible = NOT_CONVERTIBLE;
    Conversion quiet = convert(t.model, METHOD_NONE, METHOD_GMA);
    ASSERT_EQ(quiet.result, 0);
    EXPECT_TRUE(quiet.info.fluxes.empty());
    EXPECT_EQ(quiet.info.parameterCounts[PARAM_KXG], 0);
    // Its players have no terms and end up constants.
    EXPECT_EQ(quiet.info.constantPlayers.size(), 2u);
}

TEST(GmaChecks, AComplexOfTheTppStageCannotTakePart) {
    TestModel t = cytosol();
    t.all(CLASS_METABOLITE, {"A", "B"});
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}});
    HandBuilt set(t, METHOD_TPP_RAPID, METHOD_GMA);
    set.player("B").kind = PLAYER_ALGEBRAIC_ZERO;
    LogCapture log;
    EXPECT_EQ(checkReactions_GMA(*set.context, set.t.model), -1);
    EXPECT_EQ(log.take(),
              "checkPlayer_GMA: 'B.cyt(specieID=2)' must not be a player of 'GMA/MM', because its "
              "a complex of 'CMA/TPP'.\n"
              "checkReaction_GMA: The error detected with checking product.(reactionID=1)\n"
              "checkReactions_GMA: failed.\n");
}

struct GmaFailure {
    ReactionRecipe reaction;
    std::string log;  // up to the driver's line
};

std::string decayingConstant(const std::string& role) {
    return "checkPlayer_GMA: constant variable 'Fixed.cyt(specieID=5)' is must be "
           "decomposition:off.\ncheckReaction_GMA: The error detected with checking " +
           role + ".(reactionID=1)\n";
}

const std::string kChecksFailed = "checkReactions_GMA: failed.\n";
const std::string kTotalsFailed = "createTotalEnzymeEq: failed.\n";

// The species: metabolites A and B (1, 2), a protein (3), a complex (4), Fixed, a constant
// that decays (5), the mass-balanced M (6) and Gone (7), which is taken out of the model after
// the reaction has been made. The reaction is switched off from conversion: it is checked all
// the same, by both methods.
TEST(GmaChecks, RefusedReactionsAndPlayersAreNamed) {
    const GmaFailure failures[] = {
        {{REACTION_BINDING, {{"Prot", 1}}, {{"B", 1}}},
         "checkReaction_GMA: invalid reactionType for GMA/MM conversion.(reactionID=1,"
         "reactionType=binding)\n" +
             kChecksFailed},
        {{REACTION_IRREVERSIBLE_CONVERSION, {}, {{"B", 1}}},
         "checkReaction_GMA: lack of reactants.(reactionID=1)\n" + kChecksFailed},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"Fixed", 1}}, {{"A", 1}}},
         decayingConstant("reactant") + kChecksFailed},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"Fixed", 1}}},
         decayingConstant("product") + kChecksFailed},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"B", 1}}, {{"Fixed", 1}}},
         decayingConstant("modifier") + kChecksFailed},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"Gone", 1}}},
         "checkPlayer_GMA: species reference (specieID=7) matches no species.\n"
         "checkReaction_GMA: The error detected with checking product.(reactionID=1)\n" +
             kChecksFailed},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"M", 1}}, {{"B", 1}}},
         "createTotalEnzymeEq: 'M.cyt(specieID=6)' must not be a reactant or product of "
         "'GMA/MM', because its massBalance is 'ON'.\n" +
             kTotalsFailed},
        {{REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"C", 1}}},
         "createTotalEnzymeEq: 'C.cyt(specieID=4)' must not be a reactant or product of "
         "'GMA/MM', because its specieClass is complex / modifier_complex.\n" +
             kTotalsFailed},
    };
    for (const GmaFailure& failure : failures) {
        TestModel t = cytosol();
        t.all(CLASS_METABOLITE, {"A", "B"}).species("Prot", CLASS_PROTEIN);
        t.species("C", CLASS_COMPLEX);
        Specie& fixed = t.species("Fixed", CLASS_METABOLITE);
        fixed.totalAmount = 1;
        fixed.decomposition = SWITCH_ON;
        t.species("M", CLASS_METABOLITE).massBalance = SWITCH_ON;
        t.species("Gone", CLASS_METABOLITE);
        t.reaction(LAYER_METABOLIC, failure.reaction).isConvertible = NOT_CONVERTIBLE;
        t.model.listOfSpecies.specie.pop_back();
        for (int method : {METHOD_GMA, METHOD_MM}) {
            SCOPED_TRACE(methodName(method) + (": " + failure.log));
            EXPECT_EQ(failureLog(t.model, METHOD_NONE, method),
                      failure.log + "ReadReactions_GMA failed.\n");
        }
    }
}

TEST(GmaFlux, ATotalEnzymeWithoutAnAmountToReferToIsRefused) {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE);
    t.species("E", CLASS_PROTEIN).massBalance = SWITCH_ON;
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {}, {{"E", 1}});
    HandBuilt set(t, METHOD_TPP_RAPID, METHOD_GMA);
    set.player("S").kind = PLAYER_DIFFERENTIAL_FLUX;
    set.player("E").kind = PLAYER_ALGEBRAIC_TOTAL;  // its total twin was never given a kind
    set.player("E").totalModifier = 1;
    const Reaction& reaction = set.t.model.listOfReactions[0].reaction[0];
    GmaReaction resolved;
    ASSERT_TRUE(resolveFirstList(*set.context, reaction.listOfModifiers, resolved.modifiers, "t"));
    ASSERT_TRUE(resolveFirstList(*set.context, reaction.listOfReactants, resolved.reactants, "t"));
    LogCapture log;
    EXPECT_EQ(buildFlux(*set.context, resolved, METHOD_GMA), -1);
    EXPECT_EQ(log.take(),
              "checkReactions_GMA: enzyme 'E.cyt(specieID=2)' of flux 'flux_E.cyt_S.cyt_to' has no "
              "amount that the flux can refer to.\n");
    set.total("E").kind = PLAYER_DIFFERENTIAL;  // once it has one, the flux uses it
    EXPECT_EQ(buildFlux(*set.context, resolved, METHOD_GMA), 0);
    EXPECT_EQ(renderText(set.context->fluxes.back().parts), "kxg[2]*y[TE.cyt]^f[1]*y[S.cyt]^f[2]");
}

}  // namespace
}  // namespace zymorax::testkit
