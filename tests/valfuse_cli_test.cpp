// valfuse as a user runs it: files in a working folder, the system log in a file, exit status.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <iterator>

#include "workspace.h"

namespace {

using namespace zymorax::testkit;

class ValfuseRun : public ::testing::Test {
  protected:
    ProgramRun run(const std::vector<std::string>& args) { return ws.run("valfuse", args); }
    // Runs valfuse with file writes limited to `bytes` (the shell's ulimit counts 512-byte
    // blocks); the size signal is ignored so that a write past the limit fails instead.
    ProgramRun run_with_file_size_limit(size_t bytes, const std::vector<std::string>& args) {
        std::vector<std::string> shellArgs{
            "-c", "trap '' XFSZ; ulimit -f " + std::to_string(bytes / 512) + "; exec \"$0\" \"$@\"",
            program_path("valfuse")};
        shellArgs.insert(shellArgs.end(), args.begin(), args.end());
        return ws.run("/bin/sh", shellArgs);
    }
    size_t entries() {
        auto all = std::filesystem::directory_iterator(ws.path());
        return std::distance(begin(all), end(all));
    }

    Workspace ws;
};

const std::string kReference =
    "# tuned by hand\n"
    "Y_START ;   1;   2.5;  A.cyt\t# raised\n"
    "Y_START ;   2; 1.0e-3;  B.cyt\t#\r\n"
    "PARAM   ;ka            ;   1;2.5e-3;0.001;3;R;;;; tagKa\t#\n"
    "PARAM;kd;1; 0.5 ;;0;D;;;;tagKd\n"
    "PARAM;kx;1;7;;0;D;;;; C.cyt\t#\n"    // same tag as a Y_START row of the target
    "PARAM;kold;1;9;;0;D;;;; gone\t#\n";  // matches nothing

TEST_F(ValfuseRun, CarriesValuesByTypeAndTagAndKeepsEveryOtherByte) {
    ws.put("ref.txt", kReference);
    const std::string target =
        "##### Model ################\n"
        "N_VAR   ;   3; # num of variables(all)\n"
        "\n"
        "#Y_START ; index; initial_value; tag #comment\n"
        "#Y_START ;   9; 1.0;  A.cyt\t#\n"
        "Y_START ;   1; 1.0000e+000;  A.cyt\t#\r\n"
        "  Y_START\t;   2;            ;  B.cyt\t# keep me\n"
        "Y_START ;   3; 3.0000e+000;  C.cyt\t#\n"
        "PARAM   ;ka            ;   1;            ;;0;D;;;; tagKa\t#\n"
        "PARAM ;kd;  1;   1;x;1;S;c;0;9; tagKd\t# Not Used!!\n"
        "PARAM_NAME ;ka              #\n"
        "T_EVENT ; e; 1; 10; 2; #";
    ws.put("new.txt", target);
    ProgramRun result = run({"-Inew.txt", "-Rref.txt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ws.read("new.txt"),
              "##### Model ################\n"
              "N_VAR   ;   3; # num of variables(all)\n"
              "\n"
              "#Y_START ; index; initial_value; tag #comment\n"
              "#Y_START ;   9; 1.0;  A.cyt\t#\n"
              "Y_START ;   1; 2.5000e+000;  A.cyt\t#\r\n"
              "  Y_START\t;   2; 1.0000e-003;  B.cyt\t# keep me\n"
              "Y_START ;   3; 3.0000e+000;  C.cyt\t#\n"
              "PARAM   ;ka            ;   1;      0.0025;;0;D;;;; tagKa\t#\n"
              "PARAM ;kd;  1;         0.5;x;1;S;c;0;9; tagKd\t# Not Used!!\n"
              "PARAM_NAME ;ka              #\n"
              "T_EVENT ; e; 1; 10; 2; #");
    EXPECT_EQ(result.log, "");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ws.read("ref.txt"), kReference);
    EXPECT_EQ(entries(), 2u);  // no temporary file left behind
}

TEST_F(ValfuseRun, BlanksOnlyFillsOnlyEmptyValueFields) {
    ws.put("ref.txt", kReference);
    ws.put("new.txt",
           "Y_START ;   1; 1.0000e+000;  A.cyt\t#\n"
           "Y_START ;   2;            ;  B.cyt\t#\n"
           "PARAM   ;ka            ;   1;;;0;D;;;; tagKa\t#\n"
           "PARAM   ;kd            ;   1;   1;;0;D;;;; tagKd\t#\n");
    EXPECT_EQ(run({"-Inew.txt", "-B", "-Rref.txt"}).status, 0);
    EXPECT_EQ(ws.read("new.txt"),
              "Y_START ;   1; 1.0000e+000;  A.cyt\t#\n"
              "Y_START ;   2; 1.0000e-003;  B.cyt\t#\n"
              "PARAM   ;ka            ;   1;      0.0025;;0;D;;;; tagKa\t#\n"
              "PARAM   ;kd            ;   1;   1;;0;D;;;; tagKd\t#\n");
}

TEST_F(ValfuseRun, AReferenceValueThatIsNotANumberLeavesTheRowAndIsLogged) {
    ws.put("ref.txt", "Y_START ;   1; 1,5;  A.cyt\t#\nPARAM;k;1;   ;;0;D;;;; t\t#\n");
    const std::string target =
        "Y_START ;   1; 1.0000e+000;  A.cyt\t#\nPARAM;k;1;   4;;0;D;;;; t\t#\n";
    ws.put("new.txt", target);
    ProgramRun result = run({"-Inew.txt", "-Rref.txt"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(ws.read("new.txt"), target);
    EXPECT_EQ(result.log,
              "Reference value \"1,5\" is not a number; Y_START A.cyt left unchanged.\n"
              "Reference value \"\" is not a number; PARAM t left unchanged.\n");
}

TEST_F(ValfuseRun, DuplicateTagsInEitherFileStopBeforeAnythingIsWritten) {
    const std::string target = "Y_START ;   1; 1.0000e+000;  A.cyt\t#\n";
    ws.put("new.txt", target);
    ws.put("ref.txt",
           "Y_START ;   1; 2;  A.cyt\t#\r\n# between\nPARAM;k;1;3;;0;D;;;;A.cyt\t# same tag\n");
    ProgramRun result = run({"-Inew.txt", "-Rref.txt"});
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.log,
              "tag dupplication:\n\tY_START ;   1; 2;  A.cyt\t#\n\tPARAM;k;1;3;;0;D;;;;A.cyt\t# "
              "same tag\n"
              "Error !! : tag duplication.\n");
    EXPECT_EQ(ws.read("new.txt"), target);

    const std::string twice = "PARAM;k;1;;;0;D;;;; t\t#\nPARAM;k;2;;;0;D;;;; t\t#\n";
    ws.put("new.txt", twice);
    ws.put("ref.txt", "PARAM;k;1;5;;0;D;;;; t\t#\n");
    result = run({"-Inew.txt", "-Rref.txt"});
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(ws.read("new.txt"), twice);
}

std::string comment_lines(size_t count) {
    std::string text;
    for (size_t i = 0; i < count; ++i) text += "# line\n";
    return text;
}

TEST_F(ValfuseRun, AFileMayHold1023LinesButNot1024) {
    ws.put("ref.txt", "Y_START;1;5;A\t#\n");
    ws.put("new.txt", comment_lines(1022) + "Y_START;1;;A\t#\n");
    EXPECT_EQ(run({"-Inew.txt", "-Rref.txt"}).status, 0);
    EXPECT_EQ(ws.read("new.txt"), comment_lines(1022) + "Y_START;1; 5.0000e+000;A\t#\n");

    const std::string too_long = comment_lines(1023) + "Y_START;1;;A\t#\n";
    ws.put("new.txt", too_long);
    ProgramRun result = run({"-Inew.txt", "-Rref.txt"});
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.log, "Too many parameters.\nCan't import files !!\n");
    EXPECT_EQ(ws.read("new.txt"), too_long);
}

TEST_F(ValfuseRun, MalformedRowsMissingFilesAndBadArgumentsStopBeforeAnythingIsWritten) {
    const std::string target = "PARAM   ;k             ;   1;           1;;0;D;;;\n";  // 10 fields
    ws.put("new.txt", target);
    ws.put("ref.txt", "");
    const std::string longPath(300, 'x');
    const struct {
        std::vector<std::string> args;
        std::string log;
    } cases[] = {
        {{"-Inew.txt", "-Rref.txt"},
         "Too few separators in line:\n\tPARAM   ;k             ;   1;           1;;0;D;;;\n"
         "Can't import files !!\n"},
        {{"-Inew.txt", "-Rmissing.txt"},
         "Can't open missing.txt for reading.\nCan't import files !!\n"},
        {{"-Inew.txt"}, "Too few arguments !!\n"},
        {{"-Inew.txt", "-Rnew.txt", "-dlog"}, "Invalid argument !!\n"},
        {{"-I" + longPath, "-Rnew.txt"},
         "Too long path (259 characters at most):\n\t" + longPath + "\nInvalid argument !!\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.log);
        ProgramRun result = run(c.args);
        EXPECT_EQ(result.status, 255);
        EXPECT_EQ(result.log, c.log);
        EXPECT_EQ(ws.read("new.txt"), target);
        EXPECT_EQ(ws.read("ref.txt"), "");
    }
}

TEST_F(ValfuseRun, ASystemLogThatCannotBeOpenedIsReportedOnTheConsole) {
    ws.put("new.txt", "Y_START;1;;A\t#\n");
    ws.put("ref.txt", "Y_START;1;5;A\t#\n");
    ProgramRun result = ws.run("valfuse", {"-Inew.txt", "-Rref.txt"},
                               {{"ZYMORAX_SYSLOG", ws.file("no/such/folder/sys.log")}});
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.out, "Can't open sysLog file!!\n");
    EXPECT_EQ(ws.read("new.txt"), "Y_START;1;;A\t#\n");
}

TEST_F(ValfuseRun, AFailedWriteLeavesTheOldTargetIntact) {
    std::string target;
    for (int i = 1; i <= 200; ++i)
        target += "Y_START ;" + std::to_string(i) + ";   ;  v" + std::to_string(i) + "\t#\n";
    ASSERT_GT(target.size(), 2048u);
    ws.put("new.txt", target);
    ASSERT_EQ(chmod(ws.file("new.txt").c_str(), 0604), 0);
    ws.put("ref.txt", "Y_START;1;5;v1\t#\n");
    ProgramRun result = run_with_file_size_limit(1024, {"-Inew.txt", "-Rref.txt"});
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.log, "Can't write new.txt (File too large)\nCan't export parameters !!\n");
    EXPECT_EQ(ws.read("new.txt"), target);
    struct stat status;
    ASSERT_EQ(stat(ws.file("new.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
    EXPECT_EQ(entries(), 2u);  // the partly written temporary file is gone

    // The same run without the limit succeeds, with the permissions kept.
    EXPECT_EQ(run({"-Inew.txt", "-Rref.txt"}).status, 0);
    EXPECT_EQ(ws.read("new.txt").substr(0, 33), "Y_START ;1; 5.0000e+000;  v1\t#\nY_");
    ASSERT_EQ(stat(ws.file("new.txt").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0604u);
}

}  // namespace
