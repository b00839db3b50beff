#include "ssystem_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "symcode_test_support.h"

namespace {

using symcode_test::WorkDir;
using symcode_test::written_by;
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

TEST(SsystemConstants, CountUpToTheHighestUsedConstant) {
    EXPECT_EQ(count_used_constants(model_with({}, {2})), 2);
    EXPECT_EQ(count_used_constants(model_with({}, {1, 3})), 3);
    EXPECT_EQ(count_used_constants(model_with({}, {})), 0);
    EXPECT_EQ(count_used_constants(DaeModel()), 0);
}

// get_preGH for the positive part of equation 1 on a fresh table; the lines it writes. (The
// make_Sdata tests below show its lines for whole equations.)
std::string pre_gh(const std::string& text, const SsystemLayout& layout, OrderTable& table,
                   int& counter) {
    table.clear();
    int result = -1;
    std::string lines = written_by(
        [&](FILE* out) {
            return get_preGH(out, layout, 0, {"v_plus", text, "g", counter, table});
        },
        &result);
    EXPECT_EQ(result, 0) << text;
    return lines;
}

// The closing bracket is part of a symbol: y[1] is not found in y[10], constantPlayer[1] not
// in constantPlayer[10], and y[1] not in a label that ends in y.
TEST(SsystemGetPreGH, SymbolsAreWholeNames) {
    OrderTable table;
    int counter = 0;
    EXPECT_EQ(pre_gh("Energy[1]*y[10]*constantPlayer[10]", {10, 10, true, false}, table, counter),
              "\tv_plus [  1] = Energy[1]*y[10]*constantPlayer[10];\n"
              "\tgd[  1][ 10] = Energy[1]*constantPlayer[10];\n"
              "\tgi[  1][ 10] = Energy[1]*y[10];\n");
    EXPECT_EQ(table, (OrderTable{{10, 1}, {20, 2}}));
    EXPECT_EQ(counter, 2);
}

// A part can hold a variable and not depend on it; the entry still names a value.
TEST(SsystemGetPreGH, VanishingDerivativeIsWrittenAsZero) {
    OrderTable table;
    int counter = 0;
    EXPECT_EQ(pre_gh("(y[1]-y[1])*k[1]", {1, 0, true, false}, table, counter),
              "\tv_plus [  1] = (y[1] - y[1])*k[1];\n\tgd[  1][  1] = 0;\n");
    EXPECT_EQ(table, (OrderTable{{1, 1}}));
    EXPECT_EQ(counter, 1);
}

// make_Sdata writes the G/H data body; "s_fvec.tmp" and "s_fjac.tmp" are left in the folder.
std::string sdata(std::vector<ExprEntry>& equations, int n, int constCount, bool cNotation,
                  bool matlab, KineticOrderCounts& counts, int expected = 0) {
    int result = -1;
    std::string written = written_by(
        [&](FILE* out) {
            return make_Sdata(out, n, equations, constCount, cNotation, matlab, counts);
        },
        &result);
    EXPECT_EQ(result, expected);
    return written;
}

TEST(SsystemMakeSdata, GhDataAndScratchFilesInC) {
    WorkDir dir;
    DaeModel model = model_with({"-k[1]*y[2] + k[2]", "k[1]*y[2]*constantPlayer[2] - y[1]"}, {2});
    KineticOrderCounts counts;
    EXPECT_EQ(sdata(model.equations, 2, 2, true, false, counts),
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
    EXPECT_EQ(sdata(model.equations, 1, 0, false, true, counts),
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

    // An empty table writes only the MATLAB zeros line.
    std::vector<ExprEntry> none;
    EXPECT_EQ(sdata(none, 0, 0, false, true, counts), "");
    EXPECT_EQ(dir.read("s_fvec.tmp") + dir.read("s_fjac.tmp"), "fjac = zeros(0);\n");
    EXPECT_EQ(sdata(none, 0, 0, true, false, counts), "");
    EXPECT_EQ(dir.read("s_fvec.tmp") + dir.read("s_fjac.tmp"), "");
}

// The leaf of the first node found with text `from`, given another text and kind.
bool replace_leaf(ExprNode* node, const std::string& from, const std::string& to, int kind) {
    if (node == nullptr) return false;
    bool left = node->leftText == from;
    if (left || node->rightText == from) {
        (left ? node->leftText : node->rightText) = to;
        (left ? node->leftKind : node->rightKind) = kind;
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
    EXPECT_EQ(sdata(model.equations, 2, 0, true, false, counts, -1), "\tv_plus [  1] = k[1];\n");
    EXPECT_EQ(log.take(),
              "#  Invalid value expression.\n#  in '0*k[1]+y[1]'\n#  just before '*k[1]+y[1]'\n"
              "#  token.expr = ''\n## Error in Make_node.\n## Error in get_preGH.\n"
              "#  equation = '0*k[1] + y[1] - k[2]'\n"
              "#  V+ = '0*k[1]+y[1]', V- = 'k[2]'\n"
              "## Error in make_Sdata.\n");
    EXPECT_EQ(dir.read("s_fvec.tmp"), "fvec[  1] = kplus[1];\n");

    std::filesystem::remove("s_fjac.tmp");
    std::filesystem::create_directory("s_fjac.tmp");
    sdata(model.equations, 1, 0, true, false, counts, -1);
    EXPECT_EQ(log.take(), "#  Cannot open s_fjac.tmp\n## Error in make_Sdata.\n");
}

std::string matlab_binding(const std::string& label) {
    return "\t" + label + "_len = length(p." + label + ");\n\tfor i=1:1:" + label + "_len\n\t\t" +
           label + "(i) = p." + label + "(i).value;\n\tend\n";
}

std::string s_funcs(const std::string& scratch, int constCount, bool matlab, int expected = 0) {
    int result = -1;
    std::string written = written_by(
        [&](FILE* out) { return write_S_funcs(out, scratch, constCount, matlab); }, &result);
    EXPECT_EQ(result, expected);
    return written;
}

// The bindings, then every scratch line whole; MATLAB binds the constants only when used.
TEST(SsystemWriteSFuncs, BindingsThenEveryScratchLine) {
    WorkDir dir;
    const std::string longLine = "fvec[  1] = kplus[1]" + std::string(100000, 'x') + ";\n";
    dir.write("s_fvec.tmp", longLine + "fvec[  2] = kplus[2];\n");
    EXPECT_EQ(s_funcs("s_fvec.tmp", 0, false),
              "\tdouble *constantPlayer\t= p->val[1];\n\tdouble *kplus\t= p->val[2];\n"
              "\tdouble *kminus\t= p->val[3];\n\tdouble *g\t= p->val[4];\n"
              "\tdouble *h\t= p->val[5];\n\n\t" +
                  longLine + "\tfvec[  2] = kplus[2];\n");

    dir.write("s_fjac.tmp", "fjac = zeros(2);\n");
    const std::string rates = matlab_binding("kplus") + matlab_binding("kminus") +
                              matlab_binding("g") + matlab_binding("h");
    EXPECT_EQ(s_funcs("s_fjac.tmp", 0, true), rates + "\tfjac = zeros(2);\n");
    EXPECT_EQ(s_funcs("s_fjac.tmp", 2, true),
              matlab_binding("constantPlayer") + rates + "\tfjac = zeros(2);\n");

    LogCapture log;
    s_funcs("missing.tmp", 0, false, -1);
    EXPECT_EQ(log.take(), "#  Cannot open missing.tmp\n## Error in write_S_funcs.\n");
}

CompileOptions c_options() {
    CompileOptions options;
    options.ghFile = "gh.c";
    options.ssysFile = "ssys.c";
    return options;
}

TEST(SsystemSetSsystem, MissingHeaderOrGhNameFailBeforeWriting) {
    WorkDir dir;
    LogCapture log;
    DaeModel model = model_with({"k[1]*y[1]"}, {});
    EXPECT_EQ(Set_Ssystem(model, c_options(), true, false), -1);
    EXPECT_EQ(log.take(),
              "#  Cannot open head.tmp\n## Error in write_GEhead.\n## Error in Set_Ssystem.\n");
    EXPECT_FALSE(dir.exists("ssys.c"));

    dir.write("head.tmp", "TITLE:small\n");
    CompileOptions options = c_options();
    options.ghFile.clear();
    EXPECT_EQ(Set_Ssystem(model, options, true, false), -1);
    EXPECT_EQ(log.take(), "#  No name is given for the G/H file (-G).\n## Error in Set_Ssystem.\n");
}

TEST(SsystemSetSsystem, MatlabFilesThatCannotBeOpened) {
    WorkDir dir;
    dir.write("head.tmp", "TITLE:small\n");
    DaeModel model = model_with({"k[1]*y[1]*constantPlayer[1]"}, {1}, false);
    CompileOptions options;
    options.ghFile = "ZYMORAX_get_GHnum.m";
    options.ghDataFile = "ZYMORAX_get_GHdata.m";
    options.ssysFile = "ZYMORAX_S_usr_fvec.m";
    options.ssysJacobianFile = "ZYMORAX_S_usr_fjac.m";
    LogCapture log;
    std::filesystem::create_directory("ZYMORAX_get_GHnum.m");
    EXPECT_EQ(Set_Ssystem(model, options, false, true), -1);
    EXPECT_EQ(log.take(), "#  Cannot open ZYMORAX_get_GHnum.m\n## Error in Set_Ssystem.\n");
    // What was written before stays.
    EXPECT_EQ(dir.read("ZYMORAX_get_GHdata.m").substr(0, 14), "% TITLE:small\n");
    EXPECT_NE(
        dir.read("ZYMORAX_get_GHdata.m").find("\tv_plus (  1) = k(1)*y(1)*constantPlayer(1);\n"),
        std::string::npos);

    std::filesystem::remove("ZYMORAX_get_GHnum.m");
    std::filesystem::create_directory("ZYMORAX_S_usr_fjac.m");
    EXPECT_EQ(Set_Ssystem(model, options, false, true), -1);
    EXPECT_EQ(log.take(), "#  Cannot open ZYMORAX_S_usr_fjac.m\n## Error in Set_Ssystem.\n");
    EXPECT_EQ(dir.read("ZYMORAX_get_GHnum.m"),
              "% TITLE:small\nfunction [n_var, n_const] = get_GHnum()\n"
              "\tn_var = 1;\n\tn_const = 1;\nend\n");
    const std::string fvec = dir.read("ZYMORAX_S_usr_fvec.m");
    EXPECT_EQ(fvec.substr(fvec.size() - 68),
              "\tfvec(  1) = kplus(1)*(y(1)^(g(1)))*(constantPlayer(1)^(g(2)));\nend\n");
}

}  // namespace
