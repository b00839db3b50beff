// Example models converted and listed by the built rxnconv, compared byte for byte with the
// expected files under tests/golden/; listings must be well-formed XML. Every expected DAE file
// was read line by line against the file templates when it was added; a changed byte here is a
// changed output for modellers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "workspace.h"

using namespace zymorax::testkit;

namespace {

struct Conversion {
    const char* model;        // below the source tree
    const char* geneProtein;  // method names; "NONE" is also what no switch means
    const char* metabolic;
};

std::string stem(const std::string& path) {
    std::string file = path.substr(path.rfind('/') + 1);
    return file.substr(0, file.rfind('.'));
}

std::string goldenName(const Conversion& c) {
    return stem(c.model) + "_" + c.geneProtein + "_" + c.metabolic;
}

std::string golden(const std::string& name) {
    return read_source("tests/golden/" + name);
}

// With `spellNone` a layer without method gets "-gNONE" / "-mNONE"; otherwise no switch at all.
std::vector<std::string> convertArguments(const Conversion& c, bool spellNone) {
    std::vector<std::string> args = {"-N" + source_path(c.model), "-Umodel.usage", "-Dmodel.dae"};
    const std::pair<std::string, std::string> switches[] = {{"-g", c.geneProtein},
                                                            {"-m", c.metabolic}};
    for (const auto& [letter, method] : switches) {
        if (spellNone || method != "NONE") args.push_back(letter + method);
    }
    return args;
}

bool namesNone(const Conversion& c) {
    return std::string(c.geneProtein) == "NONE" || std::string(c.metabolic) == "NONE";
}

// A TPP method logs each of its steps as it passes; nothing else is logged.
std::string passLines(const Conversion& c) {
    std::string method = c.geneProtein;
    if (method.rfind("TPP_", 0) != 0) return "";
    std::string lines =
        "## Pass moveMonomerEqs.\n\n## Pass makeTotalDiffEqs.\n\n"
        "## Pass makeTotalAlgebraicEqs.\n\n## Pass calcInitialVal.\n\n";
    return method == "TPP_STEADYSTATE_1" ? lines : lines + "## Pass refineComplexEqs.\n\n";
}

class ConversionGoldenTest : public ::testing::TestWithParam<Conversion> {};

TEST_P(ConversionGoldenTest, DaeAndUsageFilesMatchTheExpectedBytes) {
    const Conversion& c = GetParam();
    const std::string dae = golden(goldenName(c) + ".dae");
    const std::string usage = golden(goldenName(c) + ".usage");
    ASSERT_FALSE(dae.empty()) << goldenName(c);
    // The usage file is the DAE file cut before the temporary expressions.
    ASSERT_EQ(usage, dae.substr(0, dae.find("== Temporary Expressions ==\n")));
    for (bool spellNone : {false, true}) {
        if (spellNone && !namesNone(c)) continue;
        Workspace ws;
        ProgramRun run = ws.rxnconv(convertArguments(c, spellNone));
        EXPECT_EQ(run.status, 0) << run.log;
        EXPECT_EQ(run.log, passLines(c));
        EXPECT_EQ(run.out + run.err, "");
        EXPECT_EQ(ws.read("model.dae"), dae);
        EXPECT_EQ(ws.read("model.usage"), usage);
    }
}

// The combinations the examples convert under: every one without a TPP method, and the TPP
// methods on the models with complexes. Left out: those a model feature refuses (the failure
// tests cover what the user sees then).
const Conversion kConversions[] = {
    {"examples/enzyme_complex.xml", "NONE", "CMA"},
    {"examples/enzyme_complex.xml", "NONE", "GMA"},
    {"examples/enzyme_complex.xml", "NONE", "MM"},
    {"examples/enzyme_complex.xml", "CMA", "NONE"},
    {"examples/enzyme_complex.xml", "CMA", "CMA"},
    {"examples/enzyme_complex.xml", "CMA", "GMA"},
    {"examples/enzyme_complex.xml", "CMA", "MM"},
    {"examples/enzyme_complex.xml", "TPP_STEADYSTATE_1", "NONE"},
    {"examples/enzyme_complex.xml", "TPP_STEADYSTATE_2", "NONE"},
    {"examples/enzyme_complex.xml", "TPP_RAPID", "NONE"},
    {"examples/gene_regulation.xml", "NONE", "CMA"},
    {"examples/gene_regulation.xml", "NONE", "GMA"},
    {"examples/gene_regulation.xml", "NONE", "MM"},
    {"examples/gene_regulation.xml", "CMA", "NONE"},
    {"examples/gene_regulation.xml", "TPP_STEADYSTATE_2", "NONE"},
    {"examples/gene_regulation.xml", "TPP_RAPID", "NONE"},
    {"examples/glycolysis_gma.xml", "NONE", "GMA"},
    {"examples/glycolysis_gma.xml", "NONE", "MM"},
    {"examples/glycolysis_gma.xml", "CMA", "NONE"},
    {"examples/glycolysis_gma.xml", "CMA", "GMA"},
    {"examples/glycolysis_gma.xml", "CMA", "MM"},
    {"examples/regulated_transcription.xml", "NONE", "CMA"},
    {"examples/regulated_transcription.xml", "NONE", "GMA"},
    {"examples/regulated_transcription.xml", "NONE", "MM"},
    {"examples/regulated_transcription.xml", "CMA", "NONE"},
    {"examples/regulated_transcription.xml", "TPP_STEADYSTATE_1", "NONE"},
    {"examples/regulated_transcription.xml", "TPP_RAPID", "NONE"},
    {"examples/regulated_transcription.xml", "TPP_RAPID", "GMA"},
    {"tests/models/numbers.xml", "CMA", "GMA"},
    {"tests/models/numbers.xml", "CMA", "MM"},
};

INSTANTIATE_TEST_SUITE_P(Models, ConversionGoldenTest, ::testing::ValuesIn(kConversions),
                         [](const auto& info) { return goldenName(info.param); });

class ListingGoldenTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ListingGoldenTest, ListingMatchesTheExpectedBytesAndIsWellFormed) {
    const std::string model = GetParam();
    const std::string expected = golden(stem(model) + ".list.xml");
    ASSERT_FALSE(expected.empty()) << model;
    Workspace ws;
    ProgramRun run = ws.rxnconv({"-C" + source_path(model), "-Plist.xml"});
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ws.read("list.xml"), expected);
    EXPECT_EQ(xml_wellformedness_errors(ws.file("list.xml")), "");
}

