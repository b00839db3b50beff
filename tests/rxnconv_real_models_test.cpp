// Published models (tests/models/real/, copied unchanged from BioModels) converted by the built
// rxnconv under every accepted method combination. Each either converts into a DAE file whose
// names all resolve, or fails with the message of the model feature that no method here can
// convert.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "workspace.h"

using namespace zymorax::testkit;

namespace {

struct Outcome {
    const char* model;  // file name below tests/models/real/
    const char* geneProtein;
    const char* metabolic;
    // On success: how many constants, y variables (= differential equations) and fluxes.
    int constants, variables, fluxes;
    const char* log;  // on failure: the system log; null on success
};

std::vector<std::string> allMatches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        found.push_back((*it)[1]);
    }
    return found;
}

std::set<std::string> asSet(const std::vector<std::string>& items) {
    return {items.begin(), items.end()};
}

// Every name the temporary expressions and the equations use is declared in the file: variables
// and constants above, parameters in their blocks; each variable has its equation, in order.
void expectNamesResolve(const std::string& dae) {
    const std::string declarations = dae.substr(0, dae.find("== Temporary Expressions ==\n"));
    const std::string uses = dae.substr(declarations.size());
    const std::vector<std::string> variables = allMatches(declarations, R"(\ny\[([^\]]+)\] = )");
    EXPECT_EQ(allMatches(uses, R"(\ndeq_\d+: dydt\[([^\]]+)\] =)"), variables);
    const std::set<std::string> declared = asSet(
        allMatches(declarations,
                   R"(\n((?:constantPlayer|ka|kd|kx|kpd|kmd|kp|km|ktr|kxg|f|Q|Kmich)\[\d+\]) = )"));
    for (const std::string& used : allMatches(
             uses,
             R"([^A-Za-z]((?:constantPlayer|ka|kd|kx|kpd|kmd|kp|km|ktr|kxg|f|Q|Kmich)\[\d+\]))")) {
        EXPECT_EQ(declared.count(used), 1u) << used;
    }
    const std::set<std::string> declaredVariables = asSet(variables);
    for (const std::string& used : allMatches(uses, R"([^d]y\[([^\]]+)\])")) {
        EXPECT_EQ(declaredVariables.count(used), 1u) << used;
    }
}

class RealModelTest : public ::testing::TestWithParam<Outcome> {};

TEST_P(RealModelTest, ConvertsOrNamesTheFeatureItCannotConvert) {
    const Outcome& o = GetParam();
    Workspace ws;
    ProgramRun run =
        ws.rxnconv({"-N" + source_path(std::string("tests/models/real/") + o.model), "-Uu.txt",
                    "-Dd.dae", std::string("-g") + o.geneProtein, std::string("-m") + o.metabolic});
    EXPECT_EQ(run.out + run.err, "");
    const std::string dae = ws.read("d.dae");
    if (o.log != nullptr) {
        EXPECT_EQ(run.status, 255);
        EXPECT_EQ(run.log, o.log);
        EXPECT_EQ(dae, "");
        return;
    }
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.log, "");
    EXPECT_EQ(ws.read("u.txt"), dae.substr(0, dae.find("== Temporary Expressions ==\n")));
    EXPECT_EQ(allMatches(dae, R"(\n(constantPlayer)\[)").size(), static_cast<size_t>(o.constants));
    EXPECT_EQ(allMatches(dae, R"(\n(y)\[)").size(), static_cast<size_t>(o.variables));
    EXPECT_EQ(allMatches(dae, R"(\n(flux)_)").size(), static_cast<size_t>(o.fluxes));
    EXPECT_EQ(dae.find("\nx["), std::string::npos);  // no algebraic variables without TPP
    expectNamesResolve(dae);
}

// Edelstein1996: every species is a protein complex, so every reaction lies in the
// Gene-Protein layer and the Metabolic methods alone find nothing to convert.
const char* const kRepressorWithoutPromoter =
    "convertReaction_CMA_gene1: modifier 'PZ.cel(specieID=3)' includes no transcriptional "
    "regulator.\n"
    "  specieID=3: SBML species 'PZ' named 'cI protein'\n"
    "reacReactions_CMA: reaction conversion failed.(reactionID=10,reactionType=transcription)\n"
    "  reactionID=10: SBML reaction 'Reaction10' named 'transcription of LacI'\n"
    "readReactions_CMA failed.\nMakeOutputInfo failed.\nparseNCE failed.\n";
const char* const kReversibleWithModifier =
    "classifyReaction_CMA: invalid reactionType for reaction with modifier.\n"
    "classifyReaction_CMA: mass action converts a reaction with modifiers in one direction: declare "
    "it irreversible (reversible=\"false\" in SBML, or zx:reaction type=\"irreversible_conversion\") "
    "and write its reverse direction as a reaction of its own.\n"
    "reacReactions_CMA: reaction conversion "
    "failed.(reactionID=3,reactionType=reversible_conversion)\n"
    "  reactionID=3: SBML reaction 'v3'\n"
    "readReactions_CMA failed.\nMakeOutputInfo failed.\nparseNCE failed.\n";

