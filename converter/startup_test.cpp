#include "startup.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include "methods.h"
#include "test_support.h"

using namespace zymorax::testkit;

namespace {

// Runs initialize inside a temporary folder that holds an existing model file "model.xml".
class InitializeTest : public ::testing::Test {
protected:
    void SetUp() override {
        write_file(dir.file("model.xml"), "<sbml/>");
        ASSERT_EQ(getcwd(previous, sizeof previous), previous);
        ASSERT_EQ(chdir(dir.path().c_str()), 0);
    }
    void TearDown() override {
        closeOutputFiles(setup);
        ASSERT_EQ(chdir(previous), 0);
    }

    int run(std::vector<std::string> args) {
        args.insert(args.begin(), "rxnconv");
        std::vector<char*> argv;
        for (auto& arg : args) argv.push_back(arg.data());
        return initialize(static_cast<int>(argv.size()), argv.data(), setup);
    }

    TempDir dir;
    LogCapture log;
    RunSetup setup;
    char previous[4096] = {};
};

}  // namespace

TEST_F(InitializeTest, ConvertModeNeedsAMethodForSomeLayer) {
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae"}), -1);
    EXPECT_EQ(log.take(),
              "initialize: The conversion method is not specified to both Gene-Protein and Metabolic layer.\n");
    EXPECT_FALSE(file_exists("u.txt"));

    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-mGMA"}), 0);
    EXPECT_EQ(setup.geneProteinMethod, METHOD_NONE);
    EXPECT_EQ(setup.metabolicMethod, METHOD_GMA);
    EXPECT_EQ(setup.processingMode, MODE_CONVERT);
    EXPECT_TRUE(file_exists("u.txt"));
    EXPECT_TRUE(file_exists("d.dae"));
    EXPECT_EQ(log.take(), "");
}

TEST_F(InitializeTest, GeneProteinLayerRefusesTheGmaFamily) {
    for (const char* method : {"-gMM", "-gGMA"}) {
        EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", method}), -1);
        EXPECT_EQ(log.take(), "initialize: 'GMA' and 'MM' are not allowed for Gene-Protein layer.\n");
    }
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-gTPP_RAPID"}), 0);
    EXPECT_EQ(setup.geneProteinMethod, METHOD_TPP_RAPID);
}

TEST_F(InitializeTest, MethodNamesAreExactAndCaseSensitive) {
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-ggma", "-mCMAX"}), -1);
    EXPECT_EQ(log.take(),
              "initialize: The conversion method is not specified to both Gene-Protein and Metabolic layer.\n");
    // A later switch replaces an earlier one.
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-mGMA", "-mMM", "-gCMA"}), 0);
    EXPECT_EQ(setup.metabolicMethod, METHOD_MM);
    EXPECT_EQ(setup.geneProteinMethod, METHOD_CMA);
}

TEST_F(InitializeTest, ModeMustBeExactlyOneOfConvertAndList) {
    EXPECT_EQ(run({"-Nmodel.xml", "-Cmodel.xml", "-Uu", "-Dd", "-Pp", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: The processing method is not set up correctly.\n");
    EXPECT_EQ(run({"-Uu", "-Dd", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: The processing method is not set up correctly.\n");
}

TEST_F(InitializeTest, ListingModeNeedsOnlyTheListingFile) {
    EXPECT_EQ(run({"-Cmodel.xml", "-Plist.xml"}), 0);
    EXPECT_EQ(setup.processingMode, MODE_LISTING);
    EXPECT_TRUE(file_exists("list.xml"));
    EXPECT_EQ(setup.usageFile, nullptr);

    EXPECT_EQ(run({"-Cmodel.xml"}), -1);
    EXPECT_EQ(log.take(), "initialize: invalid outputfile name!!\n");
}

TEST_F(InitializeTest, MissingOutputNameFailsBeforeAnyFileIsCreated) {
    EXPECT_EQ(run({"-Nmodel.xml", "-Dd.dae", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: invalid outputfile name!!\n");
    EXPECT_FALSE(file_exists("d.dae"));
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: invalid outputfile name!!\n");
    EXPECT_FALSE(file_exists("u.txt"));
}

TEST_F(InitializeTest, MissingModelFileIsFoundAfterTheOutputsAreCreated) {
    EXPECT_EQ(run({"-Nnothere.xml", "-Uu.txt", "-Dd.dae", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: xmlfile[nothere.xml] open err!!\n");
    EXPECT_TRUE(file_exists("u.txt"));
    EXPECT_TRUE(file_exists("d.dae"));
}

TEST_F(InitializeTest, UnwritableOutputsNameTheirFile) {
    EXPECT_EQ(run({"-Nmodel.xml", "-Uno/such/u.txt", "-Dd.dae", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: usagefile[no/such/u.txt] open err!!\n");
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dno/such/d.dae", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: daefile[no/such/d.dae] open err!!\n");
    EXPECT_EQ(run({"-Cmodel.xml", "-Pno/such/l.xml"}), -1);
    EXPECT_EQ(log.take(), "initialize: convertphpfile[no/such/l.xml] open err!!\n");
}

TEST_F(InitializeTest, UnknownSwitchStopsAtOnceAndPlainArgumentsAreIgnored) {
    EXPECT_EQ(run({"model.xml", "-x", "-Nmodel.xml", "-Uu", "-Dd", "-gCMA"}), -1);
    EXPECT_EQ(log.take(), "initialize: invarid argument !!\n");
    EXPECT_EQ(run({"model.xml", "-Nmodel.xml", "-Uu", "-Dd", "-gCMA", "-dverbose"}), 0);
    EXPECT_EQ(log.take(), "");
}

TEST_F(InitializeTest, OverlongPathIsRefusedRatherThanCut) {
    std::string longName = "-U" + std::string(256, 'u');
    EXPECT_EQ(run({"-Nmodel.xml", longName, "-Dd.dae", "-gCMA"}), -1);
    std::string text = log.take();
    EXPECT_EQ(text.rfind("initialize: too long path (at most 255 characters) !!\n\t-Uuuu", 0), 0u) << text;
    EXPECT_EQ(run({"-Nmodel.xml", "-U" + std::string(255, 'u'), "-Dd.dae", "-gCMA"}), 0);
}
