// Players, total twins and equations as a conversion starts, and the checks of complexes'
// element lists.
#include "context_builder.h"

#include <gtest/gtest.h>

#include "methods.h"
#include "test_model_builder.h"
#include "test_support.h"

namespace zymorax::testkit {
namespace {

TEST(ConversionContext, PlayersCopyTheSpeciesAndTwinsStartWithoutKindOrValue) {
    TestModel t;
    t.compartment(1, "cytosol").compartment(2, "er");
    Specie& a = t.species("A", CLASS_PROTEIN, 1.5, 2);
    a.massBalance = SWITCH_ON;
    a.totalAmount = 1;
    a.decomposition = SWITCH_ON;
    t.complex("AB", {{"A", 2}});
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_GMA);
    ASSERT_EQ(context->playerCount, 2);
    const Player& player = context->players[0];
    EXPECT_EQ(player.kind, PLAYER_UNCLASSIFIED);
    EXPECT_EQ(player.name, "A");
    EXPECT_EQ(player.compartmentShortName, "er");
    EXPECT_EQ(player.massBalance, SWITCH_ON);
    EXPECT_EQ(player.totalAmount, 1);
    EXPECT_EQ(player.decomposition, SWITCH_ON);
    EXPECT_EQ(player.initialAmountValid, 1);
    EXPECT_EQ(player.initialAmount, 1.5);
    EXPECT_EQ(player.elementCount, 0);
    EXPECT_EQ(context->players[1].elementCount, 1);
    EXPECT_EQ(context->players[1].elements[0].stoichiometry, 2.0);
    const Player& twin = context->totalPlayers[0];
    EXPECT_EQ(twin.kind, PLAYER_NONE);
    EXPECT_EQ(twin.initialAmountValid, 2);
    EXPECT_EQ(twin.name, "A");
    EXPECT_EQ(context->equations[1].player, &context->players[1]);
    EXPECT_EQ(context->totalEquations[1].player, &context->totalPlayers[1]);
    EXPECT_EQ(context->geneProteinMethod, METHOD_CMA);
    EXPECT_EQ(context->metabolicMethod, METHOD_GMA);
}

TEST(ConversionContext, ShortNameComesFromTheLastCompartmentWithTheIDAndIsEmptyWithoutOne) {
    TestModel t;
    t.compartment(1, "cytosol").compartment(1, "nucleus");
    t.species("A", CLASS_PROTEIN, 0, 1);
    t.species("B", CLASS_PROTEIN, 0, 9);
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(context->players[0].compartmentShortName, "nuc");
    EXPECT_EQ(context->players[1].compartmentShortName, "");
}

TEST(ConversionContext, OnlyASpeciesWithExactlyOneElementListIsAComplex) {
    TestModel t;
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN);
    Specie& twoLists = t.complex("AA", {{"A", 1}});
    twoLists.listOfElements.push_back(twoLists.listOfElements.front());
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(context->players[1].elementCount, 0);
    EXPECT_TRUE(context->players[1].elements.empty());
}

TEST(ConversionContext, LookupBySpecieIDKeepsTheFirstPlayerAndReportsMissingOnes) {
    TestModel t;
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN);
    t.species("A again", CLASS_PROTEIN).specieID = 1;
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(findPlayerIndex(*context, 1), 0);
    EXPECT_EQ(findPlayerIndex(*context, 42), -1);
    EXPECT_EQ(findPlayer(*context, 42), nullptr);
}

TEST(ConversionContext, AnEmptyModelHasNoPlayers) {
    Model model;
    auto context = createConversionContext(model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(context->playerCount, 0);
    EXPECT_EQ(checkComplexElements(*context), 0);
}

TEST(ComplexElements, NestedComplexesPass) {
    TestModel t;
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN);
    t.species("B", CLASS_PROTEIN);
    t.complex("AB", {{"A", 1}, {"B", 1}});
    t.complex("AB:AB", {{"AB", 2}});
    t.complex("AB:A", {{"AB", 1}, {"A", 1}});
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(checkComplexElements(*context), 0);
}

TEST(ComplexElements, AnElementThatNamesNoSpeciesIsReported) {
    TestModel t;
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN);
    t.complex("AX", {{"A", 1}}).listOfElements[0].ref[0].specieID = 77;
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    LogCapture log;
    EXPECT_EQ(checkComplexElements(*context), -1);
    EXPECT_EQ(log.take(),
              "checkComplexElements: element (specieID=77) of complex 'AX.cyt(specieID=2)' "
              "matches no species.\n");
}

TEST(ComplexElements, AComplexThatContainsItselfIsReported) {
    TestModel t;
    t.compartment(1, "cytosol");
    t.species("A", CLASS_PROTEIN);
    t.complex("X", {{"A", 1}});
    t.complex("Y", {{"X", 1}});
    t.get("X").listOfElements[0].ref.push_back(t.refs({{"Y", 1}}).ref[0]);
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    LogCapture log;
    EXPECT_EQ(checkComplexElements(*context), -1);
    EXPECT_EQ(log.take(),
              "checkComplexElements: complex 'X.cyt(specieID=2)' contains itself through its "
              "elements.\n");
}

TEST(ComplexElements, NestingDeeperThanTheLimitIsReported) {
    TestModel t;
    t.compartment(1, "cytosol");
    t.species("C0", CLASS_PROTEIN);
    for (int level = 1; level <= kMaxComplexNesting + 1; ++level) {
        t.complex("C" + std::to_string(level), {{"C" + std::to_string(level - 1), 1}});
    }
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    LogCapture log;
    EXPECT_EQ(checkComplexElements(*context), -1);
    EXPECT_EQ(log.take(),
              "checkComplexElements: complex 'C257.cyt(specieID=258)' is nested "
              "deeper than 256 levels.\n");
}

TEST(ComplexElements, NestingUpToTheLimitPasses) {
    TestModel t;
    t.compartment(1, "cytosol");
    t.species("C0", CLASS_PROTEIN);
    for (int level = 1; level <= kMaxComplexNesting; ++level) {
        t.complex("C" + std::to_string(level), {{"C" + std::to_string(level - 1), 1}});
    }
    auto context = createConversionContext(t.model, METHOD_CMA, METHOD_NONE);
    EXPECT_EQ(checkComplexElements(*context), 0);
}

}  // namespace
}  // namespace zymorax::testkit
