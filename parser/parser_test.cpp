// The model reader as rxnconv's JVM runs it: example models, real models, libSBML's samples and
// files that cannot be read.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "reader_test_support.h"

namespace tk = zymorax::testkit;
using reader_test::dump_model;
using reader_test::errmsg_line;
using reader_test::has_line;
using reader_test::lines_of;
using reader_test::run_java;
using reader_test::testdata;

namespace {

std::vector<std::string> xml_files(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".xml") files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Loads all files in one JVM; every one must load (result 0) with consistent counts.
void expect_all_load(const std::vector<std::string>& files) {
    std::vector<std::string> args = {"DumpModel"};
    args.insert(args.end(), files.begin(), files.end());
    tk::RunResult run = run_java(args);
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out.find("MISMATCH"), std::string::npos);
    size_t loaded = 0;
    std::string current;
    for (const std::string& line : lines_of(run.out)) {
        if (line.rfind("== ", 0) == 0) current = line;
        if (line == "result 0") loaded++;
        EXPECT_NE(line, "result 2") << current << "\n" << run.out;
    }
    EXPECT_EQ(loaded, files.size());
}

}  // namespace

// Each example model gives exactly the reviewed dump, and passes libSBML's consistency check.
TEST(ExampleModels, GiveTheReviewedDumps) {
    for (const char* name :
         {"gene_regulation", "glycolysis_gma", "enzyme_complex", "regulated_transcription"}) {
        SCOPED_TRACE(name);
        std::string model = tk::source_dir() + "/examples/" + name + ".xml";
        tk::RunResult run = run_java({"DumpModel", "--check", model});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, tk::read_file(testdata(std::string(name) + ".dump")));
        EXPECT_TRUE(has_line(run.out, "consistency errors 0"));
    }
}

TEST(RealModels, CuratedBioModelsLoad) {
    std::vector<std::string> files = xml_files(testdata("biomodels"));
    ASSERT_EQ(files.size(), 5u);
    expect_all_load(files);
}

// Plain SBML with SBO terms: the repressilator's names hold blanks, so the ids are used; its
// transcriptions have no template and an inhibitor.
TEST(RealModels, RepressilatorIsReadByTheInferenceRules) {
    std::string dump = dump_model(testdata("biomodels/BIOMD0000000012.xml"));
    EXPECT_TRUE(has_line(dump, "model \"Elowitz2000 - Repressilator\""));
    EXPECT_TRUE(has_line(dump, "species 1 \"PX\" compartment 1 class 6 massBalance 2 totalAmount 2 "
                               "decomposition 2 initial 1 \"0\""));
    EXPECT_TRUE(has_line(dump, "species 5 \"Y\" compartment 1 class 5 massBalance 2 totalAmount 2 "
                               "decomposition 2 initial 1 \"20\""));
    EXPECT_TRUE(has_line(dump, "  reaction 10 group 10 type 13 convertible 1 text \"(none) -> X [PZ]\""));
    EXPECT_TRUE(has_line(dump, "        modifier 3 \"PZ\" compartment 1 stoichiometry \"1\" type 3 "
                               "isTotal 0"));
    EXPECT_TRUE(has_line(dump, "  reaction 1 group 1 type 15 convertible 1 text \"X -> (none)\""));
}

// libSBML's sample models of the SBML specifications (Debian package libsbml5-examples, which
// the bootstrap script installs) all load.
TEST(RealModels, LibsbmlSpecificationSamplesLoad) {
    const std::string samples = ZYMORAX_LIBSBML_SAMPLES;
    ASSERT_TRUE(std::filesystem::is_directory(samples))
        << samples << " is missing: install the Debian package libsbml5-examples";
    std::vector<std::string> files = xml_files(samples + "/level-2");
    std::vector<std::string> level3 = xml_files(samples + "/level-3");
    files.insert(files.end(), level3.begin(), level3.end());
    ASSERT_GE(files.size(), 20u);
    expect_all_load(files);
}

