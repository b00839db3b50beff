// The TPP steps on hand-built equation sets, which no model file gives: other methods leave them
// alone, contents that are no complex stop the totals, merging into totals, pairs that are no
// pairs; and the pair elimination against its plain description on random binding networks.
// Whole conversions are case folders of tests/cases/rxnconv.
#include <gtest/gtest.h>

#include <random>

#include "log.h"
#include "test_model_builder.h"
#include "tpp.h"
#include "tpp_steps.h"

namespace zymorax::testkit {
namespace {

const std::string kPassesUpToInitialValues =
    "## Pass moveMonomerEqs.\n\n## Pass makeTotalDiffEqs.\n\n"
    "## Pass makeTotalAlgebraicEqs.\n\n## Pass calcInitialVal.\n\n";

// SetTPP on a hand-built context: its result and its log.
std::pair<int, std::string> setTpp(HandBuilt& set) {
    LogCapture log;
    int result = SetTPP(*set.context);
    return {result, log.take()};
}

TestModel bindingModel() {
    TestModel t = cytosol("binding");
    t.species("A", CLASS_PROTEIN, 1).massBalance = SWITCH_ON;
    t.species("B", CLASS_PROTEIN, 2);
    t.complex("A:B", {{"A", 1}, {"B", 1}}, 0.5);
    t.reaction(LAYER_GENE_PROTEIN_1, REACTION_BINDING, {{"A", 1}, {"B", 1}}, {{"A:B", 1}});
    return t;
}

TEST(SetTpp, OtherMethodsLeaveTheEquationsAlone) {
    for (int method : {0, 1, 5, 6, 9}) {  // NONE, CMA, GMA, MM, unknown
        HandBuilt set(bindingModel(), method);
        set.player("A").kind = PLAYER_ALGEBRAIC_TOTAL;
        set.add("A", -1, PARAM_KA, 1, {{"A", 1}, {"B", 1}});
        EXPECT_EQ(setTpp(set), std::make_pair(0, std::string()));
        EXPECT_EQ(set.terms("A").size(), 1u);
        EXPECT_EQ(set.total("A").kind, PLAYER_NONE);
    }
    HandBuilt cma(bindingModel(), METHOD_CMA);
    LogCapture log;
    EXPECT_EQ(refineComplexEqs(*cma.context), -1);
    EXPECT_EQ(log.take(), "## Error!! in refineComplexEqs.\n");
}

TEST(SetTpp, ANegativeContentStopsTheTotals) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.complex("Odd", {{"B", 1}, {"A", -1}});
    HandBuilt set(t, METHOD_TPP_RAPID);
    set.kinds(PLAYER_ALGEBRAIC_TOTAL, {"A", "B"});
    set.player("Odd").kind = PLAYER_ALGEBRAIC_ZERO;
    EXPECT_EQ(setTpp(set),
              std::make_pair(-1, std::string("## Pass moveMonomerEqs.\n\n## Error!! in "
                                             "makeTotalDiffEqs.\n## Error!! in  SetTPP.\n")));
}

// A complex's terms are merged m times into the total: into the first alike term (same
// parameter, same factors and exponents in order), else appended as a copy.
TEST(TppTotals, MergingAddsToTheFirstAlikeTermAndAppendsTheRest) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.complex("A2B", {{"A", 2}, {"B", 1}});
    HandBuilt set(t, METHOD_TPP_STEADYSTATE_1);
    set.player("A").kind = PLAYER_ALGEBRAIC_TOTAL;
    set.player("B").kind = PLAYER_DIFFERENTIAL;
    set.player("A2B").kind = PLAYER_ALGEBRAIC_ZERO;
    set.add("A", -2, PARAM_KA, 1, {{"A", 2}, {"B", 1}});
    set.add("A", -2, PARAM_KA, 1, {{"A", 2}, {"B", 1}});
    set.add("A", 4, PARAM_KX, 1, {{"B", 1}});
    set.add("A", 1, PARAM_KM, 1);
    set.add("A2B", 1, PARAM_KA, 1, {{"A", 2}, {"B", 1}});
    set.add("A2B", 1, PARAM_KA, 1, {{"A", 1}, {"B", 1}});  // another exponent
    set.add("A2B", 1, PARAM_KA, 1, {{"B", 1}, {"A", 2}});  // another order
    set.add("A2B", -2, PARAM_KX, 1, {{"B", 1}});
    set.add("A2B", 3, PARAM_KM, 1).parameterExponent = 3;  // without factors: like nothing
    EXPECT_EQ(setTpp(set), std::make_pair(0, kPassesUpToInitialValues));
    const auto& total = set.totalTerms("A");
    std::vector<double> coefficients;
    for (const Term& term : total) coefficients.push_back(term.coefficient);
    EXPECT_EQ(coefficients, (std::vector<double>{0, -2, 0, 1, 2, 2, 6}));
    EXPECT_EQ(total[4].factors[0].exponent, 1.0);
    EXPECT_EQ(total[5].factors[0].player, &set.player("B"));
    EXPECT_EQ(total[6].parameterExponent, 3.0);
    EXPECT_EQ(set.total("A").kind, PLAYER_DIFFERENTIAL);
    // The monomer's own equation now defines its total.
    ASSERT_EQ(set.terms("A").size(), 2u);
    EXPECT_EQ(set.terms("A")[1].coefficient, 2.0);
    EXPECT_EQ(set.terms("A")[1].factors[0].player, &set.player("A2B"));
    EXPECT_EQ(set.terms("A")[1].parameterKind, PARAM_NONE);
}