const char* const kListedModels[] = {
    "examples/enzyme_complex.xml",
    "examples/gene_regulation.xml",
    "examples/glycolysis_gma.xml",
    "examples/regulated_transcription.xml",
    "tests/models/real/BIOMD0000000001.xml",
    "tests/models/real/BIOMD0000000005.xml",
    "tests/models/real/BIOMD0000000010.xml",
    "tests/models/real/BIOMD0000000012.xml",
    "tests/models/real/BIOMD0000000023.xml",
    // Made to exercise the listing: a title and notes with all five special characters; species
    // named A&B, <C>, "D" and E'; in the Metabolic layer a reaction that is not convertible
    // (group "first"), one without group, one of group "first" after it, and one of type none;
    // in the second Gene-Protein layer two transcriptions of group "G". The first Gene-Protein
    // layer is empty, and still writes its tags. A group's texts are merged with the line-break
    // marker escaped; group "first" (the number of its first reaction) comes before the later
    // ungrouped reaction; the unconvertible and the type-none reactions are left out.
    "tests/models/listing/listing_features.xml",
};

INSTANTIATE_TEST_SUITE_P(Models, ListingGoldenTest, ::testing::ValuesIn(kListedModels),
                         [](const auto& info) { return stem(info.param); });

// Every sample model that libSBML ships loads and lists as well-formed XML.
TEST(ListingOfLibsbmlSamples, IsWellFormed) {
    const std::string samples = ZYMORAX_LIBSBML_SAMPLES;
    ASSERT_TRUE(!samples.empty() && std::filesystem::exists(samples)) << "run scripts/bootstrap.sh (libsbml5-examples)";
    Workspace ws;
    int listed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
        if (entry.path().extension() != ".xml") continue;
        SCOPED_TRACE(entry.path());
        ProgramRun run = ws.rxnconv({"-C" + entry.path().string(), "-Plist.xml"});
        EXPECT_EQ(run.status, 0) << run.log;
        EXPECT_EQ(run.log, "");
        EXPECT_EQ(ws.read("list.xml").rfind("<chemical_eqs>\n", 0), 0u);
        EXPECT_EQ(xml_wellformedness_errors(ws.file("list.xml")), "");
        ++listed;
    }
    EXPECT_GE(listed, 29);
}

}  // namespace