const Outcome kOutcomes[] = {
    {"BIOMD0000000001.xml", "NONE", "CMA", 0, 0, 0, nullptr},
    {"BIOMD0000000001.xml", "NONE", "GMA", 0, 0, 0, nullptr},
    {"BIOMD0000000001.xml", "NONE", "MM", 0, 0, 0, nullptr},
    {"BIOMD0000000001.xml", "CMA", "NONE", 0, 12, 0, nullptr},
    {"BIOMD0000000001.xml", "CMA", "CMA", 0, 12, 0, nullptr},
    {"BIOMD0000000001.xml", "CMA", "GMA", 0, 12, 0, nullptr},
    {"BIOMD0000000001.xml", "CMA", "MM", 0, 12, 0, nullptr},
    // Tyson1991: the Metabolic layer; under CMA the reader's enzyme-substrate complex of the
    // catalysed reaction is a seventh variable.
    {"BIOMD0000000005.xml", "NONE", "CMA", 2, 7, 0, nullptr},
    {"BIOMD0000000005.xml", "NONE", "GMA", 2, 6, 9, nullptr},
    {"BIOMD0000000005.xml", "NONE", "MM", 2, 6, 9, nullptr},
    {"BIOMD0000000005.xml", "CMA", "NONE", 0, 0, 0, nullptr},
    {"BIOMD0000000005.xml", "CMA", "CMA", 2, 7, 0, nullptr},
    {"BIOMD0000000005.xml", "CMA", "GMA", 2, 6, 9, nullptr},
    {"BIOMD0000000005.xml", "CMA", "MM", 2, 6, 9, nullptr},
    // Kholodenko2000: five catalysed reactions, five enzyme-substrate complexes under CMA.
    {"BIOMD0000000010.xml", "NONE", "CMA", 0, 13, 0, nullptr},
    {"BIOMD0000000010.xml", "NONE", "GMA", 0, 8, 10, nullptr},
    {"BIOMD0000000010.xml", "NONE", "MM", 0, 8, 10, nullptr},
    {"BIOMD0000000010.xml", "CMA", "NONE", 0, 0, 0, nullptr},
    {"BIOMD0000000010.xml", "CMA", "CMA", 0, 13, 0, nullptr},
    {"BIOMD0000000010.xml", "CMA", "GMA", 0, 8, 10, nullptr},
    {"BIOMD0000000010.xml", "CMA", "MM", 0, 8, 10, nullptr},
    // Elowitz2000: all Gene-Protein. The reader takes each translation's mRNA modifier as its
    // template; the transcriptions name no gene (the reader's source stands in for it), and
    // their repressor, a protein, binds no promoter that a regulated transcription could count.
    {"BIOMD0000000012.xml", "NONE", "CMA", 0, 0, 0, nullptr},
    {"BIOMD0000000012.xml", "NONE", "GMA", 0, 0, 0, nullptr},
    {"BIOMD0000000012.xml", "NONE", "MM", 0, 0, 0, nullptr},
    {"BIOMD0000000012.xml", "CMA", "NONE", 0, 0, 0, kRepressorWithoutPromoter},
    {"BIOMD0000000012.xml", "CMA", "CMA", 0, 0, 0, kRepressorWithoutPromoter},
    {"BIOMD0000000012.xml", "CMA", "GMA", 0, 0, 0, kRepressorWithoutPromoter},
    {"BIOMD0000000012.xml", "CMA", "MM", 0, 0, 0, kRepressorWithoutPromoter},
    // Rohwer2001: no reaction states whether it is reversible, so SBML's default makes them
    // all reversible conversions; the third has a modifier, which mass action cannot convert.
    {"BIOMD0000000023.xml", "NONE", "CMA", 0, 0, 0, kReversibleWithModifier},
    {"BIOMD0000000023.xml", "NONE", "GMA", 8, 5, 11, nullptr},
    {"BIOMD0000000023.xml", "NONE", "MM", 8, 5, 11, nullptr},
    {"BIOMD0000000023.xml", "CMA", "NONE", 0, 0, 0, nullptr},
    {"BIOMD0000000023.xml", "CMA", "CMA", 0, 0, 0, kReversibleWithModifier},
    {"BIOMD0000000023.xml", "CMA", "GMA", 8, 5, 11, nullptr},
    {"BIOMD0000000023.xml", "CMA", "MM", 8, 5, 11, nullptr},
};

INSTANTIATE_TEST_SUITE_P(BioModels, RealModelTest, ::testing::ValuesIn(kOutcomes),
                         [](const auto& info) {
                             std::string model = info.param.model;
                             return model.substr(0, model.find('.')) + "_" +
                                    info.param.geneProtein + "_" + info.param.metabolic;
                         });

}  // namespace