std::string refineLog(const std::string& details) {
    return kPassesUpToInitialValues + details +
           "## Error!! in refineComplexEqs.\n## Error!! in  SetTPP.\n";
}

TEST(TppRefine, TwoNonZeroTermsThatAreNoPairFail) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.complex("A:B", {{"A", 1}, {"B", 1}});
    HandBuilt twoAssociations(t, METHOD_TPP_STEADYSTATE_2);
    twoAssociations.player("A:B").kind = PLAYER_ALGEBRAIC_ZERO;
    twoAssociations.add("A:B", 1, PARAM_KA, 1, {{"A", 1}});
    twoAssociations.add("A:B", 0, PARAM_KD, 1, {{"A:B", 1}});
    twoAssociations.add("A:B", 1, PARAM_KA, 2, {{"B", 1}});
    EXPECT_EQ(setTpp(twoAssociations),
              std::make_pair(
                  -1, refineLog("#  This complex equation have 2 non-zero tarms.\n"
                                "#  But +ka : 2, -kd : 0. Unknown error.\n"
                                "#  Complex A:B: what is left of its equation is +ka[1], +ka[2], "
                                "not its own association (+ka) and dissociation (-kd) of one "
                                "binding. The rapid-equilibrium and steady-state reductions "
                                "replace a complex by the reversible binding that makes it: "
                                "convert this layer with CMA or TPP_STEADYSTATE_1, or form A:B "
                                "by a reversible binding.\n")));
    HandBuilt twoNumbers(t, METHOD_TPP_RAPID);
    twoNumbers.player("A:B").kind = PLAYER_ALGEBRAIC_ZERO;
    twoNumbers.add("A:B", 1, PARAM_KA, 1, {{"A", 1}, {"B", 1}});
    twoNumbers.add("A:B", -1, PARAM_KD, 2, {{"A:B", 1}});
    EXPECT_EQ(setTpp(twoNumbers),
              std::make_pair(-1, refineLog("#  This complex equation have 2 non-zero tarms.\n"
                                           "#  But + ka_index : 1, - kd_index : 2. Unknown "
                                           "error.\n")));
}

// The pair marking and elimination as literally described: every complex marked on every pass,
// every equation searched for every pair.
int plainPairElimination(ConversionContext& context, int& zeroingPasses) {
    zeroingPasses = 0;
    for (bool repeat = true; repeat; zeroingPasses += repeat) {
        for (int c = 0; c < context.playerCount; ++c) {
            if (context.players[c].kind != PLAYER_ALGEBRAIC_ZERO) continue;
            int nonZero = 0, ka = 0, kd = 0, kaNumber = 0, kdNumber = 0;
            for (const Term& term : context.equations[c].terms) {
                nonZero += term.coefficient != 0.0;
                if (term.parameterKind == PARAM_KA && term.coefficient > 0) {
                    ++ka;
                    kaNumber = term.parameterNumber;
                }
                if (term.parameterKind == PARAM_KD && term.coefficient < 0) {
                    ++kd;
                    kdNumber = term.parameterNumber;
                }
            }
            context.equations[c].pairNumber = 0;
            if (nonZero != 2) continue;
            if (ka != 1 || kd != 1 || kaNumber != kdNumber) {
                log_sys("#  marking failed\n");
                return -1;
            }
            context.equations[c].pairNumber = kaNumber;
        }
        repeat = false;
        for (int c = 0; c < context.playerCount; ++c) {
            int n = context.equations[c].pairNumber;
            if (context.players[c].kind != PLAYER_ALGEBRAIC_ZERO || n < 1) continue;
            for (PlayerEquation& equation : context.equations) {
                int ka = 0, kd = 0;
                for (Term& term : equation.terms) {
                    if (term.parameterNumber != n) continue;
                    if (term.parameterKind == PARAM_KA && term.coefficient < 0) {
                        term.coefficient = 0;
                        ++ka;
                    } else if (term.parameterKind == PARAM_KD && term.coefficient > 0) {
                        term.coefficient = 0;
                        ++kd;
                    }
                }
                repeat = repeat || ka > 0;
                if (!((ka == 1 && kd == 1) || (ka == 0 && kd == 0))) {
                    log_sys("#  Eliminate ka : %d, kd : %d.\n", ka, kd);
                    return -1;
                }
            }
        }
    }
    return 0;
}

