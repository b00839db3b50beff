// What no model file reaches: element lists and species references the model reader refuses
// first, equation sets in states only a hand-built context has, and the writer's guards. Every
// conversion a model file reaches is checked by the case folders of tests/cases/rxnconv.
#include <gtest/gtest.h>

#include <cstdio>

#include "gene1.h"
#include "gma.h"
#include "output_gathering.h"
#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

const std::string kCmaFailed = "readReactions_CMA failed.\n";

// The reader refuses element lists that name no species, complexes that contain themselves and
// references to missing species; the converter still names them.
TEST(UnreadableModels, BrokenElementListsAndReferencesAreNamed) {
    TestModel broken = cytosol();
    broken.species("A", CLASS_PROTEIN);
    broken.complex("AX", {{"A", 1}}).listOfElements[0].ref[0].specieID = 99;
    EXPECT_EQ(failureLog(broken.model, METHOD_CMA, METHOD_NONE),
              "checkComplexElements: element (specieID=99) of complex 'AX.cyt(specieID=2)' "
              "matches no species.\ncheckComplexElements failed.\n");

    TestModel loop = cytosol();
    loop.species("A", CLASS_PROTEIN);
    loop.complex("X", {{"A", 1}});
    loop.complex("Y", {{"X", 1}});
    loop.get("X").listOfElements[0].ref.push_back(loop.refs({{"Y", 1}}).ref[0]);
    EXPECT_EQ(failureLog(loop.model, METHOD_CMA, METHOD_NONE),
              "checkComplexElements: complex 'X.cyt(specieID=2)' contains itself through its "
              "elements.\ncheckComplexElements failed.\n");

    // Gone is taken out of the model after the reaction has been made.
    for (int method : {METHOD_CMA, METHOD_GMA}) {
        TestModel gone = cytosol();
        gone.all(CLASS_METABOLITE, {"A", "Gone"});
        int layer = method == METHOD_CMA ? LAYER_GENE_PROTEIN_1 : LAYER_METABOLIC;
        gone.reaction(layer, REACTION_IRREVERSIBLE_CONVERSION, {{"A", 1}}, {{"Gone", 1}});
        gone.model.listOfSpecies.specie.pop_back();
        EXPECT_EQ(method == METHOD_CMA ? failureLog(gone.model, METHOD_CMA, METHOD_NONE)
                                       : failureLog(gone.model, METHOD_NONE, METHOD_GMA),
                  method == METHOD_CMA
                      ? "classifyReaction_CMA: species reference (specieID=2) matches no "
                        "species.\n" +
                            cmaReactionFailed("irreversible_conversion") + kCmaFailed
                      : "checkPlayer_GMA: species reference (specieID=2) matches no species.\n"
                        "checkReaction_GMA: The error detected with checking product."
                        "(reactionID=1)\ncheckReactions_GMA: failed.\nReadReactions_GMA failed.\n");
    }
}

// The CMA stage runs alone, so that element lists a whole conversion refuses reach the search
// for a regulatory element: it ends in a loop, at no species, or too deep.
TEST(UnreadableModels, TheRegulatorSearchSurvivesBrokenComplexes) {
    TestModel t = cytosol();
    t.species("g", CLASS_DNA_GENE, 1);
    t.species("r", CLASS_RNA);
    t.species("P", CLASS_DNA_PROMOTER);
    t.species("TF", CLASS_PROTEIN);
    t.species("Loop", CLASS_COMPLEX);
    t.complex("X", {{"Loop", 1}, {"Loop", 1}, {"P", 1}});
    t.get("Loop").listOfElements.push_back(t.refs({{"X", 1}, {"Loop", 1}}));
    t.complex("Y", {{"Loop", 1}});  // Y holds Loop, which holds X (and itself); X holds P
    t.complex("Ghost", {{"TF", 1}}).listOfElements[0].ref[0].specieID = 9999;
    t.species("C300", CLASS_PROTEIN);
    for (int level = 299; level >= 0; --level) {
        t.complex("C" + std::to_string(level), {{"C" + std::to_string(level + 1), 1}});
    }
    const struct {
        const char* modifier;
        std::string log;
    } cases[] = {
        {"Y", ""},
        {"Ghost", "convertReaction_CMA_gene1: element (specieID=9999) of complex "
                  "'Ghost.cyt(specieID=8)' matches no species.\n" +
                      cmaReactionFailed("transcription")},
        {"C0", "convertReaction_CMA_gene1: complex 'C257.cyt(specieID=52)' is nested deeper "
               "than 256 levels.\n" +
                   cmaReactionFailed("transcription")},
    };
    for (const auto& c : cases) {
        TestModel model = t;
        model.reaction(LAYER_GENE_PROTEIN_1, REACTION_TRANSCRIPTION, {{"g", 1}}, {{"r", 1}},
                       {{c.modifier, 1}})
            .listOfModifiers[0]
            .ref[0]
            .modifierType = MODIFIER_OCCUPIED;
        CmaStage stage(model);
        EXPECT_EQ(stage.log, c.log) << c.modifier;
        if (c.log.empty()) {
            EXPECT_EQ(stage.terms("r").front().ratioDenominators[0].player, &stage.total("P"));
        }
    }
}

