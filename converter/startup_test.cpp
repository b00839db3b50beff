#include "startup.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

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

    // A fresh run: earlier outputs closed and removed.
    int run(std::vector<std::string> args) {
        closeOutputFiles(setup);
        setup = RunSetup{};
        for (const char* name : {"u.txt", "d.dae", "l.xml"}) std::remove(name);
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

struct Refused {
    std::vector<std::string> args;
    std::string message;
    std::vector<const char*> created;  // output files that exist afterwards
};

// Each refusal is one line; output files are created only once the command line is complete,
// and stay when the model file is missing.
TEST_F(InitializeTest, RefusedCommandLinesNameTheirFault) {
    const std::string noMethod =
        "The conversion method is not specified to both Gene-Protein and Metabolic layer.\n";
    const std::string noMode = "The processing method is not set up correctly.\n";
    const std::string noOutput = "invalid outputfile name!!\n";
    const Refused cases[] = {
        {{"-Nmodel.xml", "-Uu.txt", "-Dd.dae"}, noMethod, {}},
        {{"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-ggma", "-mCMAX"}, noMethod, {}},
        {{"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-gMM"},
         "'GMA' and 'MM' are not allowed for Gene-Protein layer.\n",
         {}},
        {{"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-gGMA"},
         "'GMA' and 'MM' are not allowed for Gene-Protein layer.\n",
         {}},
        {{"-Nmodel.xml", "-Cmodel.xml", "-Uu.txt", "-Dd.dae", "-Pl.xml", "-gCMA"}, noMode, {}},
        {{"-Uu.txt", "-Dd.dae", "-gCMA"}, noMode, {}},
        {{"-Cmodel.xml"}, noOutput, {}},
        {{"-Nmodel.xml", "-Dd.dae", "-gCMA"}, noOutput, {}},
        {{"-Nmodel.xml", "-Uu.txt", "-gCMA"}, noOutput, {}},
        {{"-Nnothere.xml", "-Uu.txt", "-Dd.dae", "-gCMA"},
         "xmlfile[nothere.xml] open err!!\n",
         {"u.txt", "d.dae"}},
        {{"-Nmodel.xml", "-Uno/such/u.txt", "-Dd.dae", "-gCMA"},
         "usagefile[no/such/u.txt] open err!!\n",
         {}},
        {{"-Nmodel.xml", "-Uu.txt", "-Dno/such/d.dae", "-gCMA"},
         "daefile[no/such/d.dae] open err!!\n",
         {"u.txt"}},
        {{"-Cmodel.xml", "-Pno/such/l.xml"}, "convertphpfile[no/such/l.xml] open err!!\n", {}},
        // An unknown switch stops at once, before any later one is read.
        {{"model.xml", "-x", "-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-gCMA"},
         "invarid argument !!\n",
         {}},
    };
    for (const Refused& refused : cases) {
        std::string line;
        for (const std::string& arg : refused.args) line += arg + " ";
        SCOPED_TRACE(line);
        EXPECT_EQ(run(refused.args), -1);
        EXPECT_EQ(log.take(), "initialize: " + refused.message);
        for (const char* name : {"u.txt", "d.dae", "l.xml"}) {
            bool created = std::find(refused.created.begin(), refused.created.end(),
                                     std::string(name)) != refused.created.end();
            EXPECT_EQ(file_exists(name), created) << name;
        }
    }
}

TEST_F(InitializeTest, AcceptedCommandLinesSetTheRun) {
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-mGMA"}), 0);
    EXPECT_EQ(setup.processingMode, MODE_CONVERT);
    EXPECT_EQ(setup.geneProteinMethod, METHOD_NONE);
    EXPECT_EQ(setup.metabolicMethod, METHOD_GMA);
    EXPECT_TRUE(file_exists("u.txt"));
    EXPECT_TRUE(file_exists("d.dae"));

    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-gTPP_RAPID"}), 0);
    EXPECT_EQ(setup.geneProteinMethod, METHOD_TPP_RAPID);

    // A later switch replaces an earlier one.
    EXPECT_EQ(run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-mGMA", "-mMM", "-gCMA"}), 0);
    EXPECT_EQ(setup.metabolicMethod, METHOD_MM);
    EXPECT_EQ(setup.geneProteinMethod, METHOD_CMA);

    // Listing mode needs only the listing file.
    EXPECT_EQ(run({"-Cmodel.xml", "-Pl.xml"}), 0);
    EXPECT_EQ(setup.processingMode, MODE_LISTING);
    EXPECT_TRUE(file_exists("l.xml"));
    EXPECT_EQ(setup.usageFile, nullptr);

    // Plain arguments are ignored; -d belongs to the logging library.
    EXPECT_EQ(run({"model.xml", "-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-gCMA", "-dverbose"}), 0);
    EXPECT_EQ(log.take(), "");
}

TEST_F(InitializeTest, OverlongPathIsRefusedRatherThanCut) {
    EXPECT_EQ(run({"-Nmodel.xml", "-U" + std::string(256, 'u'), "-Dd.dae", "-gCMA"}), -1);
    std::string text = log.take();
    EXPECT_EQ(text.rfind("initialize: too long path (at most 255 characters) !!\n\t-Uuuu", 0), 0u)
        << text;
    EXPECT_EQ(run({"-Nmodel.xml", "-U" + std::string(255, 'u'), "-Dd.dae", "-gCMA"}), 0);
}

}  // namespace
