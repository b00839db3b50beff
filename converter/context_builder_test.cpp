// Players, total twins and equations as a conversion starts, and the checks of complexes'
// element lists.
#include "context_builder.h"

#include <gtest/gtest.h>

#include <tuple>

#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

TEST(ConversionContext, PlayersCopyTheSpeciesAndTwinsStartWithoutKindOrValue) {
    TestModel t;
    t.compartment(1, "cytosol").compartment(2, "er").compartment(2, "nucleus");
    Specie& a = t.species("A", CLASS_PROTEIN, 1.5, 2);
    a.massBalance = SWITCH_ON;
    a.totalAmount = 1;
    a.decomposition = SWITCH_ON;
    t.complex("A2", {{"A", 2}});
    // Only a species with exactly one element list is a complex.
    t.complex("AA", {{"A", 1}}).listOfElements.push_back(t.refs({{"A", 1}}));
    t.species("B", CLASS_PROTEIN, 0, 9).specieID = 1;  // no such compartment; a taken ID
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(context->playerCount, 4);
    const Player& player = context->players[0];
    EXPECT_EQ(player.kind, PLAYER_UNCLASSIFIED);
    EXPECT_EQ(player.name, "A");
    EXPECT_EQ(player.compartmentShortName, "nuc");  // the last compartment with the ID
    EXPECT_EQ(std::make_tuple(player.massBalance, player.totalAmount, player.decomposition,
                              player.initialAmountValid, player.initialAmount),
              std::make_tuple(int{SWITCH_ON}, 1, int{SWITCH_ON}, 1, 1.5));
    EXPECT_EQ(player.elementCount, 0);
    EXPECT_EQ(context->players[1].elementCount, 1);
    EXPECT_EQ(context->players[1].elements[0].stoichiometry, 2.0);
    EXPECT_EQ(context->players[2].elementCount, 0);
    EXPECT_TRUE(context->players[2].elements.empty());
    EXPECT_EQ(context->players[3].compartmentShortName, "");
    const Player& twin = context->totalPlayers[0];
    EXPECT_EQ(twin.kind, PLAYER_NONE);
    EXPECT_EQ(twin.initialAmountValid, 2);
    EXPECT_EQ(context->equations[1].player, &context->players[1]);
    EXPECT_EQ(context->totalEquations[1].player, &context->totalPlayers[1]);
    // Lookup by specieID keeps the first player and reports missing ones.
    EXPECT_EQ(findPlayerIndex(*context, 1), 0);
    EXPECT_EQ(findPlayerIndex(*context, 42), -1);
    EXPECT_EQ(findPlayer(*context, 42), nullptr);
}

// C1 holds C0, C2 holds C1, and so on up to C<levels>.
void chain(TestModel& t, int levels) {
    t.species("C0", CLASS_PROTEIN);
    for (int level = 1; level <= levels; ++level) {
        t.complex("C" + std::to_string(level), {{"C" + std::to_string(level - 1), 1}});
    }
}

struct ElementCase {
    const char* name;
    void (*build)(TestModel&);
    const char* log;  // empty when the check passes
};

// Element lists that name no species are refused by the conversion (see the driver's tests).
TEST(ComplexElements, NestingIsFollowedUpToTheLimitAndNeverInACircle) {
    const ElementCase cases[] = {
        {"nested complexes",
         [](TestModel& t) {
             t.all(CLASS_PROTEIN, {"A", "B"});
             t.complex("AB", {{"A", 1}, {"B", 1}});
             t.complex("AB:AB", {{"AB", 2}});
             t.complex("AB:A", {{"AB", 1}, {"A", 1}});
         },
         ""},
        {"a complex that contains itself",
         [](TestModel& t) {
             t.species("A", CLASS_PROTEIN);
             t.complex("X", {{"A", 1}});
             t.complex("Y", {{"X", 1}});
             t.get("X").listOfElements[0].ref.push_back(t.refs({{"Y", 1}}).ref[0]);
         },
         "checkComplexElements: complex 'X.cyt(specieID=2)' contains itself through its "
         "elements.\n"},
        {"nesting up to the limit", [](TestModel& t) { chain(t, kMaxComplexNesting); }, ""},
        {"nesting beyond the limit", [](TestModel& t) { chain(t, kMaxComplexNesting + 1); },
         "checkComplexElements: complex 'C257.cyt(specieID=258)' is nested deeper than 256 "
         "levels.\n"},
    };
    for (const ElementCase& c : cases) {
        SCOPED_TRACE(c.name);
        TestModel t = cytosol();
        c.build(t);
        auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
        LogCapture log;
        EXPECT_EQ(checkComplexElements(*context), *c.log == '\0' ? 0 : -1);
        EXPECT_EQ(log.take(), c.log);
    }
}

}  // namespace
}  // namespace zymorax::testkit
