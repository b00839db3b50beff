// A modeller's round trip: tune the parameter file of a model, regenerate the model, carry the
// tuned values into the new file with valfuse, export it with valscribe.
//
// The parameter files under testdata/ have the layout symcode generates, written by hand
// character for character (see testdata/README.md), so that this test runs without the compiler.
#include <gtest/gtest.h>

#include "workspace.h"

namespace {

using namespace zymorax::testkit;

std::string testdata(const std::string& name) {
    return read_source("tests/testdata/" + name);
}

// Replaces the one occurrence of `from` in `text`.
void edit(std::string& text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    ASSERT_EQ(text.find(from, at + 1), std::string::npos) << from;
    text.replace(at, from.size(), to);
}

// The first generation as the modeller left it after tuning.
std::string tuned_first_generation() {
    std::string tuned = testdata("binding_v1_param.txt");
    edit(tuned, "Y_START ;   1; 1.0000e+000;  A.cyt\t#\n",
         "Y_START ;   1; 2.5;  A.cyt\t# measured\n");
    edit(tuned, "Y_START ;   3;            ;  AB.cyt\t#\n", "Y_START ;   3; 1.0e-3;  AB.cyt\t#\n");
    edit(tuned, ";   1;           2;;0;D;;;; E.cyt", ";   1; 4;;0;D;;;; E.cyt");
    edit(tuned, "ka            ;   1;            ;;0;D;",
         "ka            ;   1; 2.5e-3 ;0.001;3;R;");
    edit(tuned, "kd            ;   1;            ;", "kd            ;   1;0.1;");
    edit(tuned, "kpd           ;   1;            ;", "kpd           ;   1;   1e-05;");
    edit(tuned, "#T_EVENT ; name; index; time; value; #comment\n",
         "#T_EVENT ; name; index; time; value; #comment\nT_EVENT ; old; 1; 5; 1; #\n");
    return tuned;
}

// The regenerated model's parameter file merged with the tuned first generation as reference.
void merge(const Workspace& ws, const std::vector<std::string>& options) {
    ws.put("binding_old.txt", tuned_first_generation());
    ws.put("binding_param.txt", testdata("binding_v2_param.txt"));
    std::vector<std::string> args = options;
    args.insert(args.end(), {"-Ibinding_param.txt", "-Rbinding_old.txt"});
    ProgramRun run = ws.run("valfuse", args);
    ASSERT_EQ(run.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
}

TEST(ParamRoundTrip, TunedValuesReachTheMatlabScriptsOfTheRegeneratedModel) {
    Workspace ws;
    ASSERT_NO_FATAL_FAILURE(merge(ws, {}));
    std::string merged = ws.read("binding_param.txt");
    ASSERT_EQ(merged, testdata("binding_v2_merged_param.txt"));

    // The modeller adds an event to the merged file before exporting it.
    edit(merged, "#T_EVENT ; name; index; time; value; #comment\n",
         "#T_EVENT ; name; index; time; value; #comment\nT_EVENT ; dose; 2; 50; 2.0; # add B\n");
    ws.put("binding_param.txt", merged);
    ASSERT_EQ(ws.run("valscribe", {"-Ibinding_param.txt"}).status, 0);
    EXPECT_EQ(ws.read("ZYMORAX_Merge_init.m"), testdata("binding_v2_Merge_init.m"));
    EXPECT_EQ(ws.read("ZYMORAX_Merge_param.m"), testdata("binding_v2_Merge_param.m"));
}

TEST(ParamRoundTrip, BlanksOnlyKeepsTheRegeneratedValues) {
    Workspace ws;
    ASSERT_NO_FATAL_FAILURE(merge(ws, {"-B"}));
    // Only the blank fields took values: A.cyt and the constant E.cyt keep the new model's.
    std::string expected = testdata("binding_v2_merged_param.txt");
    edit(expected, "Y_START ;   1; 2.5000e+000;  A.cyt", "Y_START ;   1; 1.0000e+000;  A.cyt");
    edit(expected, ";   1;           4;;0;D;;;; E.cyt", ";   1;           2;;0;D;;;; E.cyt");
    EXPECT_EQ(ws.read("binding_param.txt"), expected);
}

}  // namespace
