// Monomer contents: values and messages of the kept contents against the plain element-by-element
// recursion, for single pairs and for the evaluation of every pair.
#include "tpp_monomer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "log.h"
#include "test_model_builder.h"

namespace zymorax::testkit {
namespace {

// The content as the plain recursion computes it, with the same messages.
double recursiveContent(const ConversionContext& context, int monomer, int complex) {
    const Player& player = context.players[complex];
    if (player.elements.empty()) {
        log_sys("## This is not a complex.\n");
        log_sys("## Error!! in haveThisMonomer.\n");
        return -1.0;
    }
    double content = 0.0;
    for (const SpecieRef& element : player.elements) {
        int child = findPlayerIndex(context, element.specieID);
        if (child < 0) {
            log_sys(
                "#  Element (specieID=%d) of complex '%s.%s(specieID=%d)' matches no species.\n",
                element.specieID, player.name.c_str(), player.compartmentShortName.c_str(),
                player.specieID);
            log_sys("## Error!! in haveThisMonomer.\n");
            return -1.0;
        }
        if (element.specieID == context.players[monomer].specieID) content += element.stoichiometry;
        if (context.players[child].elements.empty()) continue;
        double nested = recursiveContent(context, monomer, child);
        if (nested < 0.0) {
            log_sys("## Error!! in haveThisMonomer.\n");
            return -1.0;
        }
        content += nested * element.stoichiometry;
    }
    return content;
}

bool sameValue(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) || a == b;
}

std::vector<int> ofKind(const ConversionContext& context, int kind) {
    std::vector<int> indices;
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind == kind) indices.push_back(i);
    }
    return indices;
}

// Every pair in monomer then complex order, as the steps meet them, stopping at the first failure.
int evaluateRecursively(const ConversionContext& context, const char* step,
                        std::vector<std::vector<MonomerContents::Share>>& shares) {
    shares.assign(context.playerCount, {});
    for (int monomer : ofKind(context, PLAYER_ALGEBRAIC_TOTAL)) {
        for (int complex : ofKind(context, PLAYER_ALGEBRAIC_ZERO)) {
            double content = recursiveContent(context, monomer, complex);
            if (content < 0.0) {
                log_sys("## Error!! in %s.\n", step);
                return -1;
            }
            if (content > 0.0) shares[monomer].push_back({complex, content});
        }
    }
    return 0;
}

// Species 1..n; some are complexes of earlier species, some complexes have no elements, some
// elements name no species; stoichiometries include 0, negative and non-finite values.
Model randomNetwork(std::mt19937& random, int speciesCount) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double stoichiometries[] = {1, 1, 1, 1, 2, 2, 0.5, 3, 0.1, -1, 0, inf, nan};
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    Model model;
    model.listOfCompartments.compartment.push_back(Compartment{1, "cytosol", "cyt", 1.0});
    for (int id = 1; id <= speciesCount; ++id) {
        Specie species;
        species.specieID = id;
        species.name = "S" + std::to_string(id);
        species.compartment = 1;
        int shape = pick(10);
        species.specieClass = shape < 4 ? CLASS_PROTEIN : CLASS_COMPLEX;
        if (shape >= 5 && id > 1) {  // shape 4: a complex without elements
            SpecieRefList elements;
            for (int n = 1 + pick(4); n > 0; --n) {
                SpecieRef ref;
                ref.specieID = pick(40) == 0 ? 999999 : 1 + pick(id - 1);
                ref.stoichiometry = stoichiometries[pick(std::size(stoichiometries))];
                elements.ref.push_back(ref);
            }
            species.listOfElements.push_back(elements);
        }
        model.listOfSpecies.specie.push_back(species);
    }
    return model;
}

void assignRandomKinds(std::mt19937& random, ConversionContext& context) {
    for (Player& player : context.players) {
        int roll = std::uniform_int_distribution<int>(0, 2)(random);
        if (player.specieClass == CLASS_COMPLEX) {
            player.kind = roll == 0 ? PLAYER_ALGEBRAIC_TOTAL : PLAYER_ALGEBRAIC_ZERO;
        } else {
            player.kind = roll == 0 ? PLAYER_DIFFERENTIAL : PLAYER_ALGEBRAIC_TOTAL;
        }
    }
}

TEST(MonomerContents, CountsUnitsThroughNestedComplexes) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.complex("A:B", {{"A", 1}, {"B", 1}});
    t.complex("Z", {{"A:B", 2}, {"A", 1}, {"B", 0.5}});
    t.complex("A2", {{"A", 2}});
    auto context = createConversionContext(t.model, METHOD_TPP_RAPID, METHOD_NONE);
    MonomerContents contents(*context);
    LogCapture log;
    EXPECT_EQ(haveThisMonomer(contents, 0, 3), 3.0);  // 2 * 1 + 1
    EXPECT_EQ(haveThisMonomer(contents, 1, 3), 2.5);  // 2 * 1 + 0.5
    EXPECT_EQ(haveThisMonomer(contents, 2, 3), 2.0);  // the nested complex itself
    EXPECT_EQ(haveThisMonomer(contents, 0, 4), 2.0);
    EXPECT_EQ(haveThisMonomer(contents, 1, 4), 0.0);
    EXPECT_EQ(log.take(), "");
}

