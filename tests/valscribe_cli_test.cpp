// valscribe as a user runs it: a parameter file in, two MATLAB scripts in the working folder,
// nothing on the console, the exit status as the only report.
#include <gtest/gtest.h>

#include <filesystem>

#include "workspace.h"

namespace {

using namespace zymorax::testkit;

const char* const kInit = "ZYMORAX_Merge_init.m";
const char* const kParam = "ZYMORAX_Merge_param.m";
const std::string kEmptyInit = "function [Y_START] = ZYMORAX_Merge_init()\nend\n";
const std::string kEmptyParam =
    "function [param, event] = ZYMORAX_Merge_param()\n\tevent=-1;\nend\n";

// The parameter script of one PARAM row k[1] = 2 with its tag and no event.
std::string oneParameterScript(const std::string& tag) {
    return "function [param, event] = ZYMORAX_Merge_param()\n"
           "\tparam.k(1).value = 2;\n"
           "\tparam.k(1).num_survey = 0;\n"
           "\tparam.k(1).d_r_s = 'D';\n"
           "\tparam.k(1).tag = '" +
           tag + "';\n\tevent=-1;\nend\n";
}

class ValscribeRun : public ::testing::Test {
  protected:
    ProgramRun run(const std::vector<std::string>& args) {
        ProgramRun result = ws.run("valscribe", args);
        EXPECT_EQ(result.out + result.err + result.log, "");
        return result;
    }