// A random network of bindings, the same for the same seed: complex c forms from one or two
// partners (complexes among them, so chains and trees appear) with the pair numbered c + 1;
// now and then a term is missing and a stray term is added.
std::unique_ptr<ConversionContext> randomBindingTerms(unsigned seed, int method) {
    std::mt19937 random(seed);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    TestModel t = cytosol();
    const int count = 4 + pick(12);
    for (int i = 0; i < count; ++i) t.species("S" + std::to_string(i), CLASS_PROTEIN);
    auto context = createConversionContext(t.model, method, METHOD_NONE);
    auto add = [&](int owner, int kind, int number, double coefficient) {
        Term term;
        term.parameterKind = kind;
        term.parameterNumber = number;
        term.coefficient = coefficient;
        term.factors.push_back(TermFactor{&context->players[pick(count)], 1.0});
        context->equations[owner].terms.push_back(term);
    };
    for (int c = 0; c < count; ++c) {
        context->players[c].kind = pick(3) == 0 ? PLAYER_DIFFERENTIAL : PLAYER_ALGEBRAIC_ZERO;
    }
    const int parameters[] = {PARAM_KA, PARAM_KD, PARAM_KX, PARAM_KPD};
    for (int c = 0; c < count; ++c) {
        if (context->players[c].kind != PLAYER_ALGEBRAIC_ZERO) continue;
        if (pick(6) != 0) add(c, PARAM_KA, c + 1, 1 + pick(2));
        if (pick(6) != 0) add(c, PARAM_KD, c + 1, -1);
        for (int n = 1 + pick(2); n > 0; --n) {
            int partner = pick(count);
            if (partner == c) continue;
            if (pick(12) != 0) add(partner, PARAM_KA, c + 1, -1 - pick(2));
            if (pick(12) != 0) add(partner, PARAM_KD, c + 1, 1);
        }
    }
    for (int i = 0; i < count; ++i) {
        if (pick(4) == 0) add(i, parameters[pick(4)], 1 + pick(count), pick(3) - 1);
    }
    return context;
}

TEST(TppRefine, MarkingOnlyChangedComplexesEliminatesWhatMarkingAllWould) {
    int succeeded = 0, repeated = 0;
    LogCapture log;
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        auto context = randomBindingTerms(seed, METHOD_TPP_STEADYSTATE_2);
        auto plain = randomBindingTerms(seed, METHOD_TPP_STEADYSTATE_2);
        for (int c = 0; c < plain->playerCount; ++c) {  // what refineComplexEqs drops first
            if (plain->players[c].kind != PLAYER_ALGEBRAIC_ZERO) continue;
            for (Term& term : plain->equations[c].terms) {
                if (term.parameterKind == PARAM_KPD) term.coefficient = 0;
            }
        }
        int result = refineComplexEqs(*context);
        std::string refined = log.take();
        int zeroingPasses = 0;
        int expected = plainPairElimination(*plain, zeroingPasses);
        std::string plainLog = log.take();
        ASSERT_EQ(result, expected) << "seed " << seed << "\n" << refined << plainLog;
        if (plainLog.find("#  Eliminate") != std::string::npos) {
            EXPECT_EQ(refined, plainLog + "## Error!! in refineComplexEqs.\n") << "seed " << seed;
        }
        for (int i = 0; i < context->playerCount; ++i) {
            const auto& got = context->equations[i].terms;
            const auto& want = plain->equations[i].terms;
            for (size_t k = 0; k < got.size(); ++k) {
                ASSERT_EQ(got[k].coefficient, want[k].coefficient) << "seed " << seed;
            }
            if (result == 0) {
                EXPECT_EQ(context->equations[i].pairNumber, plain->equations[i].pairNumber);
            }
        }
        if (result == 0) {
            ++succeeded;
            EXPECT_EQ(refined, "## Pass refineComplexEqs.\n\n");
            repeated += zeroingPasses >= 2;  // a pair appeared only after an elimination
        }
    }
    EXPECT_GT(succeeded, 300);
    EXPECT_GT(repeated, 20);
}

}  // namespace
}  // namespace zymorax::testkit
