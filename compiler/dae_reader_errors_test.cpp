// Every fault of a DAE file ends the reading with the reader's lines, innermost first.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "dae_reader.h"
#include "symcode_test_support.h"

namespace {

using symcode_test::DaeText;
using symcode_test::WorkDir;
using zymorax::testkit::LogCapture;

struct FaultCase {
    const char* name;
    std::function<void(DaeText&)> change;
    std::string log;  // everything logged, "## Error in read_data." included
};

std::string reading_log(const std::string& daeText) {
    WorkDir dir;
    dir.write("model.dae", daeText);
    LogCapture capture;
    DaeModel model;
    EXPECT_EQ(read_data(model, "model.dae"), -1);
    return capture.take();
}

const char* const kSplit = "## Error in split_dae_file. \n## Error in split_DAEfile. \n";
const char* const kData = "## Error in read_data.\n";

std::string param_trailer(const std::string& line) {
    return "#  in line : " + line + "\n## Error in read_param_index.\n## Error in read_param.\n" + kData;
}
std::string var_trailer(const std::string& line) {
    return "#  in line : " + line + "\n## Error in read_var.\n" + kData;
}
std::string joiner_trailer(const std::string& line) {
    return "#  in line : " + line + "\n## Error in fix_equation_line.\n";
}
std::string equation_trailer(const std::string& line) {
    return "#  in line : " + line + "\n## Error in read_equation.\n" + kData;
}
std::string mid_trailer(const std::string& line) {
    return "#  in line : " + line + "\n## Error in read_mid_expression.\n" + kData;
}
const std::string kNoBracket = "#  Lack of '['.\n## Warning!! in divide_variable.\n";

class ReaderFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(ReaderFaults, LogsTheFaultAndEveryStep) {
    DaeText dae;
    GetParam().change(dae);
    EXPECT_EQ(reading_log(dae.text()), GetParam().log);
}

const FaultCase kFaults[] = {
    {"UnknownHead", [](DaeText& d) { d.temporaries = "== Fluxes == # none\n"; },
     std::string("#  Inappropriate line. \n\t== Fluxes == # none\n") + kSplit + kData},
    {"NoVariable", [](DaeText& d) { d.variables = ""; },
     std::string("#  There is no variable. \n## Error in allocate_area. \n") + kData},
    {"NoEquation", [](DaeText& d) { d.algebraic = d.differential = ""; },
     std::string("#  There is no equation. \n## Error in allocate_area. \n") + kData},
    {"LackOfVariables", [](DaeText& d) { d.variables = "y[A.cyt] = 1;\ny[B.cyt] = 1;\n"; },
     std::string("#  Lack of variables. Number of equations : 3, Number of variables : 2\n"
                 "## Error in allocate_area. \n") + kData},
    {"LabelWithValue", [](DaeText& d) { d.usedParameters = "ka = 1;\n"; },
     std::string("#  Inappropriate line.\n#  in line : ka = 1;\n## Error in read_param_base.\n") +
         kData},
    {"EmptyLabel", [](DaeText& d) { d.usedParameters = "ka;\n ;\n"; },
     std::string("#  Lack of label.\n#  in line :  ;\n## Error in read_param_base.\n") + kData},
    {"LabelWithTwoSemicolons", [](DaeText& d) { d.usedParameters = "ka;;\n"; },
     std::string("#  Duplication of ';'.\n## Error in divide_line.\n#  in line : ka;;\n"
                 "## Error in read_param_base.\n") + kData},
    {"ParameterWithoutBrackets", [](DaeText& d) { d.parameters = "ka1 = 3; t\n"; },
     kNoBracket + "#  Inappropriate parameter: 'ka1'.\n" + param_trailer("ka1 = 3; t")},
    {"ParameterWithoutIndex", [](DaeText& d) { d.parameters = "ka[] = 3; t\n"; },
     "#  Lack of index : 'ka[]'.\n" + param_trailer("ka[] = 3; t")},
    {"ParameterIndexZero", [](DaeText& d) { d.parameters = "ka[0] = 3; t\n"; },
     "#  Inappropriate parameter: '0' in 'ka[0]'.\n" + param_trailer("ka[0] = 3; t")},
    {"ParameterIndexTooLarge", [](DaeText& d) { d.parameters = "ka[1000001] = 3; t\n"; },
     "#  Too large index : '1000001' in 'ka[1000001]'. Max : 1000000\n" +
         param_trailer("ka[1000001] = 3; t")},
    {"UnregisteredLabel", [](DaeText& d) { d.parameters = "kq[1] = 3; t\n"; },
     "#  'kq' is not registered as used parameter.\n" + param_trailer("kq[1] = 3; t")},
    {"BadConstantIndex", [](DaeText& d) { d.constants = "constantPlayer[x] = 1; C\n"; },
     "#  Inappropriate parameter: 'x' in 'constantPlayer[x]'.\n" +
         param_trailer("constantPlayer[x] = 1; C")},
    {"ParameterTwoEquals", [](DaeText& d) { d.parameters = "ka[1] = 3; a=b\n"; },
     "#  Duplication of '='.\n## Error in divide_line.\n" + param_trailer("ka[1] = 3; a=b")},
    {"VariableNotY", [](DaeText& d) { d.variables += "z[C] = 1;\n"; },
     "#  'z[C]' is not a variable of differential equations.\n" + var_trailer("z[C] = 1;")},
    {"VariableNotX",
     [](DaeText& d) { d.variables = "= Algebraic Equation =\ny[AB.cyt] = ;\n" + d.variables; },
     "#  'y[AB.cyt]' is not a variable of algebraic equations.\n" + var_trailer("y[AB.cyt] = ;")},
    {"VariableWithoutIndex", [](DaeText& d) { d.variables += "y[] = 1;\n"; },
     "#  Lack of index : 'y[]'.\n" + var_trailer("y[] = 1;")},
    {"VariableWithoutBrackets", [](DaeText& d) { d.variables += "yC = 1;\n"; },
     kNoBracket + "#  Inappropriate expression : 'yC'.\n" + var_trailer("yC = 1;")},
    {"VariableBlankLine", [](DaeText& d) { d.variables += "   \n"; },
     "#  Lack of ';'.\n## Error in divide_line.\n" + var_trailer("   ")},
    {"VariableTextBehindBracket", [](DaeText& d) { d.variables += "y[C]x = 1;\n"; },
     "#  'x' behind ']' is an excessive character sequence.\n## Warning!! in divide_variable.\n"
     "#  Inappropriate expression : 'y[C]x'.\n" + var_trailer("y[C]x = 1;")},
    {"DuplicateVariable",
     [](DaeText& d) { d.variables += "y[AB.cyt] = 2;\ny[C] = 1;\n"; },
     "#  Duplicate name : 'AB.cyt' : 1 and 4\n" + var_trailer("y[C] = 1;")},
    {"NoVariableLine",
     [](DaeText& d) {
         d.variables = "= Algebraic Equation =;\n";
         d.algebraic = "";
         d.differential = "deq_1: dydt[A] = ka[1];\n";
     },
     "#  There is no appropriate variable.\n" + var_trailer("= Algebraic Equation =;")},
    {"CharactersAfterSemicolon",
     [](DaeText& d) { d.differential = "deq_1: dydt[A.cyt] = ka[1]; x\n"; },
     "#  This line has some character after ';'.\n" +
         joiner_trailer("deq_1: dydt[A.cyt] = ka[1]; x") + "## Error in read_equation.\n" + kData},
    {"LabelInsideARecord",
     [](DaeText& d) { d.differential = "deq_1: dydt[A.cyt] = ka[1]\ndeq_2: dydt[B.cyt] = 1;\n"; },
     "#  'aeq' or 'deq' does not come in the middle of expression.\n"
     "#  Probably ';' has fallen out in the previous line.\n" +
         joiner_trailer("deq_2: dydt[B.cyt] = 1;") + "## Error in read_equation.\n" + kData},
    {"BlankLineOpensARecord",
     [](DaeText& d) { d.algebraic = "   \naeq_1: 0 = kd[1]*x[AB.cyt];\n"; },
     "#  'aeq' or 'deq' does not come in the middle of expression.\n"
     "#  Probably ';' has fallen out in the previous line.\n" +
         joiner_trailer("aeq_1: 0 = kd[1]*x[AB.cyt];") + "## Error in read_equation.\n" + kData},
    {"LabelWithoutColon",
     [](DaeText& d) { d.differential = "deq_1 dydt[A.cyt] = ka[1];\n"; },
     "#  Lack of ':', before an equation starts.\n" +
         joiner_trailer("deq_1 dydt[A.cyt] = ka[1];") + "## Error in read_equation.\n" + kData},
    {"TemporaryJoinFault", [](DaeText& d) { d.temporaries = "= Flux =\nv = ka[1]; z\n"; },
     "#  This line has some character after ';'.\n" + joiner_trailer("v = ka[1]; z") +
         "#  in line : ## Error in read_mid_expression.\n" + kData},
    {"TemporaryWithTail", [](DaeText& d) { d.temporaries = "= X;y\n"; },
     "#  Inappropriate line.\n" + mid_trailer("= X;y")},
    {"TemporaryWithoutName", [](DaeText& d) { d.temporaries = "= Flux =\n= ka[1];\n"; },
     "#  Lack of name.\n" + mid_trailer("= ka[1];")},
    {"TemporaryWithoutExpression", [](DaeText& d) { d.temporaries = "v = ;\n"; },
     "#  Lack of expression.\n" + mid_trailer("v = ;")},
    {"EquationWithoutLeftSide", [](DaeText& d) { d.differential = "= ka[1];\n"; },
     "#  Lack of left expression.\n" + equation_trailer("= ka[1];")},
    {"EquationWithoutRightSide", [](DaeText& d) { d.differential = "deq_1: dydt[A.cyt] = ;\n"; },
     "#  Lack of right expression.\n" + equation_trailer(" dydt[A.cyt] = ;")},
    {"EquationWithTail", [](DaeText& d) { d.differential = "= a;b\n"; },
     "#  Inappropriate line.\n" + equation_trailer("= a;b")},
    {"DifferentialLeftWithoutBrackets", [](DaeText& d) { d.differential = "dydtA = 1;\n"; },
     kNoBracket + "#  Inappropriate expression : 'dydtA'.\n" + equation_trailer("dydtA = 1;")},
    {"DifferentialLeftNotDydt", [](DaeText& d) { d.differential = "dx[A.cyt] = 1;\n"; },
     "#  Inappropriate expression : 'dx'.\n" + equation_trailer("dx[A.cyt] = 1;")},
    {"DifferentialLeftWithoutIndex", [](DaeText& d) { d.differential = "dydt[] = 1;\n"; },
     "#  Lack of index.\n" + equation_trailer("dydt[] = 1;")},
    {"AlgebraicTwoEquals", [](DaeText& d) { d.algebraic = "aeq_1: a = b = 0;\n"; },
     "#  Duplication of '='.\n## Error in divide_line.\n" + equation_trailer(" a = b = 0;")},
};

INSTANTIATE_TEST_SUITE_P(DaeFiles, ReaderFaults, testing::ValuesIn(kFaults),
                         [](const testing::TestParamInfo<FaultCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ReaderFaultsWholeFile, TextBeforeTheFirstHead) {
    EXPECT_EQ(reading_log("TITLE:x\n" + DaeText().text()),
              std::string("#  Inappropriate line. \n\tTITLE:x\n") + kSplit + kData);
}

TEST(ReaderFaultsWholeFile, MissingDaeFile) {
    WorkDir dir;
    LogCapture capture;
    DaeModel model;
    EXPECT_EQ(read_data(model, "missing.dae"), -1);
    EXPECT_EQ(capture.take(), std::string("#  Cannot open missing.dae\n") + kSplit + kData);
}

TEST(ReaderFaultsWholeFile, SectionFileThatCannotBeCreated) {
    WorkDir dir;
    std::filesystem::create_directories(dir.path() + "/var.tmp/keep");
    dir.write("model.dae", DaeText().text());
    LogCapture capture;
    DaeModel model;
    EXPECT_EQ(read_data(model, "model.dae"), -1);
    EXPECT_EQ(capture.take(), std::string("#  Cannot open var.tmp\n") + kSplit + kData);
}

TEST(ReaderFaultsWholeFile, MissingSectionsFailWhenTheirFileIsRead) {
    DaeText dae;
    std::string text = dae.text();
    std::string withoutUsed = text;
    size_t used = withoutUsed.find("== Used Parameters ==");
    withoutUsed.erase(used, withoutUsed.find("== Parameters ==") - used);
    EXPECT_EQ(reading_log(withoutUsed), std::string("#  Cannot open usedp.tmp\n") + kData);

    std::string withoutDifferential = text.substr(0, text.find("== Differencial Eqs. =="));
    EXPECT_EQ(reading_log(withoutDifferential),
              std::string("#  Cannot open deq.tmp\n## Error in read_equation.\n") + kData);
}

}  // namespace
