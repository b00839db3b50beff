// Models that cannot be loaded and outputs that cannot be written, as the built rxnconv reports
// them: the exact system log, exit status 255, nothing on the console (no Java stack trace), and
// which output files exist afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "rxnconv_runner.h"

using namespace zymorax::testkit;

namespace {

const std::string kConvertFailed = "ParseXML failed.\nparseNCE failed.\n";
const std::string kListingFailed = "ParseXML failed.\nconvertphp failed.\n";

class RxnconvLoadTest : public ::testing::Test {
  protected:
    // Copies a model of tests/models/ into the working folder under its own name, so that the
    // reader's messages name it as the user typed it.
    std::string copyModel(const std::string& relative, std::string name = "") {
        if (name.empty()) name = relative.substr(relative.rfind('/') + 1);
        write_file(rx.file(name), read_file(source_dir() + "/tests/models/" + relative));
        return name;
    }

    RxnconvRun convert(const std::string& model, const std::string& method = "-mGMA") {
        return rx.run({"-N" + model, "-Uu.txt", "-Dd.dae", method});
    }

    RxnconvRun list(const std::string& model) { return rx.run({"-C" + model, "-Plist.xml"}); }

    void expectEmptyOutputs(const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            EXPECT_TRUE(file_exists(rx.file(name))) << name;
            EXPECT_EQ(read_file(rx.file(name)), "") << name;
        }
    }

    RxnconvRunner rx;
};

void expectFailure(const RxnconvRun& run, const std::string& log) {
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, log);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

}  // namespace

TEST_F(RxnconvLoadTest, AMissingModelFileFailsInitializeAfterTheOutputsAreCreated) {
    expectFailure(convert("no%s%n.xml"),
                  "initialize: xmlfile[no%s%n.xml] open err!!\ninitialization failed.\n");
    expectEmptyOutputs({"u.txt", "d.dae"});
    expectFailure(list("missing.xml"),
                  "initialize: xmlfile[missing.xml] open err!!\ninitialization failed.\n");
    expectEmptyOutputs({"list.xml"});
}

TEST_F(RxnconvLoadTest, AFolderOrAnEmptyFileIsNoModel) {
    std::filesystem::create_directory(rx.file("folder.xml"));
    expectFailure(convert("folder.xml"),
                  "parseXML: folder.xml: is a directory, not a model file\n" + kConvertFailed);
    expectEmptyOutputs({"u.txt", "d.dae"});
    write_file(rx.file("empty.xml"), "");
    expectFailure(list("empty.xml"), "parseXML: empty.xml: the file is empty\n" + kListingFailed);
    expectEmptyOutputs({"list.xml"});
}

TEST_F(RxnconvLoadTest, MalformedXmlAndSbmlErrorsAreReportedWithTheirLine) {
    expectFailure(
        convert(copyModel("loading/malformed.xml")),
        "parseXML: malformed.xml: line 6: Element tag mismatch or missing tag.\n" + kConvertFailed);
    expectEmptyOutputs({"u.txt", "d.dae"});
    expectFailure(list(copyModel("loading/sbml_errors.xml")),
                  "parseXML: sbml_errors.xml: line 7: Missing a required XML attribute. The "
                  "compartment attribute 'id' is required. (and 1 more error)\n" +
                      kListingFailed);
    expectEmptyOutputs({"list.xml"});
}

// The converter checks element lists and species references itself, but a model file cannot
// reach those checks: the reader refuses such a model first, and this is what the user sees.
TEST_F(RxnconvLoadTest, BrokenReferencesAreRefusedByTheReader) {
    expectFailure(convert(copyModel("loading/complex_contains_itself.xml"), "-gCMA"),
                  "parseXML: complex_contains_itself.xml: line 13: species 'AB' is an element of "
                  "itself (through the element lists of its complexes)\n" +
                      kConvertFailed);
    expectFailure(convert(copyModel("loading/unknown_element_species.xml"), "-gCMA"),
                  "parseXML: unknown_element_species.xml: line 17: species 'AX': unknown species "
                  "'X'\n" +
                      kConvertFailed);
    expectFailure(convert(copyModel("loading/unknown_reactant_species.xml")),
                  "parseXML: unknown_reactant_species.xml: line 15: reaction 'conversion': "
                  "unknown species 'Ghost'\n" +
                      kConvertFailed);
    expectEmptyOutputs({"u.txt", "d.dae"});
}

