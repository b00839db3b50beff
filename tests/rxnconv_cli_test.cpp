// rxnconv's start-up as a user meets it: environment, JVM, logs, switches and the model reader.
// Each failure ends with its exit status and its message on the console or in the system log
// (which exists only when something was logged); a listing is created only once the start-up
// has passed.
#include <gtest/gtest.h>

#include <filesystem>

#include "workspace.h"

using namespace zymorax::testkit;

namespace {

void expect_failure(const std::vector<std::string>& args, const Environment& env, int status,
                    const std::string& out, const std::string& log, bool listed = false) {
    SCOPED_TRACE(out + log);
    Workspace ws;
    ws.put("model.xml", "<sbml/>\n");
    ProgramRun run = ws.rxnconv(args, env);
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(run.out, out);
    EXPECT_EQ(run.log, log);
    EXPECT_EQ(file_exists(ws.log_file()), !log.empty());
    EXPECT_EQ(ws.has("list.xml"), listed);
}

const std::vector<std::string> kListing = {"-Cmodel.xml", "-Plist.xml"};
const std::string kInitFailed = "initialization failed.\n";

}  // namespace

TEST(RxnconvStartup, EnvironmentJvmAndLogFailures) {
    expect_failure(kListing, {{"TELUV_HOME", kUnset}}, 255, "Not found TELUV_HOME\n", "");
    expect_failure(kListing, {{"XERCES_HOME", kUnset}}, 255, "Not found XERCES_HOME\n", "");
    expect_failure(kListing, {{"JAVA_TOOL_OPTIONS", "-XX:+NoSuchOption"}}, 255, "",
                   "Can't create Java VM [-6]\n");
    expect_failure(kListing, {{"ZYMORAX_DBGLOG", "/no/such/folder/dbg.log"}}, 254,
                   "Cannot open dbgLog file!!", "");
    expect_failure(kListing, {{"ZYMORAX_SYSLOG", "/no/such/folder/sys.log"}}, 255,
                   "Cannot open sysLog file!!", "");
}

TEST(RxnconvStartup, CommandLineFailuresAreLoggedWithTheStep) {
    expect_failure({"-Cmodel.xml", "-Plist.xml", "-x"}, {}, 255, "",
                   "initialize: invarid argument !!\n" + kInitFailed);
    expect_failure({"-Nmodel.xml", "-Uu.txt", "-Dd.dae"}, {}, 255, "",
                   "initialize: The conversion method is not specified to both Gene-Protein and "
                   "Metabolic layer.\n" +
                       kInitFailed);
}

// An installation without the reader classes, and one with them but without the parser.
TEST(RxnconvStartup, AnIncompleteInstallationFailsTheLoad) {
    TempDir emptyHome, partialHome;
    std::filesystem::create_directories(emptyHome.path() + "/Tools/classes");
    const std::string classes = partialHome.path() + "/Tools/classes/jp/co/vorn/quendra";
    std::filesystem::create_directories(classes);
    for (const char* name : {"JModelPack.class", "JModel.class", "JListOfCompartments.class",
                             "JListOfSpecies.class"}) {
        std::filesystem::copy_file(build_dir() + "/Tools/classes/jp/co/vorn/quendra/" + name,
                                   classes + "/" + name);
    }
    expect_failure(kListing, {{"TELUV_HOME", emptyHome.path()}}, 255, "",
                   "Can't find JModelPack class\nParseXML failed.\nconvertphp failed.\n", true);
    expect_failure({"-Nmodel.xml", "-Uu.txt", "-Dd.dae", "-mGMA"},
                   {{"TELUV_HOME", emptyHome.path()}}, 255, "",
                   "Can't find JModelPack class\nParseXML failed.\nparseNCE failed.\n");
    expect_failure(kListing, {{"TELUV_HOME", partialHome.path()}}, 255, "",
                   "Can't find InputXML class\nParseXML failed.\nconvertphp failed.\n", true);
}