// A file that cannot be read gives result 2 and a message naming the file (and, for what libSBML
// finds, the line and libSBML's message); parseXML still returns 0 and the model stays empty.
TEST(UnreadableFiles, GiveResultTwoWithAMessage) {
    tk::TempDir dir;
    tk::write_file(dir.file("empty.xml"), "");
    tk::write_file(dir.file("text.xml"), "just some words\n");
    std::string model = reader_test::model_text({reader_test::species_line("A")});
    tk::write_file(dir.file("broken.xml"), model.substr(0, model.find("<listOfSpecies>")));
    std::filesystem::create_directory(dir.file("folder.xml"));
    tk::write_file(dir.file("errors.xml"),
                   reader_test::model_text({"<species id=\"A\" initialAmount=\"1\"/>",
                                            "<species id=\"B\" initialAmount=\"x\"/>"}));
    // Level 3 Version 2 allows a document without a model; there is nothing to convert.
    tk::write_file(dir.file("no_model.xml"),
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sbml xmlns=\"http://www.sbml.org/"
                   "sbml/level3/version2/core\" level=\"3\" version=\"2\"/>\n");
    const std::pair<std::string, std::string> cases[] = {
        {"missing.xml", "no such file"},
        {"folder.xml", "is a directory, not a model file"},
        {"empty.xml", "the file is empty"},
        {"text.xml", "line 1: Main XML content is empty."},
        {"broken.xml", "line 4: XML content is not well-formed."},
        {"errors.xml", "line 6: Missing a required XML attribute. The species attribute "
                       "'compartment' is required. (and 2 more errors)"},
        {"no_model.xml", "the SBML document holds no model"},
    };
    std::vector<std::string> paths;
    for (const auto& [name, detail] : cases) paths.push_back(dir.file(name));
    std::vector<std::string> dumps = reader_test::dump_models(paths);
    for (size_t i = 0; i < paths.size(); i++) {
        SCOPED_TRACE(paths[i]);
        reader_test::expect_lines(dumps[i], {"parseXML 0", "result 2",
                                             errmsg_line(paths[i], cases[i].second), "species 0",
                                             "layers 0"});
    }
}

// libSBML warns about an RDF annotation that does not point at its element; a warning is no
// reason to refuse the model.
TEST(UnreadableFiles, WarningsAreNotErrors) {
    tk::TempDir dir;
    std::string model = reader_test::model_text({reader_test::species_line("A")});
    model.replace(model.find("<model id=\"m\">"), 15,
                  "<model id=\"m\" metaid=\"meta_m\"><annotation><rdf:RDF xmlns:rdf=\"http://"
                  "www.w3.org/1999/02/22-rdf-syntax-ns#\" xmlns:bqbiol=\"http://biomodels.net/"
                  "biology-qualifiers/\"><rdf:Description rdf:about=\"#elsewhere\"><bqbiol:is>"
                  "<rdf:Bag><rdf:li rdf:resource=\"urn:miriam:go:GO%3A0006351\"/></rdf:Bag>"
                  "</bqbiol:is></rdf:Description></rdf:RDF></annotation>\n");
    tk::write_file(dir.file("warning.xml"), model);
    std::string dump = dump_model(dir.file("warning.xml"));
    EXPECT_TRUE(has_line(dump, "result 0"));
    EXPECT_TRUE(has_line(dump, "species 1"));
}

TEST(ReaderEntry, MissingNativeLibraryIsReportedNotThrown) {
    tk::RunResult run =
        run_java({"DumpModel", testdata("values.xml")}, "/nonexistent-zymorax-library-path");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(has_line(run.out, "result 2"));
    EXPECT_NE(run.out.find("errmsg \"parseXML: " + testdata("values.xml") +
                           ": cannot load libSBML's native library 'sbmlj' ("),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("java.library.path is '/nonexistent-zymorax-library-path'\\n\""),
              std::string::npos)
        << run.out;
}

TEST(ReaderEntry, NullArgumentsDoNotThrow) {
    tk::RunResult no_pack = run_java({"DumpModel", "--null-pack"});
    EXPECT_EQ(no_pack.out, "parseXML 1\n");
    EXPECT_EQ(no_pack.err, "");

    tk::RunResult no_path = run_java({"DumpModel", "--null-path"});
    EXPECT_EQ(no_path.err, "");
    EXPECT_TRUE(has_line(no_path.out, "parseXML 0"));
    EXPECT_TRUE(has_line(no_path.out, "errmsg \"parseXML: : no model file name given\\n\""));
}