// The reader's message is data: printf conversions in it, from the model or from its file name,
// reach the log as they stand.
TEST_F(RxnconvLoadTest, AReaderMessageIsLoggedUnchanged) {
    const std::string fault = ": line 11: species 'S': unknown class '100% protein %s%n%d'\n";
    expectFailure(convert(copyModel("loading/percent_in_message.xml")),
                  "parseXML: percent_in_message.xml" + fault + kConvertFailed);
    expectEmptyOutputs({"u.txt", "d.dae"});
    expectFailure(list(copyModel("loading/percent_in_message.xml", "50%n%s.xml")),
                  "parseXML: 50%n%s.xml" + fault + kListingFailed);
    expectEmptyOutputs({"list.xml"});
}

// A name the reader cannot shorten (an id of 300 bytes) is cut to the 255 bytes a name may have;
// a long SBML name gives way to the id.
TEST_F(RxnconvLoadTest, SpeciesNamesAreCutTo255Bytes) {
    const std::string cut = "L" + std::string(254, 'i');
    const std::string model = copyModel("loading/long_names.xml");
    RxnconvRun run = convert(model);
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
    const std::string dae = read_file(rx.file("d.dae"));
    EXPECT_NE(dae.find("y[A.cyt] = 1;\ny[" + cut + ".cyt] = 0;\n"), std::string::npos) << dae;
    EXPECT_NE(dae.find("flux_A.cyt_to_" + cut + ".cyt = kxg[1]*y[A.cyt]^f[1];\n"),
              std::string::npos);
    EXPECT_NE(dae.find("deq_2: dydt[" + cut + ".cyt] = flux_A.cyt_to_" + cut + ".cyt;"),
              std::string::npos);
    EXPECT_EQ(dae.find(cut + "i"), std::string::npos);

    run = list(model);
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_NE(
        read_file(rx.file("list.xml"))
            .find("        <equation>\n            A -&gt; " + cut + "\n        </equation>\n"),
        std::string::npos);
}

TEST_F(RxnconvLoadTest, OutputsThatCannotBeCreatedAreNamed) {
    const std::string model = source_dir() + "/examples/glycolysis_gma.xml";
    expectFailure(rx.run({"-N" + model, "-Uno/such/u.txt", "-Dd.dae", "-mGMA"}),
                  "initialize: usagefile[no/such/u.txt] open err!!\ninitialization failed.\n");
    EXPECT_FALSE(file_exists(rx.file("d.dae")));
    expectFailure(rx.run({"-N" + model, "-Uu.txt", "-Dno/such/d.dae", "-mGMA"}),
                  "initialize: daefile[no/such/d.dae] open err!!\ninitialization failed.\n");
    expectEmptyOutputs({"u.txt"});
    expectFailure(rx.run({"-C" + model, "-Pno/such/list.xml"}),
                  "initialize: convertphpfile[no/such/list.xml] open err!!\n"
                  "initialization failed.\n");
}

// A write that fails (here: a full disk) fails the run instead of leaving a cut file behind as
// success. The usage file is written first, so it is complete when only the DAE file fails.
TEST_F(RxnconvLoadTest, AFullDiskFailsTheRun) {
    const std::string model = source_dir() + "/examples/glycolysis_gma.xml";
    expectFailure(rx.run({"-N" + model, "-Uu.txt", "-D/dev/full", "-mGMA"}),
                  "writeOutputFile: write error on the DAE file (No space left on device).\n"
                  "writeOutputFile failed.\nparseNCE failed.\n");
    EXPECT_EQ(read_file(rx.file("u.txt")),
              read_file(source_dir() + "/tests/golden/glycolysis_gma_NONE_GMA.usage"));

    expectFailure(rx.run({"-N" + model, "-U/dev/full", "-Dd.dae", "-mGMA"}),
                  "writeOutputFile: write error on the usage file (No space left on device).\n"
                  "writeOutputFile failed.\nparseNCE failed.\n");
    expectEmptyOutputs({"d.dae"});

    expectFailure(rx.run({"-C" + model, "-P/dev/full"}),
                  "writeChemicalEqs: write error on /dev/full\nconvertphp failed.\n");
}
