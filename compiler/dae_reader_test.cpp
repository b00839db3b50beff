#include "dae_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "symcode_test_support.h"

namespace {

using symcode_test::DaeText;
using symcode_test::WorkDir;
using zymorax::testkit::LogCapture;

// Reads `dae` as "model.dae" of a fresh working directory; the log of the reading.
std::string read_text(const std::string& dae, DaeModel& model, int expected = 0) {
    WorkDir dir;
    dir.write("model.dae", dae);
    LogCapture capture;
    EXPECT_EQ(read_data(model, "model.dae"), expected);
    return capture.take();
}

// The tables as text, one row a line; numbers with 15 significant digits.
std::string variables(const DaeModel& model) {
    std::ostringstream out;
    out.precision(15);
    for (const VariableEntry& v : model.variables)
        out << (v.isAlgebraic ? "x[" : "y[") << v.name << "] = " << v.initialValue << "\n";
    return out.str();
}
std::string labels(const DaeModel& model) {
    std::ostringstream out;
    out.precision(15);
    for (const ParamLabel& label : model.paramLabels) {
        out << label.label << ":";
        for (const ParamElement& e : label.elements) {
            out << " ";
            if (e.value == NO_VALUE)
                out << "none";
            else
                out << e.value;
            out << " '" << e.tag << "'";
        }
        out << "\n";
    }
    return out.str();
}
std::string expressions(const std::vector<ExprEntry>& rows) {
    std::string out;
    for (const ExprEntry& row : rows)
        out += std::to_string(row.kind) + " " + row.name + ": " + row.text + "\n";
    return out;
}

TEST(DaeReader, ReadsEveryTableOfAValidFile) {
    DaeModel model;
    EXPECT_EQ(read_text(DaeText().text(), model), "");
    EXPECT_EQ(std::vector<int>({model.variableCount, model.algebraicCount, model.differentialCount,
                                model.equationCount, model.constantCount, model.temporaryCount,
                                model.paramLabelCount}),
              std::vector<int>({3, 1, 2, 3, 1, 0, 3}));
    EXPECT_EQ(variables(model), "x[AB.cyt] = -1\ny[A.cyt] = 1\ny[B.cyt] = 0.5\n");
    EXPECT_EQ(labels(model),
              "constantPlayer: 2 'C.cyt'\n"
              "ka: 0.1 'binding_association_rate_constant_A.cyt_B.cyt'\n"
              "kd: none 'dissociation_rate_constant_AB.cyt'\n");
    EXPECT_EQ(expressions(model.equations),
              "1 : ka[1]*y[A.cyt]*y[B.cyt]-kd[1]*x[AB.cyt]\n"
              "0 A.cyt: -ka[1]*y[A.cyt]*y[B.cyt]+kd[1]*x[AB.cyt]\n"
              "0 B.cyt: -ka[1]*y[A.cyt]*y[B.cyt]+kd[1]*x[AB.cyt]*constantPlayer[1]\n");
    EXPECT_EQ(find_row(model.differentialRows, "B.cyt"), 2);
    EXPECT_EQ(find_row(model.variableRows, "A.cyt"), 1);
    EXPECT_EQ(find_row(model.labelRows, "kd"), 2);
}

TEST(DaeReader, AlgebraicTextsFollowTheSideThatIsZero) {
    DaeText dae;
    dae.variables =
        "= Algebraic Equation =\nx[a] = ;\nx[b] = ;\nx[c] = ;\nx[d] = ;\n"
        "= Differencial Equation =\ny[A.cyt] = 1;\ny[B.cyt] = 0.5;\n";
    dae.algebraic = "aeq_1: 0 = a*b;\naeq_2: c = 0;\naeq_3: c = +a;\naeq_4: 0 = +a;\n";
    DaeModel model;
    EXPECT_EQ(read_text(dae.text(), model), "");
    EXPECT_EQ(expressions(model.equations),
              "1 : a*b\n1 : c\n1 : c-(a)\n1 : +a\n"
              "0 A.cyt: -ka[1]*y[A.cyt]*y[B.cyt]+kd[1]*x[AB.cyt]\n"
              "0 B.cyt: -ka[1]*y[A.cyt]*y[B.cyt]+kd[1]*x[AB.cyt]*constantPlayer[1]\n");
}

TEST(DaeReader, JoinsRecordsAndDropsCommentsAndLabels) {
    DaeText dae;
    dae.variables = "y[A.cyt] = 1; # start; not counted\ny[B.cyt] = 0.5;\n";
    dae.algebraic = "";
    dae.differential =
        "deq_1: dydt[A.cyt] = - ka[1]*y[A.cyt]\n"
        "    *y[B.cyt]\n"
        "  + kd[1];   \n"
        "deq_2: dydt[B.cyt] =\n+ kd[1]*y[A.cyt];\n";
    WorkDir dir;
    dir.write("model.dae", dae.text());
    DaeModel model;
    ASSERT_EQ(read_data(model, "model.dae"), 0);
    EXPECT_EQ(model.variableCount, 2);
    EXPECT_EQ(model.algebraicCount, 0);
    EXPECT_EQ(expressions(model.equations),
              "0 A.cyt: -ka[1]*y[A.cyt]*y[B.cyt]+kd[1]\n0 B.cyt: kd[1]*y[A.cyt]\n");
    EXPECT_EQ(dir.read("aeq.tmp"), "");
    EXPECT_EQ(dir.read("var.tmp"), "y[A.cyt] = 1; \ny[B.cyt] = 0.5;\n");
}

// Elements below the largest index exist without tag; a later line replaces an earlier one.
TEST(DaeReader, ReadsParameterElementsByIndex) {
    DaeText dae;
    dae.usedParameters = "ka;\nkd;\nk;\n";
    dae.parameters += "k[3] = ; tag3\nk[2] = 7; first\nk[2] = 8; second\n";
    DaeModel model;
    EXPECT_EQ(read_text(dae.text(), model), "");
    EXPECT_EQ(labels(model),
              "constantPlayer: 2 'C.cyt'\n"
              "ka: 0.1 'binding_association_rate_constant_A.cyt_B.cyt'\n"
              "kd: none 'dissociation_rate_constant_AB.cyt'\n"
              "k: 0 '' 8 'second' none 'tag3'\n");
}

TEST(DaeReader, ReadsTemporariesByKind) {
    DaeText dae;
    dae.temporaries =
        "= Total enzyme =\nT_E.cyt = y[A.cyt] +\n 2*y[B.cyt];\n\n"
        "= Flux =\nflux_A = +ka[1]*y[A.cyt];\n= Total enzyme =\nT_F = kd[1];\n";
    DaeModel model;
    EXPECT_EQ(read_text(dae.text(), model), "");
    EXPECT_EQ(expressions(model.temporaries),
              "1 T_E.cyt: y[A.cyt]+2*y[B.cyt]\n0 flux_A: ka[1]*y[A.cyt]\n1 T_F: kd[1]\n");
    EXPECT_EQ(find_row(model.temporaryRows, "T_F"), 2);
}

TEST(DaeReader, ARepeatedSectionKeepsItsLastOccurrence) {
    DaeModel model;
    EXPECT_EQ(read_text(DaeText().text() + "\n== Used Parameters ==\nka;\nkd;\nkx;\n", model), "");
    EXPECT_EQ(model.paramLabelCount, 4);
    EXPECT_EQ(model.paramLabels[3].label, "kx");
}

TEST(DaeReader, SectionFilesOfAnEarlierRunAreNotRead) {
    WorkDir dir;
    dir.write("mid.tmp", "= Flux =\nold = y[A.cyt];\n");
    dir.write("param.tmp", "ka[1] = 3; stale\n");
    std::string text = DaeText().text();
    size_t parameters = text.find("== Parameters ==");
    text.erase(parameters, text.find("== Algebraic") - parameters);
    dir.write("model.dae", text);
    DaeModel model;
    LogCapture capture;
    EXPECT_EQ(read_data(model, "model.dae"), -1);
    EXPECT_EQ(capture.take(),
              "#  Cannot open param.tmp\n## Error in read_param.\n## Error in read_data.\n");
    EXPECT_FALSE(dir.exists("mid.tmp"));
}

TEST(DaeReader, RefusesADaeFileStoredUnderAWorkFileName) {
    WorkDir dir;
    dir.write("var.tmp", DaeText().text());
    DaeModel model;
    LogCapture capture;
    EXPECT_EQ(read_data(model, "var.tmp"), -1);
    EXPECT_EQ(
        capture.take(),
        "#  'var.tmp' is a work file of symcode. Rename the DAE file.\n"
        "## Error in split_dae_file. \n## Error in split_DAEfile. \n## Error in read_data.\n");
    EXPECT_EQ(dir.read("var.tmp"), DaeText().text());
}

TEST(DaeReader, ReadsLinesOfAnyLengthWhole) {
    DaeText dae;
    std::string tag(200000, 't');
    dae.parameters = "kd[1] = ; " + tag + "\n";
    dae.usedParameters = "kd;\n";
    dae.algebraic = "aeq_1: kd[1]*x[AB.cyt] = 0;\n";
    dae.differential = "deq_1: dydt[A.cyt] = kd[1];\ndeq_2: dydt[B.cyt] = kd[1];\n";
    DaeModel model;
    EXPECT_EQ(read_text(dae.text(), model), "");
    EXPECT_EQ(model.paramLabels[1].elements[0].tag, tag);
}

// ---- every fault of a DAE file ends the reading with the reader's lines, innermost first ----

const std::string kSplit = "## Error in split_dae_file. \n## Error in split_DAEfile. \n";
const std::string kData = "## Error in read_data.\n";
const std::string kNoBracket = "#  Lack of '['.\n## Warning!! in divide_variable.\n";
const std::string kMiddle =
    "#  'aeq' or 'deq' does not come in the middle of expression.\n"
    "#  Probably ';' has fallen out in the previous line.\n";

// The offending line, then the trailers of the steps named, innermost first, and read_data's.
std::string in_line(const std::string& line, std::initializer_list<const char*> steps) {
    std::string log = "#  in line : " + line + "\n";
    for (const char* step : steps) log += std::string("## Error in ") + step + ".\n";
    return log + kData;
}
std::string in_param(const std::string& line) {
    return in_line(line, {"read_param_index", "read_param"});
}
std::string in_joined(const std::string& line) {
    return in_line(line, {"fix_equation_line", "read_equation"});
}

struct FaultCase {
    const char* name;
    std::function<void(DaeText&)> change;
    std::string log;  // everything logged, "## Error in read_data." included
};

TEST(DaeReaderFaults, LogTheFaultAndEveryStep) {
    const FaultCase cases[] = {
        {"UnknownHead", [](DaeText& d) { d.temporaries = "== Fluxes == # none\n"; },
         "#  Inappropriate line. \n\t== Fluxes == # none\n" + kSplit + kData},
        {"NoVariable", [](DaeText& d) { d.variables = ""; },
         "#  There is no variable. \n## Error in allocate_area. \n" + kData},
        {"NoEquation", [](DaeText& d) { d.algebraic = d.differential = ""; },
         "#  There is no equation. \n## Error in allocate_area. \n" + kData},
        {"LackOfVariables", [](DaeText& d) { d.variables = "y[A.cyt] = 1;\ny[B.cyt] = 1;\n"; },
         "#  Lack of variables. Number of equations : 3, Number of variables : 2\n"
         "## Error in allocate_area. \n" +
             kData},
        {"LabelWithValue", [](DaeText& d) { d.usedParameters = "ka = 1;\n"; },
         "#  Inappropriate line.\n" + in_line("ka = 1;", {"read_param_base"})},
        {"EmptyLabel", [](DaeText& d) { d.usedParameters = "ka;\n ;\n"; },
         "#  Lack of label.\n" + in_line(" ;", {"read_param_base"})},
        {"LabelWithTwoSemicolons", [](DaeText& d) { d.usedParameters = "ka;;\n"; },
         "#  Duplication of ';'.\n## Error in divide_line.\n" +
             in_line("ka;;", {"read_param_base"})},
        {"ParameterWithoutBrackets", [](DaeText& d) { d.parameters = "ka1 = 3; t\n"; },
         kNoBracket + "#  Inappropriate parameter: 'ka1'.\n" + in_param("ka1 = 3; t")},
        {"ParameterWithoutIndex", [](DaeText& d) { d.parameters = "ka[] = 3; t\n"; },
         "#  Lack of index : 'ka[]'.\n" + in_param("ka[] = 3; t")},
        {"ParameterIndexTooLarge", [](DaeText& d) { d.parameters = "ka[1000001] = 3; t\n"; },
         "#  Too large index : '1000001' in 'ka[1000001]'. Max : 1000000\n" +
             in_param("ka[1000001] = 3; t")},
        {"UnregisteredLabel", [](DaeText& d) { d.parameters = "kq[1] = 3; t\n"; },
         "#  'kq' is not registered as used parameter.\n" + in_param("kq[1] = 3; t")},
        {"BadConstantIndex", [](DaeText& d) { d.constants = "constantPlayer[x] = 1; C\n"; },
         "#  Inappropriate parameter: 'x' in 'constantPlayer[x]'.\n" +
             in_param("constantPlayer[x] = 1; C")},
        {"ParameterTwoEquals", [](DaeText& d) { d.parameters = "ka[1] = 3; a=b\n"; },
         "#  Duplication of '='.\n## Error in divide_line.\n" + in_param("ka[1] = 3; a=b")},
        {"VariableNotY", [](DaeText& d) { d.variables += "z[C] = 1;\n"; },
         "#  'z[C]' is not a variable of differential equations.\n" +
             in_line("z[C] = 1;", {"read_var"})},
        {"VariableNotX",
         [](DaeText& d) { d.variables = "= Algebraic Equation =\ny[AB.cyt] = ;\n" + d.variables; },
         "#  'y[AB.cyt]' is not a variable of algebraic equations.\n" +
             in_line("y[AB.cyt] = ;", {"read_var"})},
        {"VariableWithoutIndex", [](DaeText& d) { d.variables += "y[] = 1;\n"; },
         "#  Lack of index : 'y[]'.\n" + in_line("y[] = 1;", {"read_var"})},
        {"VariableWithoutBrackets", [](DaeText& d) { d.variables += "yC = 1;\n"; },
         kNoBracket + "#  Inappropriate expression : 'yC'.\n" + in_line("yC = 1;", {"read_var"})},
        {"VariableBlankLine", [](DaeText& d) { d.variables += "   \n"; },
         "#  Lack of ';'.\n## Error in divide_line.\n" + in_line("   ", {"read_var"})},
        {"VariableTextBehindBracket", [](DaeText& d) { d.variables += "y[C]x = 1;\n"; },
         "#  'x' behind ']' is an excessive character sequence.\n## Warning!! in divide_variable.\n"
         "#  Inappropriate expression : 'y[C]x'.\n" +
             in_line("y[C]x = 1;", {"read_var"})},
        {"DuplicateVariable", [](DaeText& d) { d.variables += "y[AB.cyt] = 2;\ny[C] = 1;\n"; },
         "#  Duplicate name : 'AB.cyt' : 1 and 4\n" + in_line("y[C] = 1;", {"read_var"})},
        {"NoVariableLine",
         [](DaeText& d) {
             d.variables = "= Algebraic Equation =;\n";
             d.algebraic = "";
             d.differential = "deq_1: dydt[A] = ka[1];\n";
         },
         "#  There is no appropriate variable.\n" +
             in_line("= Algebraic Equation =;", {"read_var"})},
        {"CharactersAfterSemicolon",
         [](DaeText& d) { d.differential = "deq_1: dydt[A.cyt] = ka[1]; x\n"; },
         "#  This line has some character after ';'.\n" +
             in_joined("deq_1: dydt[A.cyt] = ka[1]; x")},
        {"LabelInsideARecord",
         [](DaeText& d) {
             d.differential = "deq_1: dydt[A.cyt] = ka[1]\ndeq_2: dydt[B.cyt] = 1;\n";
         },
         kMiddle + in_joined("deq_2: dydt[B.cyt] = 1;")},
        {"BlankLineOpensARecord",
         [](DaeText& d) { d.algebraic = "   \naeq_1: 0 = kd[1]*x[AB.cyt];\n"; },
         kMiddle + in_joined("aeq_1: 0 = kd[1]*x[AB.cyt];")},
        {"LabelWithoutColon", [](DaeText& d) { d.differential = "deq_1 dydt[A.cyt] = ka[1];\n"; },
         "#  Lack of ':', before an equation starts.\n" + in_joined("deq_1 dydt[A.cyt] = ka[1];")},
        {"TemporaryJoinFault", [](DaeText& d) { d.temporaries = "= Flux =\nv = ka[1]; z\n"; },
         "#  This line has some character after ';'.\n#  in line : v = ka[1]; z\n"
         "## Error in fix_equation_line.\n#  in line : ## Error in read_mid_expression.\n" +
             kData},
        {"TemporaryWithTail", [](DaeText& d) { d.temporaries = "= X;y\n"; },
         "#  Inappropriate line.\n" + in_line("= X;y", {"read_mid_expression"})},
        {"TemporaryWithoutName", [](DaeText& d) { d.temporaries = "= Flux =\n= ka[1];\n"; },
         "#  Lack of name.\n" + in_line("= ka[1];", {"read_mid_expression"})},
        {"TemporaryWithoutExpression", [](DaeText& d) { d.temporaries = "v = ;\n"; },
         "#  Lack of expression.\n" + in_line("v = ;", {"read_mid_expression"})},
        {"EquationWithoutLeftSide", [](DaeText& d) { d.differential = "= ka[1];\n"; },
         "#  Lack of left expression.\n" + in_line("= ka[1];", {"read_equation"})},
        {"EquationWithoutRightSide",
         [](DaeText& d) { d.differential = "deq_1: dydt[A.cyt] = ;\n"; },
         "#  Lack of right expression.\n" + in_line(" dydt[A.cyt] = ;", {"read_equation"})},
        {"EquationWithTail", [](DaeText& d) { d.differential = "= a;b\n"; },
         "#  Inappropriate line.\n" + in_line("= a;b", {"read_equation"})},
        {"DifferentialLeftWithoutBrackets", [](DaeText& d) { d.differential = "dydtA = 1;\n"; },
         kNoBracket + "#  Inappropriate expression : 'dydtA'.\n" +
             in_line("dydtA = 1;", {"read_equation"})},
        {"DifferentialLeftNotDydt", [](DaeText& d) { d.differential = "dx[A.cyt] = 1;\n"; },
         "#  Inappropriate expression : 'dx'.\n" + in_line("dx[A.cyt] = 1;", {"read_equation"})},
        {"DifferentialLeftWithoutIndex", [](DaeText& d) { d.differential = "dydt[] = 1;\n"; },
         "#  Lack of index.\n" + in_line("dydt[] = 1;", {"read_equation"})},
        {"AlgebraicTwoEquals", [](DaeText& d) { d.algebraic = "aeq_1: a = b = 0;\n"; },
         "#  Duplication of '='.\n## Error in divide_line.\n" +
             in_line(" a = b = 0;", {"read_equation"})},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        DaeText dae;
        c.change(dae);
        DaeModel model;
        EXPECT_EQ(read_text(dae.text(), model, -1), c.log);
    }
}

TEST(DaeReaderFaults, TextBeforeTheFirstHead) {
    DaeModel model;
    EXPECT_EQ(read_text("TITLE:x\n" + DaeText().text(), model, -1),
              "#  Inappropriate line. \n\tTITLE:x\n" + kSplit + kData);
}

TEST(DaeReaderFaults, FilesThatCannotBeOpened) {
    WorkDir dir;
    LogCapture capture;
    DaeModel missing, folder, section;
    EXPECT_EQ(read_data(missing, "missing.dae"), -1);
    EXPECT_EQ(capture.take(), "#  Cannot open missing.dae\n" + kSplit + kData);
    std::filesystem::create_directory(dir.path() + "/folder.dae");
    EXPECT_EQ(read_data(folder, "folder.dae"), -1);
    EXPECT_EQ(capture.take(), "#  Cannot open folder.dae\n" + kSplit + kData);
    std::filesystem::create_directories(dir.path() + "/var.tmp/keep");
    dir.write("model.dae", DaeText().text());
    EXPECT_EQ(read_data(section, "model.dae"), -1);
    EXPECT_EQ(capture.take(), "#  Cannot open var.tmp\n" + kSplit + kData);
}

TEST(DaeReaderFaults, MissingSectionsFailWhenTheirFileIsRead) {
    std::string text = DaeText().text();
    std::string withoutUsed = text;
    size_t used = withoutUsed.find("== Used Parameters ==");
    withoutUsed.erase(used, withoutUsed.find("== Parameters ==") - used);
    DaeModel model;
    EXPECT_EQ(read_text(withoutUsed, model, -1), "#  Cannot open usedp.tmp\n" + kData);

    std::string withoutDifferential = text.substr(0, text.find("== Differencial Eqs. =="));
    DaeModel other;
    EXPECT_EQ(read_text(withoutDifferential, other, -1),
              "#  Cannot open deq.tmp\n## Error in read_equation.\n" + kData);
}

}  // namespace
