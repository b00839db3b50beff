#include <gtest/gtest.h>

#include "code_writers.h"
#include "symcode_test_support.h"

namespace {

using symcode_test::WorkDir;
using zymorax::testkit::LogCapture;

ParamLabel label(const std::string& name, std::vector<ParamElement> elements) {
    ParamLabel row;
    row.label = name;
    row.elementCount = static_cast<int>(elements.size());
    row.elements = std::move(elements);
    for (const ParamElement& element : row.elements) row.used |= element.used;
    return row;
}

// Two variables, one algebraic; labels: constantPlayer (unused), k (element 1 unused), K.
DaeModel sample_model() {
    DaeModel model;
    model.algebraicCount = 1;
    model.differentialCount = 1;
    model.variables = {{2, "A", -1}, {1, "X", 0}};                // number, name, initial value
    model.paramLabels = {label("constantPlayer", {{"C", 3, 0}}),  // tag, value, used
                         label("k", {{"one", 7, 0}, {"tagA", 2.5e-3, 1}}),
                         label("K", {{"none", NO_VALUE, 1}, {"tiny", 1e-5, 1}})};
    return model;
}

TEST(ParamFile, WritesCountsInitialValuesElementsAndLabelOrder) {
    WorkDir dir;
    dir.write("head.tmp", "TITLE:t\n");
    CompileOptions options;
    options.parameterFile = "param.txt";
    ASSERT_EQ(Write_paramFile(sample_model(), options), 0);
    EXPECT_EQ(dir.read("param.txt"),
              "##### Model ################\n"
              "# TITLE:t\n"
              "N_VAR   ;   2; # num of variables(all)\n"
              "N_ALGEBR;   1; # num of variables(Algebraic Eq)\n"
              "\n#Y_START ; index; initial_value; tag #comment\n"
              "Y_START ;   2;            ;  A\t#\n"
              "Y_START ;   1; 0.0000e+000;  X\t#\n"
              "\n#PARAM;name;index;val;val_start;num_survey;D/R/S;change-val;GA_min;GA_max;tag "
              "#comment\n"
              "PARAM   ;k             ;   1;           1;;0;D;;;; one\t# Not Used!!\n"
              "PARAM   ;k             ;   2;      0.0025;;0;D;;;; tagA\t#\n"
              "PARAM   ;K             ;   1;            ;;0;D;;;; none\t#\n"
              "PARAM   ;K             ;   2;      1e-005;;0;D;;;; tiny\t#\n"
              "\n#T_EVENT ; name; index; time; value; #comment\n\n"
              "\n######## Don't edit the following lines. ######\n"
              "PARAM_NAME ;k               #\n"
              "PARAM_NAME ;K               #\n");
}

TEST(ParamFile, ModelWithoutParameters) {
    WorkDir dir;
    dir.write("head.tmp", "");
    DaeModel model;
    model.differentialCount = 1;
    model.variables = {{1, "A", 1.5}};
    model.paramLabels = {label("constantPlayer", {})};
    CompileOptions options;
    options.parameterFile = "param.txt";
    ASSERT_EQ(Write_paramFile(model, options), 0);
    EXPECT_EQ(dir.read("param.txt"),
              "##### Model ################\n"
              "N_VAR   ;   1; # num of variables(all)\n"
              "N_ALGEBR;   0; # num of variables(Algebraic Eq)\n"
              "\n#Y_START ; index; initial_value; tag #comment\n"
              "Y_START ;   1; 1.5000e+000;  A\t#\n"
              "\n#PARAM;name;index;val;val_start;num_survey;D/R/S;change-val;GA_min;GA_max;tag "
              "#comment\n"
              "\n#T_EVENT ; name; index; time; value; #comment\n\n"
              "\n######## Don't edit the following lines. ######\n");
}

TEST(ParamFile, FailuresNameTheFile) {
    WorkDir dir;
    LogCapture log;
    CompileOptions options;
    options.parameterFile = "param.txt";
    EXPECT_EQ(Write_paramFile(sample_model(), options), -1);
    EXPECT_EQ(log.take(), "#  Cannot open head.tmp\n## Error in Write_paramFile.\n");
    EXPECT_EQ(dir.read("param.txt"), "##### Model ################\n");

    options.parameterFile = dir.path();
    EXPECT_EQ(Write_paramFile(sample_model(), options), -1);
    EXPECT_EQ(log.take(), "#  Cannot open " + dir.path() + "\n## Error in Write_paramFile.\n");
}

// The layout of both MATLAB files is fixed by the golden files of the end-to-end tests; here
// the numbers of the sample model and its unused label.
TEST(MatlabParamFiles, ValuesWithThreeDigitExponentsAndNoUnusedLabel) {
    WorkDir dir;
    dir.write("head.tmp", "TITLE:t\n");
    CompileOptions options;
    options.parameterFile = "p.m";
    options.initialFile = "i.m";
    ASSERT_EQ(Write_paramFile_MATLAB(sample_model(), options), 0);
    EXPECT_NE(dir.read("i.m").find("% Y_START(   2) is no_value % A\nY_START(   2).tag = 'A';\n"
                                   "Y_START(   1).value =  0.0000e+000; % X\n"),
              std::string::npos);
    std::string param = dir.read("p.m");
    EXPECT_NE(param.find("param.k(   2).value = 0.0025;\n"), std::string::npos);
    EXPECT_NE(param.find("param.K(   2).value = 1e-005;\n"), std::string::npos);
    EXPECT_EQ(param.find("constantPlayer"), std::string::npos);
}

}  // namespace