TEST(MonomerContents, FailuresAreLoggedAgainAtEveryLookup) {
    TestModel t = cytosol();
    t.all(CLASS_PROTEIN, {"A", "B"});
    t.species("Empty", CLASS_COMPLEX);
    t.complex("Minus", {{"A", -1}});
    t.complex("Outer", {{"Minus", -1}, {"B", 1}});
    t.complex("Broken", {{"A", 1}, {"B", 1}}).listOfElements[0].ref[1].specieID = 77;
    t.complex("Holder", {{"Broken", 1}});
    auto context = createConversionContext(t.model, METHOD_TPP_RAPID, METHOD_NONE);
    MonomerContents contents(*context);
    LogCapture log;
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(haveThisMonomer(contents, 0, 2), -1.0);
        EXPECT_EQ(log.take(), "## This is not a complex.\n## Error!! in haveThisMonomer.\n");
        // A negative content is a value at its own level and an error one level up, for the
        // species it concerns only.
        EXPECT_EQ(haveThisMonomer(contents, 0, 3), -1.0);
        EXPECT_EQ(log.take(), "");
        EXPECT_EQ(haveThisMonomer(contents, 0, 4), -1.0);
        EXPECT_EQ(log.take(), "## Error!! in haveThisMonomer.\n");
        EXPECT_EQ(haveThisMonomer(contents, 1, 4), 1.0);
        EXPECT_EQ(log.take(), "");
        EXPECT_EQ(haveThisMonomer(contents, 1, 6), -1.0);
        EXPECT_EQ(log.take(),
                  "#  Element (specieID=77) of complex 'Broken.cyt(specieID=6)' matches no "
                  "species.\n## Error!! in haveThisMonomer.\n## Error!! in haveThisMonomer.\n");
    }
}

TEST(MonomerContents, KeptContentsGiveTheRecursionsValuesAndMessages) {
    std::mt19937 random(20240611);
    LogCapture log;
    for (int network = 0; network < 300; ++network) {
        Model model = randomNetwork(random, 6 + network % 20);
        auto context = createConversionContext(model, METHOD_TPP_RAPID, METHOD_NONE);
        const int count = context->playerCount;
        MonomerContents contents(*context);
        std::vector<double> kept;
        for (int complex = 0; complex < count; ++complex) {
            for (int monomer = 0; monomer < count; ++monomer) {
                kept.push_back(haveThisMonomer(contents, monomer, complex));
            }
        }
        const std::string keptLog = log.take();
        for (int complex = 0; complex < count; ++complex) {
            for (int monomer = 0; monomer < count; ++monomer) {
                double recursive = recursiveContent(*context, monomer, complex);
                ASSERT_TRUE(sameValue(kept[complex * count + monomer], recursive))
                    << "network " << network << " m(" << monomer << ", " << complex
                    << "): " << kept[complex * count + monomer] << " != " << recursive;
            }
        }
        ASSERT_EQ(keptLog, log.take()) << "network " << network;
    }
}

TEST(MonomerContents, EvaluatingEveryPairStopsWhereThePairByPairLoopStops) {
    std::mt19937 random(7);
    LogCapture log;
    int failures = 0;
    for (int network = 0; network < 400; ++network) {
        Model model = randomNetwork(random, 6 + network % 30);
        auto context = createConversionContext(model, METHOD_TPP_RAPID, METHOD_NONE);
        assignRandomKinds(random, *context);
        MonomerContents contents(*context);
        int kept = contents.evaluateAll("makeTotalDiffEqs");
        std::string keptLog = log.take();
        std::vector<std::vector<MonomerContents::Share>> shares;
        int recursive = evaluateRecursively(*context, "makeTotalDiffEqs", shares);
        ASSERT_EQ(kept, recursive) << "network " << network;
        ASSERT_EQ(keptLog, log.take()) << "network " << network;
        if (kept != 0) {
            ++failures;
            continue;
        }
        for (int monomer = 0; monomer < context->playerCount; ++monomer) {
            const auto& got = contents.sharesOf(monomer);
            ASSERT_EQ(got.size(), shares[monomer].size()) << "network " << network;
            for (size_t k = 0; k < got.size(); ++k) {
                EXPECT_EQ(got[k].complex, shares[monomer][k].complex);
                EXPECT_EQ(got[k].content, shares[monomer][k].content);
            }
        }
        EXPECT_EQ(contents.evaluateAll("makeTotalAlgebraicEqs"), 0);
        EXPECT_EQ(log.take(), "");
    }
    // Both outcomes must have been exercised for the comparison to mean anything.
    EXPECT_GT(failures, 20);
    EXPECT_LT(failures, 380);
}

}  // namespace
}  // namespace zymorax::testkit
