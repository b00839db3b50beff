// A modeller's round trip: tune the parameter file of a model, regenerate the model, carry the
// tuned values into the new file with valfuse, export it with valscribe.
//
// The parameter files under testdata/ have the layout symcode generates, written by hand
// character for character (see testdata/README.md), so that this test runs without the compiler.
#include <gtest/gtest.h>

#include "test_support.h"

namespace {

using namespace zymorax::testkit;

std::string testdata(const std::string& name) {
    return read_file(source_dir() + "/tests/testdata/" + name);
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

TEST(ParamRoundTrip, TunedValuesReachTheMatlabScriptsOfTheRegeneratedModel) {
    TempDir dir;
    write_file(dir.file("binding_old.txt"), tuned_first_generation());
    write_file(dir.file("binding_param.txt"), testdata("binding_v2_param.txt"));
    TempDir log_dir;
    RunResult merge =
        run_program(program_path("valfuse"), {"-Ibinding_param.txt", "-Rbinding_old.txt"},
                    dir.path(), {{"ZYMORAX_SYSLOG", log_dir.file("sys.log")}});
    ASSERT_EQ(merge.status, 0) << read_file(log_dir.file("sys.log"));
    EXPECT_EQ(read_file(log_dir.file("sys.log")), "");
    std::string merged = read_file(dir.file("binding_param.txt"));
    ASSERT_EQ(merged, testdata("binding_v2_merged_param.txt"));

    // The modeller adds an event to the merged file before exporting it.
    edit(merged, "#T_EVENT ; name; index; time; value; #comment\n",
         "#T_EVENT ; name; index; time; value; #comment\nT_EVENT ; dose; 2; 50; 2.0; # add B\n");
    write_file(dir.file("binding_param.txt"), merged);
    ASSERT_EQ(run_program(program_path("valscribe"), {"-Ibinding_param.txt"}, dir.path()).status,
              0);
    EXPECT_EQ(read_file(dir.file("ZYMORAX_Merge_init.m")),
              "function [Y_START] = ZYMORAX_Merge_init()\n"
              "\tY_START(1).value = 2.5000e+000; % A.cyt\n"
              "\tY_START(1).tag = 'A.cyt';\n"
              "\tY_START(2).value = 5.0000e-001; % B.cyt\n"
              "\tY_START(2).tag = 'B.cyt';\n"
              "\tY_START(3).value = 3.0000e+000; % C.cyt\n"
              "\tY_START(3).tag = 'C.cyt';\n"
              "\tY_START(4).value = 1.0000e-003; % AB.cyt\n"
              "\tY_START(4).tag = 'AB.cyt';\n"
              "end\n");
    EXPECT_EQ(read_file(dir.file("ZYMORAX_Merge_param.m")),
              "function [param, event] = ZYMORAX_Merge_param()\n"
              "\tparam.constantPlayer(1).value = 4;\n"
              "\tparam.constantPlayer(1).num_survey = 0;\n"
              "\tparam.constantPlayer(1).d_r_s = 'D';\n"
              "\tparam.constantPlayer(1).tag = 'E.cyt';\n"
              "\tparam.ka(1).value = 0.0025;\n"
              "\tparam.ka(1).num_survey = 0;\n"
              "\tparam.ka(1).d_r_s = 'D';\n"
              "\tparam.ka(1).tag = 'binding_association_rate_constantA.cyt_B.cyt';\n"
              "\tparam.kd(1).value = 0.1;\n"
              "\tparam.kd(1).num_survey = 0;\n"
              "\tparam.kd(1).d_r_s = 'D';\n"
              "\tparam.kd(1).tag = 'dissociation_rate_constantAB.cyt';\n"
              "\tparam.kpd(1).value = 1e-005;\n"
              "\tparam.kpd(1).num_survey = 0;\n"
              "\tparam.kpd(1).d_r_s = 'D';\n"
              "\tparam.kpd(1).tag = 'decomposition_rate_constantA.cyt';\n"
              "\tparam.kpd(2).value = 1;\n"
              "\tparam.kpd(2).num_survey = 0;\n"
              "\tparam.kpd(2).d_r_s = 'D';\n"
              "\tparam.kpd(2).tag = 'decomposition_rate_constantB.cyt';\n"
              "\tparam.kpd(3).value = ;\n"
              "\tparam.kpd(3).num_survey = 0;\n"
              "\tparam.kpd(3).d_r_s = 'D';\n"
              "\tparam.kpd(3).tag = 'decomposition_rate_constantC.cyt';\n"
              "\tevent(1).name = 'dose';\n"
              "\tevent(1).index = 2;\n"
              "\tevent(1).value = 2.0;\n"
              "\tevent(1).time = 50;\n"
              "end\n");
}

TEST(ParamRoundTrip, BlanksOnlyKeepsTheRegeneratedValues) {
    TempDir dir;
    write_file(dir.file("binding_old.txt"), tuned_first_generation());
    write_file(dir.file("binding_param.txt"), testdata("binding_v2_param.txt"));
    TempDir log_dir;
    ASSERT_EQ(
        run_program(program_path("valfuse"), {"-B", "-Ibinding_param.txt", "-Rbinding_old.txt"},
                    dir.path(), {{"ZYMORAX_SYSLOG", log_dir.file("sys.log")}})
            .status,
        0);
    // Only the blank fields took values: A.cyt and the constant E.cyt keep the new model's.
    std::string expected = testdata("binding_v2_merged_param.txt");
    edit(expected, "Y_START ;   1; 2.5000e+000;  A.cyt", "Y_START ;   1; 1.0000e+000;  A.cyt");
    edit(expected, ";   1;           4;;0;D;;;; E.cyt", ";   1;           2;;0;D;;;; E.cyt");
    EXPECT_EQ(read_file(dir.file("binding_param.txt")), expected);
}

}  // namespace
