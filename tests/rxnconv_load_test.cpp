// Models that cannot be loaded and outputs that cannot be written, as the built rxnconv reports
// them: the exact system log, exit status 255, nothing on the console (no Java stack trace), and
// which output files exist afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "workspace.h"

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
        ws.put(name, read_source("tests/models/" + relative));
        return name;
    }

    ProgramRun convert(const std::string& model, const std::string& method = "-mGMA") {
        return ws.rxnconv({"-N" + model, "-Uu.txt", "-Dd.dae", method});
    }
    ProgramRun list(const std::string& model) { return ws.rxnconv({"-C" + model, "-Plist.xml"}); }

    // The run failed with `log` alone, leaving the named outputs empty.
    void expectFailure(const ProgramRun& run, const std::string& log,
                       const std::vector<std::string>& emptyOutputs = {}) {
        EXPECT_EQ(run.status, 255);
        EXPECT_EQ(run.log, log);
        EXPECT_EQ(run.out + run.err, "");
        for (const std::string& name : emptyOutputs) {
            EXPECT_TRUE(ws.has(name)) << name;
            EXPECT_EQ(ws.read(name), "") << name;
        }
    }

    Workspace ws;
};

}  // namespace

// Each fault of a model file as the loader meets it, in convert mode (with the method given) or
// in listing mode (-C); the outputs that initialize created stay empty.
TEST_F(RxnconvLoadTest, ModelsThatCannotBeLoadedAreNamedWithTheFault) {
    std::filesystem::create_directory(ws.file("folder.xml"));
    ws.put("empty.xml", "");
    const std::string missing = "initialization failed.\n";
    const std::string percentFault =
        ": line 11: species 'S': unknown class '100% protein %s%n%d'\n";
    const struct {
        std::string model;
        const char* mode;
        std::string log;
    } cases[] = {
        {"no%s%n.xml", "-mGMA", "initialize: xmlfile[no%s%n.xml] open err!!\n" + missing},
        {"missing.xml", "-C", "initialize: xmlfile[missing.xml] open err!!\n" + missing},
        {"folder.xml", "-mGMA",
         "parseXML: folder.xml: is a directory, not a model file\n" + kConvertFailed},
        {"empty.xml", "-C", "parseXML: empty.xml: the file is empty\n" + kListingFailed},
        {copyModel("loading/malformed.xml"), "-mGMA",
         "parseXML: malformed.xml: line 6: Element tag mismatch or missing tag.\n" +
             kConvertFailed},
        {copyModel("loading/sbml_errors.xml"), "-C",
         "parseXML: sbml_errors.xml: line 7: Missing a required XML attribute. The compartment "
         "attribute 'id' is required. (and 1 more error)\n" +
             kListingFailed},
        // The converter checks element lists and species references itself, but a model file
        // cannot reach those checks: the reader refuses such a model first.
        {copyModel("loading/complex_contains_itself.xml"), "-gCMA",
         "parseXML: complex_contains_itself.xml: line 13: species 'AB' is an element of itself "
         "(through the element lists of its complexes)\n" +
             kConvertFailed},
        {copyModel("loading/unknown_element_species.xml"), "-gCMA",
         "parseXML: unknown_element_species.xml: line 17: species 'AX': unknown species 'X'\n" +
             kConvertFailed},
        {copyModel("loading/unknown_reactant_species.xml"), "-mGMA",
         "parseXML: unknown_reactant_species.xml: line 15: reaction 'conversion': unknown "
         "species 'Ghost'\n" +
             kConvertFailed},
        // The reader's message is data: printf conversions in it, from the model or from its
        // file name, reach the log as they stand.
        {copyModel("loading/percent_in_message.xml"), "-mGMA",
         "parseXML: percent_in_message.xml" + percentFault + kConvertFailed},
        {copyModel("loading/percent_in_message.xml", "50%n%s.xml"), "-C",
         "parseXML: 50%n%s.xml" + percentFault + kListingFailed},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model);
        if (std::string(c.mode) == "-C") {
            expectFailure(list(c.model), c.log, {"list.xml"});
        } else {
            expectFailure(convert(c.model, c.mode), c.log, {"u.txt", "d.dae"});
        }
    }
}

// A name the reader cannot shorten (an id of 300 bytes) is cut to the 255 bytes a name may have;
// a long SBML name gives way to the id.
TEST_F(RxnconvLoadTest, SpeciesNamesAreCutTo255Bytes) {
    const std::string cut = "L" + std::string(254, 'i');
    const std::string model = copyModel("loading/long_names.xml");
    ProgramRun run = convert(model);
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
    const std::string dae = ws.read("d.dae");
    for (const std::string& line :
         {"\ny[A.cyt] = 1;\ny[" + cut + ".cyt] = 0;\n",
          "\nflux_A.cyt_to_" + cut + ".cyt = kxg[1]*y[A.cyt]^f[1];\n",
          "\ndeq_2: dydt[" + cut + ".cyt] = flux_A.cyt_to_" + cut + ".cyt;"}) {
        EXPECT_NE(dae.find(line), std::string::npos) << line << "\n" << dae;
    }
    EXPECT_EQ(dae.find(cut + "i"), std::string::npos);

    run = list(model);
    EXPECT_EQ(run.status, 0) << run.log;
    EXPECT_NE(
        ws.read("list.xml")
            .find("        <equation>\n            A -&gt; " + cut + "\n        </equation>\n"),
        std::string::npos);
}

TEST_F(RxnconvLoadTest, OutputsThatCannotBeCreatedAreNamed) {
    const std::string model = source_path("examples/glycolysis_gma.xml");
    expectFailure(ws.rxnconv({"-N" + model, "-Uno/such/u.txt", "-Dd.dae", "-mGMA"}),
                  "initialize: usagefile[no/such/u.txt] open err!!\ninitialization failed.\n");
    EXPECT_FALSE(ws.has("d.dae"));
    expectFailure(ws.rxnconv({"-N" + model, "-Uu.txt", "-Dno/such/d.dae", "-mGMA"}),
                  "initialize: daefile[no/such/d.dae] open err!!\ninitialization failed.\n",
                  {"u.txt"});
    expectFailure(ws.rxnconv({"-C" + model, "-Pno/such/list.xml"}),
                  "initialize: convertphpfile[no/such/list.xml] open err!!\n"
                  "initialization failed.\n");
}

// A write that fails (here: a full disk) fails the run instead of leaving a cut file behind as
// success. The usage file is written first, so it is complete when only the DAE file fails.
TEST_F(RxnconvLoadTest, AFullDiskFailsTheRun) {
    const std::string model = source_path("examples/glycolysis_gma.xml");
    expectFailure(ws.rxnconv({"-N" + model, "-Uu.txt", "-D/dev/full", "-mGMA"}),
                  "writeOutputFile: write error on the DAE file (No space left on device).\n"
                  "writeOutputFile failed.\nparseNCE failed.\n");
    EXPECT_EQ(ws.read("u.txt"), read_source("tests/golden/glycolysis_gma_NONE_GMA.usage"));
    expectFailure(ws.rxnconv({"-N" + model, "-U/dev/full", "-Dd.dae", "-mGMA"}),
                  "writeOutputFile: write error on the usage file (No space left on device).\n"
                  "writeOutputFile failed.\nparseNCE failed.\n",
                  {"d.dae"});
    expectFailure(ws.rxnconv({"-C" + model, "-P/dev/full"}),
                  "writeChemicalEqs: write error on /dev/full\nconvertphp failed.\n");
}