    Workspace ws;
};

TEST_F(ValscribeRun, ExportsInitialValuesParametersAndEventsInFileOrder) {
    ws.put(
        "merged.txt",
        "##### Model ################\r\n"
        "# TITLE:binding\r\n"
        "N_VAR   ;   2; # num of variables(all)\r\n"
        "\r\n"
        "#Y_START ; index; initial_value; tag #comment\r\n"
        "Y_START ;   1; 2.5000e+000;  A.cyt\t#\r\n"
        "#Y_START ;   7; 1.0;  X\t#\r\n"
        "Y_START ;   2;            ;  B.cyt\t# no value yet\r\n"
        "#PARAM;name;index;val;val_start;num_survey;D/R/S;change-val;GA_min;GA_max;tag #comment\r\n"
        "PARAM   ;ka            ;   1;      0.0025; 0.001;3;R;2;0;1; tagKa\t#\r\n"
        "T_EVENT ; TIME_START; 0; 0; 0; #\r\n"
        "PARAM   ;ka            ;   2;           1;;0;D;;;; tagKa2\t# Not Used!!\r\n"
        "#T_EVENT ; name; index; time; value; #comment\r\n"
        "T_EVENT ; dose ; 2 ; 50 ; 2.0 ; # add B\r\n"
        "PARAM_NAME ;ka              #\r\n");
    EXPECT_EQ(run({"-Imerged.txt"}).status, 0);
    EXPECT_EQ(ws.read(kInit),
              "function [Y_START] = ZYMORAX_Merge_init()\n"
              "\tY_START(1).value = 2.5000e+000; % A.cyt\n"
              "\tY_START(1).tag = 'A.cyt';\n"
              "\tY_START(2).value = []; % B.cyt\n"
              "\tY_START(2).tag = 'B.cyt';\n"
              "end\n");
    EXPECT_EQ(ws.read(kParam),
              "function [param, event] = ZYMORAX_Merge_param()\n"
              "\tparam.ka(1).value = 0.0025;\n"
              "\tparam.ka(1).val_start = 0.001;\n"
              "\tparam.ka(1).num_survey = 3;\n"
              "\tparam.ka(1).d_r_s = 'R';\n"
              "\tparam.ka(1).tag = 'tagKa';\n"
              "\tevent(1).name = 'TIME_START';\n"
              "\tevent(1).index = 0;\n"
              "\tevent(1).value = 0;\n"
              "\tevent(1).time = 0;\n"
              "\tparam.ka(2).value = 1;\n"
              "\tparam.ka(2).num_survey = 0;\n"
              "\tparam.ka(2).d_r_s = 'D';\n"
              "\tparam.ka(2).tag = 'tagKa2';\n"
              "\tevent(2).name = 'dose';\n"
              "\tevent(2).index = 2;\n"
              "\tevent(2).value = 2.0;\n"
              "\tevent(2).time = 50;\n"
              "end\n");
}

TEST_F(ValscribeRun, WithoutAnInputPathNothingIsWritten) {
    EXPECT_EQ(run({}).status, 255);
    EXPECT_EQ(run({"in.txt", "-X"}).status, 255);
    EXPECT_EQ(run({"-Iin.txt", "-I"}).status, 255);  // the last -I wins
    EXPECT_FALSE(ws.has(kInit));
    EXPECT_FALSE(ws.has(kParam));
}

TEST_F(ValscribeRun, AnInputThatCannotBeOpenedStillGivesBothEmptyScripts) {
    ws.put(kInit, "old content\n");
    EXPECT_EQ(run({"-Imissing.txt"}).status, 255);
    EXPECT_EQ(ws.read(kInit), kEmptyInit);
    EXPECT_EQ(ws.read(kParam), kEmptyParam);
}

TEST_F(ValscribeRun, AMalformedRowEndsTheReadButWhatCameBeforeIsExported) {
    ws.put("bad.txt",
           "Y_START ;   1; 1.0;  A\t#\n"
           "PARAM;k;1;2;;0;D;;;;t1\t#\n"
           "T_EVENT;e;1;2;3\n"  // five fields
           "Y_START ;   2; 2.0;  B\t#\n");
    EXPECT_EQ(run({"-Iother.txt", "-Ibad.txt"}).status, 255);
    EXPECT_EQ(ws.read(kInit),
              "function [Y_START] = ZYMORAX_Merge_init()\n"
              "\tY_START(1).value = 1.0; % A\n"
              "\tY_START(1).tag = 'A';\n"
              "end\n");
    EXPECT_EQ(ws.read(kParam), oneParameterScript("t1"));

    // A PARAM row that ends with ';' at the end of the file has only ten fields.
    ws.put("cut.txt", "PARAM   ;k             ;   1;           1;;0;D;;;");
    EXPECT_EQ(run({"-Icut.txt"}).status, 255);
    EXPECT_EQ(ws.read(kParam), kEmptyParam);
}

TEST_F(ValscribeRun, The1024thEntryIsExportedButTheRunFails) {
    std::string input;
    for (int i = 1; i <= 1023; ++i) input += "# filler\n";
    input += "Y_START;1;9;last\t#\nY_START;2;9;never\t#\n";
    ws.put("long.txt", input);
    EXPECT_EQ(run({"-Ilong.txt"}).status, 255);
    EXPECT_EQ(ws.read(kInit),
              "function [Y_START] = ZYMORAX_Merge_init()\n"
              "\tY_START(1).value = 9; % last\n"
              "\tY_START(1).tag = 'last';\n"
              "end\n");
}

TEST_F(ValscribeRun, AnInitScriptThatCannotBeCreatedStillLeavesTheParamScript) {
    std::filesystem::create_directory(ws.file(kInit));
    ws.put("p.txt", "PARAM;k;1;2;;0;D;;;;t\t#\n");
    EXPECT_EQ(run({"-Ip.txt"}).status, 255);
    EXPECT_EQ(ws.read(kParam), oneParameterScript("t"));
}

TEST_F(ValscribeRun, AnEmptyFileGivesTheEmptyScripts) {
    ws.put("empty.txt", "");
    EXPECT_EQ(run({"-Iempty.txt"}).status, 0);
    EXPECT_EQ(ws.read(kInit), kEmptyInit);
    EXPECT_EQ(ws.read(kParam), kEmptyParam);
}

}  // namespace
