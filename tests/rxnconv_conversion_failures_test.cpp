// Conversion failures as a modeller meets them: one small model per fault under
// tests/models/failures/, converted by the built rxnconv. The log reads from the innermost
// failure outwards, the run ends with 255, and the output files stay as initialize created
// them: empty, because the writer never ran.
#include <gtest/gtest.h>

#include <string>

#include "workspace.h"

using namespace zymorax::testkit;

namespace {

const std::string kDriverFailed = "MakeOutputInfo failed.\nparseNCE failed.\n";
const std::string kCmaFailed = "readReactions_CMA failed.\n" + kDriverFailed;
const std::string kGmaFailed =
    "checkReactions_GMA: failed.\nReadReactions_GMA failed.\n" + kDriverFailed;
const std::string kTotalEnzymeFailed =
    "createTotalEnzymeEq: failed.\nReadReactions_GMA failed.\n" + kDriverFailed;

// The dispatcher's line and the note that names the reaction's SBML id.
std::string cmaReaction(int reactionID, const std::string& type, const std::string& id) {
    std::string number = std::to_string(reactionID);
    return "reacReactions_CMA: reaction conversion failed.(reactionID=" + number + ",reactionType=" +
           type + ")\n  reactionID=" + number + ": SBML reaction '" + id + "'\n" + kCmaFailed;
}

// The note after a line that names one species (reader test models name species by their ids).
std::string speciesNote(int specieID, const std::string& id) {
    return "  specieID=" + std::to_string(specieID) + ": SBML species '" + id + "' named '" + id + "'\n";
}

std::string reactionNote(int reactionID, const std::string& id) {
    return "  reactionID=" + std::to_string(reactionID) + ": SBML reaction '" + id + "'\n";
}

struct Failure {
    const char* model;   // below the source tree
    const char* method;  // the method switch
    std::string log;
};

class ConversionFailureTest : public ::testing::TestWithParam<Failure> {};

// The model's file name and the method, e.g. cma_no_products_gCMA.
std::string caseName(const ::testing::TestParamInfo<Failure>& info) {
    std::string model = info.param.model;
    std::string file = model.substr(model.rfind('/') + 1);
    std::string method = info.param.method;
    return file.substr(0, file.rfind('.')) + "_" + method.substr(1);
}

TEST_P(ConversionFailureTest, LogsEachStepAndWritesNothing) {
    const Failure& f = GetParam();
    Workspace ws;
    ProgramRun run = ws.rxnconv({"-N" + source_path(f.model), "-Uu.txt", "-Dd.dae", f.method});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, f.log);
    EXPECT_EQ(run.out + run.err, "");
    for (const char* output : {"d.dae", "u.txt"}) {
        EXPECT_TRUE(ws.has(output)) << output;
        EXPECT_EQ(ws.read(output), "") << output;
    }
}

const Failure kCmaFailures[] = {
    {"tests/models/failures/cma_invalid_type_with_modifier.xml", "-gCMA",
     "classifyReaction_CMA: invalid reactionType for reaction with modifier.\n" +
         cmaReaction(1, "binding", "binding")},
    {"tests/models/failures/cma_no_products.xml", "-gCMA",
     "no products exists.\n" + cmaReaction(1, "reversible_conversion", "to_nothing")},
    {"tests/models/failures/cma_no_modifier_complex.xml", "-gCMA",
     "no modifierComplex exists.\n" +
         cmaReaction(1, "irreversible_conversion", "activated_conversion")},
    {"tests/models/failures/cma_modifier_complex_without_modifiers.xml", "-gCMA",
     "modifierComplex exists.\n" + cmaReaction(1, "irreversible_conversion", "conversion")},
    {"tests/models/failures/cma_decaying_constant.xml", "-gCMA",
     "convertPlayer_CMA: constant variable 'S.cyt(specieID=1)' is must be decomposition:off.\n" +
         speciesNote(1, "S") + cmaReaction(1, "irreversible_conversion", "conversion")},
    {"tests/models/failures/binding_two_products.xml", "-gCMA",
     "checkStoichiometricDiscordance: No products and modifierComplex: rightpart of binding "
     "reaction must include modifierComplex or one product.\n"
     "checkStoichiometricDescordance failed.\n" +
         cmaReaction(1, "binding", "binding")},
    {"tests/models/failures/binding_element_count.xml", "-gCMA",
     "checkStoichiometricDiscordance2: rightpart has 3 elements of complex, but leftpart has 2 "
     "monomerized players.)\n"
     "checkStoichiometricDescordance2 failed.\n" +
         cmaReaction(1, "binding", "binding")},
    {"tests/models/failures/binding_unmatched_element.xml", "-gCMA",
     "checkStoichiometricDiscordance2: 'D.cyt(specieID=4)', element of rightpart complex matches "
     "for no leftpart monomerized players.\n" +
         speciesNote(4, "D") + "checkStoichiometricDescordance2 failed.\n" +
         cmaReaction(1, "binding", "binding")},
    {"tests/models/failures/decomposition_untouched_element.xml", "-gCMA",
     "Decomposition: The element of complex 'X.cyt(specieID=3)' must be a variable of "
     "'CMA/TPP'.\n" +
         speciesNote(3, "X") +
         "Decomposition: 'C.cyt(specieID=2)' has a element which is not a variable of 'CMA/TPP'.\n" +
         speciesNote(2, "C") + "execDecomposition(CMA) failed.\n" +
         kDriverFailed},
    {"tests/models/failures/complex_nested_too_deep.xml", "-gCMA",
     "checkComplexElements: complex 'c257.cyt(specieID=258)' is nested deeper than 256 levels.\n" +
         speciesNote(258, "c257") + "checkComplexElements failed.\n" +
         kDriverFailed},
};

