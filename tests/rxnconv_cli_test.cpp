// rxnconv's start-up as a user meets it: environment, JVM, logs, switches and the model reader.
#include <gtest/gtest.h>

#include <filesystem>

#include "rxnconv_runner.h"

using namespace zymorax::testkit;

namespace {

class RxnconvStartupTest : public ::testing::Test {
protected:
    void SetUp() override { write_file(rx.file("model.xml"), "<sbml/>\n"); }
    RxnconvRunner rx;
};

}  // namespace

TEST_F(RxnconvStartupTest, MissingInstallationVariablesEndBeforeAnyLog) {
    RxnconvRun run = rx.run({"-Cmodel.xml", "-Plist.xml"}, {{"TELUV_HOME", kUnset}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.out, "Not found TELUV_HOME\n");
    EXPECT_FALSE(file_exists(rx.file("sys.log")));

    run = rx.run({"-Cmodel.xml", "-Plist.xml"}, {{"XERCES_HOME", kUnset}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.out, "Not found XERCES_HOME\n");
    EXPECT_FALSE(file_exists(rx.file("sys.log")));
    EXPECT_FALSE(file_exists(rx.file("list.xml")));
}

TEST_F(RxnconvStartupTest, AJvmThatCannotStartIsLoggedWithItsResult) {
    RxnconvRun run = rx.run({"-Cmodel.xml", "-Plist.xml"}, {{"JAVA_TOOL_OPTIONS", "-XX:+NoSuchOption"}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, "Can't create Java VM [-6]\n");
    EXPECT_FALSE(file_exists(rx.file("list.xml")));
}

TEST_F(RxnconvStartupTest, LogsThatCannotBeOpenedAreReportedOnTheConsole) {
    RxnconvRun run = rx.run({"-Cmodel.xml", "-Plist.xml"}, {{"ZYMORAX_DBGLOG", "/no/such/folder/dbg.log"}});
    EXPECT_EQ(run.status, 254);
    EXPECT_EQ(run.out, "Cannot open dbgLog file!!");

    run = rx.run({"-Cmodel.xml", "-Plist.xml"}, {{"ZYMORAX_SYSLOG", "/no/such/folder/sys.log"}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.out, "Cannot open sysLog file!!");
}

TEST_F(RxnconvStartupTest, CommandLineFailuresAreLoggedWithTheStep) {
    RxnconvRun run = rx.run({"-Cmodel.xml", "-Plist.xml", "-x"});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, "initialize: invarid argument !!\ninitialization failed.\n");

    run = rx.run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae"});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log,
              "initialize: The conversion method is not specified to both Gene-Protein and Metabolic layer.\n"
              "initialization failed.\n");

    run = rx.run({"-Nmissing.xml", "-Uu.txt", "-Dd.dae", "-gCMA"});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, "initialize: xmlfile[missing.xml] open err!!\ninitialization failed.\n");
    EXPECT_EQ(read_file(rx.file("u.txt")), "");
    EXPECT_EQ(read_file(rx.file("d.dae")), "");
}

TEST_F(RxnconvStartupTest, AnInstallationWithoutTheReaderClassesFailsTheLoad) {
    TempDir emptyHome;
    std::filesystem::create_directories(emptyHome.path() + "/Tools/classes");
    RxnconvRun run = rx.run({"-Cmodel.xml", "-Plist.xml"}, {{"TELUV_HOME", emptyHome.path()}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, "Can't find JModelPack class\nParseXML failed.\nconvertphp failed.\n");

    run = rx.run({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-mGMA"}, {{"TELUV_HOME", emptyHome.path()}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, "Can't find JModelPack class\nParseXML failed.\nparseNCE failed.\n");
}

TEST_F(RxnconvStartupTest, AnInstallationWithoutTheParserFindsNoInputXml) {
    TempDir partialHome;
    std::string classes = partialHome.path() + "/Tools/classes/jp/co/vorn/quendra";
    std::filesystem::create_directories(classes);
    std::string built = build_dir() + "/Tools/classes/jp/co/vorn/quendra/";
    for (const char* name : {"JModelPack.class", "JModel.class", "JListOfCompartments.class", "JListOfSpecies.class"}) {
        std::filesystem::copy_file(built + name, classes + "/" + name);
    }
    RxnconvRun run = rx.run({"-Cmodel.xml", "-Plist.xml"}, {{"TELUV_HOME", partialHome.path()}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.log, "Can't find InputXML class\nParseXML failed.\nconvertphp failed.\n");
}

TEST(RxnconvListingTest, EveryLibsbmlSpecificationSampleLoadsAndLists) {
    const std::string samples = "/usr/share/doc/libsbml5-examples/examples/sample-models/from-spec";
    ASSERT_TRUE(std::filesystem::exists(samples)) << "run scripts/bootstrap.sh (libsbml5-examples)";
    RxnconvRunner rx;
    int listed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(samples)) {
        if (entry.path().extension() != ".xml") continue;
        RxnconvRun run = rx.run({"-C" + entry.path().string(), "-Plist.xml"});
        EXPECT_EQ(run.status, 0) << entry.path() << "\n" << run.log;
        EXPECT_EQ(run.log, "") << entry.path();
        std::string listing = read_file(rx.file("list.xml"));
        EXPECT_EQ(listing.rfind("<chemical_eqs>\n", 0), 0u) << entry.path();
        RunResult lint = run_program("/usr/bin/xmllint", {"--noout", rx.file("list.xml")}, rx.dir().path());
        EXPECT_EQ(lint.status, 0) << entry.path() << "\n" << lint.err;
        ++listed;
    }
    EXPECT_GE(listed, 29);
}
