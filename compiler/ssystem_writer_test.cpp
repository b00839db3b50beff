#include "ssystem_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "symcode_test_support.h"

namespace {

using symcode_test::WorkDir;
using zymorax::testkit::LogCapture;

ParamLabel label(const std::string& name, int elementCount, const std::vector<int>& used) {
    ParamLabel row;
    row.label = name;
    row.elementCount = elementCount;
    row.elements.resize(elementCount);
    for (int k : used) row.elements[k - 1].used = 1;
    row.used = used.empty() ? 0 : 1;
    return row;
}

// A model as the second pass leaves it: equation trees with numbered variables, printed in the
// chosen notation. Labels: constantPlayer (the given used elements of 3) and k (2 elements).
DaeModel model_with(const std::vector<std::string>& equations, const std::vector<int>& constants,
                    bool cNotation = true) {
    DaeModel model;
    model.differentialCount = static_cast<int>(equations.size());
    model.equationCount = model.differentialCount;
    model.paramLabels = {label("constantPlayer", 3, constants), label("k", 2, {1, 2})};
    for (const std::string& text : equations) {
        ExprEntry row;
        row.text = text;
        EXPECT_EQ(Make_node(&row.tree, text), 0) << text;
        EXPECT_EQ(Set_expr(row.tree, cNotation), 0) << text;
        model.equations.push_back(row);
    }
    return model;
}

struct PartRun {
    OrderTable table;
    int counter = 0;
    std::string lines;
    int result = 0;
};

// get_preGH for one part, written into a file of the working directory.
PartRun run_part(const WorkDir& dir, const std::string& text, const SsystemLayout& layout,
                 int position = 0, int counter = 0) {
    PartRun run;
    run.table.assign(layout.n + layout.constCount + 1, 0);
    run.counter = counter;
    FILE* out = std::fopen("part.txt", "w");
    run.result = get_preGH(out, layout, position, {"v_plus", text, "g", run.counter, run.table});
    std::fclose(out);
    run.lines = dir.read("part.txt");
    return run;
}

TEST(SsystemConstants, CountUpToTheHighestUsedConstant) {
    EXPECT_EQ(count_used_constants(model_with({}, {2})), 2);
    EXPECT_EQ(count_used_constants(model_with({}, {1, 3})), 3);
    EXPECT_EQ(count_used_constants(model_with({}, {})), 0);
    EXPECT_EQ(count_used_constants(DaeModel()), 0);
}

TEST(SsystemGetPreGH, ValueAndDerivativeLinesNumberTheSymbols) {
    WorkDir dir;
    PartRun c = run_part(dir, "k[1]*y[2]*(constantPlayer[2]^k[2])+y[1]", {3, 2, true, false}, 1, 4);
    ASSERT_EQ(c.result, 0);
    EXPECT_EQ(c.lines,
              "\tv_plus [  2] = k[1]*y[2]*pow(constantPlayer[2], k[2]) + y[1];\n"
              "\tgd[  2][  1] = 1;\n"
              "\tgd[  2][  2] = k[1]*pow(constantPlayer[2], k[2]);\n"
              "\tgi[  2][  2] = k[2]*pow(constantPlayer[2], k[2] - 1)*k[1]*y[2];\n");
    EXPECT_EQ(c.table, (OrderTable{0, 5, 6, 0, 0, 7}));
    EXPECT_EQ(c.counter, 7);

    PartRun matlab = run_part(dir, "k[1]*(y[3]^2)", {3, 0, false, true});
    EXPECT_EQ(matlab.lines,
              "\tv_plus (  1) = k(1)*(y(3)^2);\n"
              "\tgd(  1,  3) = 2*y(3)*k(1);\n");
    EXPECT_EQ(matlab.table, (OrderTable{0, 0, 0, 1}));
}

// The closing bracket is part of a symbol: y[1] is not found in y[10], constantPlayer[1] not
// in constantPlayer[10], and y[1] not in a label that ends in y.
TEST(SsystemGetPreGH, SymbolsAreWholeNames) {
    WorkDir dir;
    PartRun run = run_part(dir, "Energy[1]*y[10]*constantPlayer[10]", {10, 10, true, false});
    ASSERT_EQ(run.result, 0);
    EXPECT_EQ(run.lines,
              "\tv_plus [  1] = Energy[1]*y[10]*constantPlayer[10];\n"
              "\tgd[  1][ 10] = Energy[1]*constantPlayer[10];\n"
              "\tgi[  1][ 10] = Energy[1]*y[10];\n");
    OrderTable expected(21, 0);
    expected[10] = 1;
    expected[20] = 2;
    EXPECT_EQ(run.table, expected);
}

// A part can hold a variable and not depend on it; the entry still names a value.
TEST(SsystemGetPreGH, VanishingDerivativeIsWrittenAsZero) {
    WorkDir dir;
    PartRun run = run_part(dir, "(y[1]-y[1])*k[1]", {1, 0, true, false});
    ASSERT_EQ(run.result, 0);
    EXPECT_EQ(run.lines, "\tv_plus [  1] = (y[1] - y[1])*k[1];\n\tgd[  1][  1] = 0;\n");
    EXPECT_EQ(run.table, (OrderTable{0, 1}));
}

TEST(SsystemGetPreGH, UnparsablePartFails) {
    WorkDir dir;
    LogCapture log;
    PartRun run = run_part(dir, "0*k[1]+y[1]", {1, 0, true, false});
    EXPECT_EQ(run.result, -1);
    EXPECT_EQ(log.take(),
              "#  Invalid value expression.\n#  in '0*k[1]+y[1]'\n#  just before '*k[1]+y[1]'\n"
              "#  token.expr = ''\n## Error in Make_node.\n## Error in get_preGH.\n");
    EXPECT_EQ(run.lines, "");
}

TEST(SsystemMakeSdata, GhDataAndScratchFilesInC) {
    WorkDir dir;
    DaeModel model = model_with({"-k[1]*y[2] + k[2]", "k[1]*y[2]*constantPlayer[2] - y[1]"}, {2});
    KineticOrderCounts counts;
    FILE* out = std::fopen("gh.txt", "w");
    ASSERT_EQ(make_Sdata(out, 2, model.equations, 2, true, false, counts), 0);
    std::fclose(out);
    EXPECT_EQ(dir.read("gh.txt"),
              "\tv_plus [  1] = k[2];\n"
              "\tv_minus[  1] = k[1]*y[2];\n"
              "\thd[  1][  2] = k[1];\n"
              "\tv_plus [  2] = k[1]*y[2]*constantPlayer[2];\n"
              "\tgd[  2][  2] = k[1]*constantPlayer[2];\n"
              "\tgi[  2][  2] = k[1]*y[2];\n"
              "\tv_minus[  2] = y[1];\n"
              "\thd[  2][  1] = 1;\n");
    EXPECT_EQ(dir.read("s_fvec.tmp"),
              "fvec[  1] = kplus[1] - kminus[1]*pow(y[2],h[1]);\n"
              "fvec[  2] = kplus[2]*pow(y[2],g[1])*pow(constantPlayer[2],g[2])"
              " - kminus[2]*pow(y[1],h[2]);\n");
    EXPECT_EQ(dir.read("s_fjac.tmp"),
              "fjac[  1][  2] =  - kminus[1]*h[1]*pow(y[2],h[1]-1);\n"
              "fjac[  2][  1] =  - kminus[2]*h[2]*pow(y[1],h[2]-1);\n"
              "fjac[  2][  2] = kplus[2]*g[1]*pow(y[2],g[1]-1)*pow(constantPlayer[2],g[2]);\n");
    EXPECT_EQ(counts.gCount, 2);
    EXPECT_EQ(counts.hCount, 2);
    // The equation trees now print in '^' notation.
    EXPECT_EQ(model.equations[1].tree->text, "k[1]*y[2]*constantPlayer[2] - y[1]");
}

TEST(SsystemMakeSdata, MatlabNumbersGoOnAcrossCalls) {
    WorkDir dir;
    DaeModel model = model_with({"y[1]^k[1] - 0.123456789*y[1]"}, {}, false);
    KineticOrderCounts counts{3, 5};
    FILE* out = std::fopen("gh.txt", "w");
    ASSERT_EQ(make_Sdata(out, 1, model.equations, 0, false, true, counts), 0);
    std::fclose(out);
    EXPECT_EQ(dir.read("gh.txt"),
              "\tv_plus (  1) = (y(1)^k(1));\n"
              "\tgd(  1,  1) = k(1)*(y(1)^(k(1) - 1));\n"
              "\tv_minus(  1) = 0.123457*y(1);\n"
              "\thd(  1,  1) = 0.123457;\n");
    EXPECT_EQ(dir.read("s_fvec.tmp"),
              "fvec(  1) = kplus(1)*(y(1)^(g(4))) - kminus(1)*(y(1)^(h(6)));\n");
    EXPECT_EQ(
        dir.read("s_fjac.tmp"),
        "fjac = zeros(1);\n"
        "fjac(  1,  1) = kplus(1)*(g(4)*(y(1)^(g(4)-1))) - kminus(1)*(h(6)*(y(1)^(h(6)-1)));\n");
    EXPECT_EQ(counts.gCount, 4);
    EXPECT_EQ(counts.hCount, 6);
}

TEST(SsystemMakeSdata, EmptyTableWritesOnlyTheMatlabZeros) {
    WorkDir dir;
    std::vector<ExprEntry> none;
    KineticOrderCounts counts;
    FILE* out = std::fopen("gh.txt", "w");
    ASSERT_EQ(make_Sdata(out, 0, none, 0, false, true, counts), 0);
    ASSERT_EQ(make_Sdata(out, 0, none, 0, true, false, counts), 0);
    std::fclose(out);
    EXPECT_EQ(dir.read("gh.txt"), "");
    EXPECT_EQ(dir.read("s_fvec.tmp"), "");
    EXPECT_EQ(dir.read("s_fjac.tmp"), "");
}

// The leaf of the first node found with text `from`, given another text and kind.
bool replace_leaf(ExprNode* node, const std::string& from, const std::string& to, int kind) {
    if (node == nullptr) return false;
    if (node->leftText == from) {
        node->leftText = to;
        node->leftKind = kind;
        return true;
    }
    if (node->rightText == from) {
        node->rightText = to;
        node->rightKind = kind;
        return true;
    }
    return replace_leaf(node->left, from, to, kind) || replace_leaf(node->right, from, to, kind);
}

TEST(SsystemMakeSdata, FailuresNameTheEquationAndItsParts) {
    WorkDir dir;
    // A factor 0 prints, but a part that holds it cannot be parsed again.
    DaeModel model = model_with({"k[1]", "zero*k[1] + y[1] - k[2]"}, {});
    ASSERT_TRUE(replace_leaf(model.equations[1].tree, "zero", "0", OPERAND_NUMBER));
    LogCapture log;
    KineticOrderCounts counts;
    FILE* out = std::fopen("gh.txt", "w");
    EXPECT_EQ(make_Sdata(out, 2, model.equations, 0, true, false, counts), -1);
    std::fclose(out);
    EXPECT_EQ(log.take(),
              "#  Invalid value expression.\n#  in '0*k[1]+y[1]'\n#  just before '*k[1]+y[1]'\n"
              "#  token.expr = ''\n## Error in Make_node.\n## Error in get_preGH.\n"
              "#  equation = '0*k[1] + y[1] - k[2]'\n"
              "#  V+ = '0*k[1]+y[1]', V- = 'k[2]'\n"
              "## Error in make_Sdata.\n");
    EXPECT_EQ(dir.read("s_fvec.tmp"), "fvec[  1] = kplus[1];\n");

    std::filesystem::remove("s_fjac.tmp");
    std::filesystem::create_directory("s_fjac.tmp");
    out = std::fopen("gh.txt", "w");
    EXPECT_EQ(make_Sdata(out, 1, model.equations, 0, true, false, counts), -1);
    std::fclose(out);
    EXPECT_EQ(log.take(), "#  Cannot open s_fjac.tmp\n## Error in make_Sdata.\n");
}

TEST(SsystemWriteSFuncs, BindingsThenEveryScratchLineWhole) {
    WorkDir dir;
    const std::string longLine = "fvec[  1] = kplus[1]" + std::string(100000, 'x') + ";\n";
    dir.write("s_fvec.tmp", longLine + "fvec[  2] = kplus[2];\n");
    FILE* out = std::fopen("out.c", "w");
    ASSERT_EQ(write_S_funcs(out, "s_fvec.tmp", 0, false), 0);
    std::fclose(out);
    EXPECT_EQ(dir.read("out.c"),
              "\tdouble *constantPlayer\t= p->val[1];\n\tdouble *kplus\t= p->val[2];\n"
              "\tdouble *kminus\t= p->val[3];\n\tdouble *g\t= p->val[4];\n"
              "\tdouble *h\t= p->val[5];\n\n\t" +
                  longLine + "\tfvec[  2] = kplus[2];\n");
}

std::string matlab_binding(const std::string& label) {
    return "\t" + label + "_len = length(p." + label + ");\n\tfor i=1:1:" + label + "_len\n\t\t" +
           label + "(i) = p." + label + "(i).value;\n\tend\n";
}

TEST(SsystemWriteSFuncs, MatlabBindsConstantsOnlyWhenUsed) {
    WorkDir dir;
    dir.write("s_fjac.tmp", "fjac = zeros(2);\n");
    const std::string rates = matlab_binding("kplus") + matlab_binding("kminus") +
                              matlab_binding("g") + matlab_binding("h");
    FILE* out = std::fopen("out.m", "w");
    ASSERT_EQ(write_S_funcs(out, "s_fjac.tmp", 0, true), 0);
    ASSERT_EQ(write_S_funcs(out, "s_fjac.tmp", 2, true), 0);
    std::fclose(out);
    EXPECT_EQ(dir.read("out.m"), rates + "\tfjac = zeros(2);\n" + matlab_binding("constantPlayer") +
                                     rates + "\tfjac = zeros(2);\n");
}

TEST(SsystemWriteSFuncs, MissingScratchFile) {
    WorkDir dir;
    LogCapture log;
    FILE* out = std::fopen("out.c", "w");
    EXPECT_EQ(write_S_funcs(out, "s_fjac.tmp", 0, false), -1);
    std::fclose(out);
    EXPECT_EQ(log.take(), "#  Cannot open s_fjac.tmp\n## Error in write_S_funcs.\n");
}

CompileOptions c_options() {
    CompileOptions options;
    options.ghFile = "gh.c";
    options.ssysFile = "ssys.c";
    return options;
}

TEST(SsystemSetSsystem, WritesTheFourFunctionsInC) {
    WorkDir dir;
    dir.write("head.tmp", "TITLE:small\n");
    DaeModel model = model_with({"k[1] - k[2]*y[1]"}, {});
    ASSERT_EQ(Set_Ssystem(model, c_options(), true, false), 0);
    EXPECT_EQ(dir.read("gh.c"),
              "/*\n * TITLE:small\n */\n\n#include \"kine.h\"\n\n"
              "void get_GHdata(double **gd, double **gi, double **hd, double **hi,\n"
              "\tdouble *v_plus, double *v_minus, double *y, Parameter *p)\n{\n"
              "\tdouble *k\t= p->val[1];\n\n"
              "\tv_plus [  1] = k[1];\n\tv_minus[  1] = k[2]*y[1];\n\thd[  1][  1] = k[2];\n"
              "}\n\n\n"
              "void get_GHnum(int *n_var, int *n_const)\n{\n\t*n_var = 1;\n\t*n_const = 0;\n}\n");
    const std::string bindings =
        "\tdouble *constantPlayer\t= p->val[1];\n\tdouble *kplus\t= p->val[2];\n"
        "\tdouble *kminus\t= p->val[3];\n\tdouble *g\t= p->val[4];\n\tdouble *h\t= p->val[5];\n\n";
    EXPECT_EQ(dir.read("ssys.c"),
              "/*\n * TITLE:small\n */\n\n#include \"kine.h\"\n\n"
              "void usr_fvec(double fvec[], double y[], double Gene, Parameter *p)\n{\n" +
                  bindings + "\tfvec[  1] = kplus[1] - kminus[1]*pow(y[1],h[1]);\n}\n\n" +
                  "void usr_fjac(double fjac[][MAX_VAR_NUM], double y[], double Gene, "
                  "Parameter *p)\n{\n" +
                  bindings + "\tfjac[  1][  1] =  - kminus[1]*h[1]*pow(y[1],h[1]-1);\n}\n\n");
}

TEST(SsystemSetSsystem, MissingHeaderOrNamesFailBeforeWriting) {
    WorkDir dir;
    LogCapture log;
    DaeModel model = model_with({"k[1]*y[1]"}, {});
    EXPECT_EQ(Set_Ssystem(model, c_options(), true, false), -1);
    EXPECT_EQ(log.take(),
              "#  Cannot open head.tmp\n## Error in write_GEhead.\n## Error in Set_Ssystem.\n");
    EXPECT_FALSE(dir.exists("ssys.c"));

    dir.write("head.tmp", "TITLE:small\n");
    std::filesystem::remove("gh.c");
    CompileOptions options = c_options();
    options.ssysFile.clear();
    EXPECT_EQ(Set_Ssystem(model, options, true, false), -1);
    EXPECT_EQ(log.take(),
              "#  No name is given for the S-system file (-S).\n## Error in Set_Ssystem.\n");
    EXPECT_FALSE(dir.exists("gh.c"));
    options = c_options();
    options.ghFile.clear();
    EXPECT_EQ(Set_Ssystem(model, options, true, false), -1);
    EXPECT_EQ(log.take(), "#  No name is given for the G/H file (-G).\n## Error in Set_Ssystem.\n");
}

CompileOptions matlab_options() {
    CompileOptions options;
    options.ghFile = "ZYMORAX_get_GHnum.m";
    options.ghDataFile = "ZYMORAX_get_GHdata.m";
    options.ssysFile = "ZYMORAX_S_usr_fvec.m";
    options.ssysJacobianFile = "ZYMORAX_S_usr_fjac.m";
    return options;
}

TEST(SsystemSetSsystem, MatlabFilesThatCannotBeOpened) {
    WorkDir dir;
    dir.write("head.tmp", "TITLE:small\n");
    DaeModel model = model_with({"k[1]*y[1]*constantPlayer[1]"}, {1}, false);
    LogCapture log;
    std::filesystem::create_directory("ZYMORAX_get_GHnum.m");
    EXPECT_EQ(Set_Ssystem(model, matlab_options(), false, true), -1);
    EXPECT_EQ(log.take(), "#  Cannot open ZYMORAX_get_GHnum.m\n## Error in Set_Ssystem.\n");
    // What was written before stays.
    EXPECT_EQ(dir.read("ZYMORAX_get_GHdata.m").substr(0, 14), "% TITLE:small\n");
    EXPECT_NE(
        dir.read("ZYMORAX_get_GHdata.m").find("\tv_plus (  1) = k(1)*y(1)*constantPlayer(1);\n"),
        std::string::npos);

    std::filesystem::remove("ZYMORAX_get_GHnum.m");
    std::filesystem::create_directory("ZYMORAX_S_usr_fjac.m");
    EXPECT_EQ(Set_Ssystem(model, matlab_options(), false, true), -1);
    EXPECT_EQ(log.take(), "#  Cannot open ZYMORAX_S_usr_fjac.m\n## Error in Set_Ssystem.\n");
    EXPECT_EQ(dir.read("ZYMORAX_get_GHnum.m"),
              "% TITLE:small\nfunction [n_var, n_const] = get_GHnum()\n"
              "\tn_var = 1;\n\tn_const = 1;\nend\n");
    EXPECT_EQ(dir.read("ZYMORAX_S_usr_fvec.m"),
              "% TITLE:small\nfunction fvec = ZYMORAX_S_usr_fvec(y, Gene, p)\n" +
                  matlab_binding("constantPlayer") + matlab_binding("kplus") +
                  matlab_binding("kminus") + matlab_binding("g") + matlab_binding("h") +
                  "\tfvec(  1) = kplus(1)*(y(1)^(g(1)))*(constantPlayer(1)^(g(2)));\nend\n");
}

}  // namespace