INSTANTIATE_TEST_SUITE_P(Cma, ConversionFailureTest, ::testing::ValuesIn(kCmaFailures), caseName);

const Failure kGmaFailures[] = {
    {"tests/models/failures/gma_invalid_type.xml", "-mGMA",
     "checkReaction_GMA: invalid reactionType for GMA/MM "
     "conversion.(reactionID=1,reactionType=binding)\n" +
         reactionNote(1, "binding") + kGmaFailed},
    {"tests/models/failures/gma_decaying_constant_reactant.xml", "-mGMA",
     "checkPlayer_GMA: constant variable 'S.cyt(specieID=1)' is must be decomposition:off.\n" +
         speciesNote(1, "S") +
         "checkReaction_GMA: The error detected with checking reactant.(reactionID=1)\n" +
         reactionNote(1, "conversion") + kGmaFailed},
    {"tests/models/failures/gma_decaying_constant_product.xml", "-mMM",
     "checkPlayer_GMA: constant variable 'P.cyt(specieID=2)' is must be decomposition:off.\n" +
         speciesNote(2, "P") +
         "checkReaction_GMA: The error detected with checking product.(reactionID=1)\n" +
         reactionNote(1, "conversion") + kGmaFailed},
    {"tests/models/failures/gma_decaying_constant_modifier.xml", "-mGMA",
     "checkPlayer_GMA: constant variable 'E.cyt(specieID=3)' is must be decomposition:off.\n" +
         speciesNote(3, "E") +
         "checkReaction_GMA: The error detected with checking modifier.(reactionID=1)\n" +
         reactionNote(1, "conversion") + kGmaFailed},
    {"tests/models/failures/gma_mass_balanced_reactant.xml", "-mGMA",
     "createTotalEnzymeEq: 'S.cyt(specieID=1)' must not be a reactant or product of 'GMA/MM', "
     "because its massBalance is 'ON'.\n" +
         speciesNote(1, "S") + kTotalEnzymeFailed},
    {"tests/models/failures/gma_protein_reactant.xml", "-mMM",
     "createTotalEnzymeEq: 'S.cyt(specieID=1)' must not be a reactant or product of 'GMA/MM', "
     "because its specieClass is protein.\n" +
         speciesNote(1, "S") + kTotalEnzymeFailed},
};

INSTANTIATE_TEST_SUITE_P(Gma, ConversionFailureTest, ::testing::ValuesIn(kGmaFailures), caseName);

// What the examples meet under the combinations their golden files leave out: a model feature
// (glycolysis: a reversible reaction with an enzyme has no mass-action form).
const std::string kReversibleHint =
    "classifyReaction_CMA: mass action converts a reaction with modifiers in one direction: declare "
    "it irreversible (reversible=\"false\" in SBML, or zx:reaction type=\"irreversible_conversion\") "
    "and write its reverse direction as a reaction of its own.\n";
const Failure kRefusedExampleCombinations[] = {
    {"examples/glycolysis_gma.xml", "-mCMA",
     "classifyReaction_CMA: invalid reactionType for reaction with modifier.\n" + kReversibleHint +
         cmaReaction(2, "reversible_conversion", "isomerase")},
};

INSTANTIATE_TEST_SUITE_P(Examples, ConversionFailureTest,
                         ::testing::ValuesIn(kRefusedExampleCombinations), caseName);

}  // namespace

// Names are data wherever they are written: printf conversions in them reach the DAE file, the
// listing and the failure messages as they stand.
TEST(NamesWithPercentSigns, AreWrittenAsTheyStand) {
    Workspace ws;
    std::string model = read_source("examples/glycolysis_gma.xml");
    for (const auto& [from, to] :
         {std::pair<std::string, std::string>{"name=\"G6P\"", "name=\"G6P%s%n\""},
          {"name=\"HK\"", "name=\"HK%d%n\""}}) {
        model.replace(model.find(from), from.size(), to);
    }
    ws.put("percent.xml", model);
    ProgramRun run = ws.rxnconv({"-Npercent.xml", "-Uu.txt", "-Dd.dae", "-mGMA"});
    EXPECT_EQ(run.status, 0) << run.log;
    const std::string dae = ws.read("d.dae");
    for (const char* line :
         {"\nconstantPlayer[4] = 0.01; HK%d%n.cyt\n", "\ny[G6P%s%n.cyt] = 0.1;\n",
          "\nflux_PGI.cyt_G6P%s%n.cyt_to_F6P.cyt = kxg[2]*constantPlayer[5]^f[4]*"
          "y[G6P%s%n.cyt]^f[5];\n"}) {
        EXPECT_NE(dae.find(line), std::string::npos) << line << "\n" << dae;
    }

    run = ws.rxnconv({"-Cpercent.xml", "-Plist.xml"});
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_NE(ws.read("list.xml").find("Glc + ATP -&gt; G6P%s%n + ADP [HK%d%n]\n"),
              std::string::npos);

    model = read_source("tests/models/failures/gma_decaying_constant_reactant.xml");
    model.replace(model.find("name=\"S\""), 8, "name=\"S%n%s\"");
    ws.put("decaying.xml", model);
    run = ws.rxnconv({"-Ndecaying.xml", "-Uu.txt", "-Dd.dae", "-mGMA"});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log,
              "checkPlayer_GMA: constant variable 'S%n%s.cyt(specieID=1)' is must be "
              "decomposition:off.\n"
              "  specieID=1: SBML species 'S' named 'S%n%s'\n"
              "checkReaction_GMA: The error detected with checking reactant.(reactionID=1)\n" +
                  reactionNote(1, "conversion") + kGmaFailed);
}