// Layers of no CMA-family method (7 is no layer code) are passed over; a binding with an empty
// modifier list counts as one without.
TEST(HandBuilt, TheCmaDispatcherLooksOnlyAtConvertibleReactionsOfCmaLayers) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.reaction(7, REACTION_NONE, {{"A", 1}}, {{"B", 1}});
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

// S -> (nothing) by the mass-balanced enzyme E, under TPP_RAPID and GMA.
HandBuilt enzymaticDecay() {
    TestModel t = cytosol();
    t.species("S", CLASS_METABOLITE);
    t.species("E", CLASS_PROTEIN).massBalance = SWITCH_ON;
    t.reaction(LAYER_METABOLIC, REACTION_IRREVERSIBLE_CONVERSION, {{"S", 1}}, {}, {{"E", 1}});
    return HandBuilt(t, METHOD_TPP_RAPID, METHOD_GMA);
}

TEST(HandBuilt, AnEnzymeTotalNeedsAnAmountToReferTo) {
    HandBuilt set = enzymaticDecay();
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

TEST(HandBuilt, AMassBalancedEnzymeHasNoTotalUnderTpp) {
    HandBuilt set = enzymaticDecay();
    set.player("E").kind = PLAYER_DIFFERENTIAL;
    set.player("E").totalModifier = 1;
    EXPECT_EQ(createTotalEnzymeEq(*set.context), 0);
    EXPECT_TRUE(set.context->totalEnzymes.empty());
    set.context->geneProteinMethod = METHOD_CMA;
    EXPECT_EQ(createTotalEnzymeEq(*set.context), 0);
    EXPECT_EQ(set.context->totalEnzymes.size(), 1u);
}

TEST(HandBuilt, EnzymeMultiplicityFollowsComplexesOfTwoOrMoreElementsAndTakesTheFirstMatch) {
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

// An equation set over proteins of initial amount 1, filled by hand and gathered like a
// conversion's.
struct WriterSet : HandBuilt {
    explicit WriterSet(const std::vector<std::string>& names) : HandBuilt(proteins(names), METHOD_CMA) {}
    static TestModel proteins(const std::vector<std::string>& names) {
        TestModel t = cytosol();
        for (const std::string& name : names) t.species(name, CLASS_PROTEIN, 1);
        return t;
    }
    OutputInfo gather(int geneProtein = METHOD_CMA) {
        OutputInfo info;
        info.modelName = "hand";
        info.geneProteinMethod = geneProtein;
        EXPECT_EQ(checkEquationReferences(*context), 0);
        gatherOutputInfo(std::move(context), info);
        return info;
    }
};

// Coefficients no conversion makes (zero, -1e-5 without factors) and an exponent other methods
// ignore; an equation without non-zero terms is skipped and takes no number.
TEST(HandBuilt, TermTextsOfCoefficientsAndExponents) {
    WriterSet set({"A", "B", "C", "D"});
    set.kinds(PLAYER_DIFFERENTIAL, {"A", "C", "D"});
    set.player("B").kind = PLAYER_ALGEBRAIC_ZERO;
    set.add("A", 2, PARAM_KX, 2, {{"B", 0.5}});
    set.add("A", 0, PARAM_KX, 4, {{"A", 1}});
    set.add("A", 1, PARAM_KTR, 5, {{"A", 1}, {"B", 2}}).parameterExponent = 2;
    set.add("A", -1, PARAM_NONE, 0, {{"A", 1}});
    set.add("A", -1e-5, PARAM_KMICH, 6);
    set.add("C", 0, PARAM_KX, 1, {{"A", 1}});
    set.add("D", -1, PARAM_KX, 1, {{"A", 1}});
    EXPECT_EQ(linesStartingWith(writeToString(set.gather(), OUTPUT_DAE), "deq_"),
              (std::vector<std::string>{"deq_1: dydt[A.cyt] = 2*kx[2]*x[B.cyt]^0.5 + "
                                        "ktr[5]*y[A.cyt]*x[B.cyt]^2 - y[A.cyt] - 1e-005*Kmich[6];",
                                        "deq_2: dydt[D.cyt] = - kx[1]*y[A.cyt];"}));
}

std::string unwritten(const std::string& what, const std::string& player) {
    return "checkEquationReferences: " + what + " refers to '" + player +
           "', which is not a variable of the model.\n";
}

// Terms, fractions and fluxes that refer to a player of no written kind are refused; a term of
// coefficient zero and an unused total are never written, so they may.
TEST(HandBuilt, UnwritableReferencesAreRefused) {
    WriterSet term({"A", "Ghost"});
    term.player("A").kind = PLAYER_DIFFERENTIAL;
    term.add("A", 0, PARAM_KX, 1, {{"Ghost", 1}});
    EXPECT_EQ(checkEquationReferences(*term.context), 0);
    term.add("A", 1, PARAM_KX, 1, {{"Ghost", 1}});

    WriterSet fraction({"gene", "mRNA", "TF"});
    fraction.kinds(PLAYER_DIFFERENTIAL, {"gene", "mRNA", "TF"});
    Term& regulated = fraction.add("mRNA", 1, PARAM_KM, 1);
    regulated.ratioNumerators = {{&fraction.player("TF"), 1.0, MODIFIER_OCCUPIED}};
    regulated.ratioDenominators = {{&fraction.total("TF"), 1.0, MODIFIER_OCCUPIED}};
    regulated.tailPlayer = PlayerLink{&fraction.player("gene"), 1.0, 0};

    WriterSet flux({"A", "Ghost"});
    flux.context->totalEnzymes.emplace_back().parts.push_back({"", &flux.player("Ghost"), ""});
    EXPECT_EQ(checkEquationReferences(*flux.context), 0);
    Flux& written = flux.context->fluxes.emplace_back();
    written.name = "flux_A.cyt_to";
    written.parts = {{"Q[1]*", nullptr, ""}, {"", &flux.player("Ghost"), ""}};

    LogCapture log;
    EXPECT_EQ(checkEquationReferences(*term.context), -1);
    EXPECT_EQ(checkEquationReferences(*fraction.context), -1);
    EXPECT_EQ(checkEquationReferences(*flux.context), -1);
    EXPECT_EQ(
        log.take(),
        unwritten("a term of the equation of 'A.cyt(specieID=1)'", "Ghost.cyt(specieID=2)") +
            unwritten("a term of the equation of 'mRNA.cyt(specieID=2)'", "TF.cyt(specieID=3)") +
            unwritten("flux 'flux_A.cyt_to'", "Ghost.cyt(specieID=2)"));
}

// (A full disk is a case folder of rxnconv.)
TEST(HandBuilt, WritesThatCannotBeDoneAreReported) {
    WriterSet set({"A"});
    OutputInfo info = set.gather();
    FILE* readOnly = std::fopen("/dev/null", "r");
    ASSERT_NE(readOnly, nullptr);
    LogCapture log;
    EXPECT_EQ(writeOutputFile(info, readOnly, OUTPUT_USAGE), -1);
    EXPECT_EQ(writeOutputFile(info, nullptr, OUTPUT_DAE), -1);
    EXPECT_EQ(writeOutputFile(info, stdout, 3), -1);
    EXPECT_EQ(log.take(),
              "writeOutputFile: write error on the usage file (Bad file descriptor).\n"
              "writeOutputFile: the DAE file is not open.\n"
              "writeOutputFile: invalid output mode 3.\n");
    std::fclose(readOnly);
}

}  // namespace
}  // namespace zymorax::testkit
