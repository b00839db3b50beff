// symcode run as a modeller runs it: a DAE file in a working folder; the exit status, the whole
// system log and the outputs (against the golden files of compiler/testdata/golden, or in part).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "workspace.h"

namespace {

using namespace zymorax::testkit;

const std::vector<std::string> kCArguments = {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c",
                                              "-Ttemp.c",    "-Ggh.c",      "-Sssys.c"};
const std::vector<std::string> kMatlabArguments = {"-MATLAB", "-Dmodel.dae"};
const std::vector<std::string> kSmallMArguments = {
    "-m", "-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"};

const std::string kUsage =
    "#  Usage : symcode -Df_DAE -Pf_Param -Ff_UserFunc -Tf_TempExpr -Gf_GH -Sf_Ssys [-d*]\n";
const std::string kLackOfBracket = "#  Lack of '['.\n## Warning!! in divide_variable.\n";
// Each temporary name resolved in an expression passes through the splitter's warning first.
const std::string kResolved = kLackOfBracket + "#  Above warnings are meaningless.\n\n";

std::string repeated(const std::string& text, int times) {
    std::string result;
    for (int i = 0; i < times; ++i) result += text;
    return result;
}

std::string testdata(const std::string& name) {
    return read_source("compiler/testdata/" + name);
}
const std::string kBinding = testdata("binding.dae");  // with algebraic equations
const std::string kChain = testdata("chain.dae");      // GMA, three temporaries, no algebraic
const std::string kChainWarnings = repeated(kResolved, 6);

// A model without algebraic equations whose expressions use no constant.
const char* const kNoConstants =
    "== Model ==\nTITLE:decay\n== Constant Players ==\nconstantPlayer[1] = 1; C\n"
    "== Variables ==\n= Differencial Equation =\ny[A] = 1;\ny[B] = 0;\n"
    "== Used Parameters ==\nk;\n== Parameters ==\nk[1] = 0.5; k1\nk[2] = 2e-07; k2\n"
    "== Temporary Expressions ==\n== Algebraic Eqs. ==\n"
    "== Differencial Eqs. ==\ndydt[A] = -k[1]*y[A];\ndydt[B] = k[1]*y[A] - 2.5e-7*y[B];\n";

// What a run must leave in a file of the working folder.
enum Expect { kWhole, kContains, kStartsWith, kEndsWith, kLacks, kExists, kMissing };
struct FileCheck {
    std::string file;
    Expect expect;
    std::string text = "";
};

FileCheck golden(const std::string& output, const std::string& name) {
    return {output, kWhole, testdata("golden/" + name)};
}

bool meets(const std::string& content, const FileCheck& f) {
    const bool endsWith =
        content.size() >= f.text.size() &&
        content.compare(content.size() - f.text.size(), f.text.size(), f.text) == 0;
    switch (f.expect) {
        case kContains:
            return content.find(f.text) != std::string::npos;
        case kStartsWith:
            return content.rfind(f.text, 0) == 0;
        case kEndsWith:
            return endsWith;
        case kLacks:
            return content.find(f.text) == std::string::npos;
        default:
            return true;
    }
}

// Runs symcode on `dae` in a fresh working folder, with `folders` made first under the names of
// outputs that then cannot be opened.
void check(const std::string& name, const std::string& dae, const std::vector<std::string>& args,
           int status, const std::string& log, const std::vector<FileCheck>& files = {},
           const std::vector<std::string>& folders = {}) {
    SCOPED_TRACE(name);
    Workspace ws;
    ws.put("model.dae", dae);
    for (const std::string& folder : folders) std::filesystem::create_directory(ws.file(folder));
    ProgramRun run = ws.run("symcode", args);
    EXPECT_EQ(run.status, status);
    EXPECT_EQ(run.log, log);
    for (const FileCheck& f : files) {
        EXPECT_EQ(ws.has(f.file), f.expect != kMissing) << f.file;
        if (f.expect == kWhole) {
            EXPECT_EQ(ws.read(f.file), f.text) << f.file;
        } else {
            EXPECT_TRUE(meets(ws.read(f.file), f)) << f.file << ": " << f.text << "\n"
                                                   << ws.read(f.file);
        }
    }
}

TEST(SymcodeOutputs, MatchTheGoldenFiles) {
    // With algebraic equations there is no S-system form; work files stay in the folder.
    std::vector<FileCheck> bindingInC = {golden("usrfunc.c", "binding/usrfunc.c"),
                                         golden("temp.c", "binding/flux.c"),
                                         golden("param.txt", "binding/param.txt"),
                                         {"gh.c", kMissing},
                                         {"ssys.c", kMissing}};
    for (const char* work : {"head.tmp", "usedp.tmp", "const.tmp", "var.tmp", "mid.tmp", "aeq.tmp",
                             "deq.tmp", "param.tmp", "tmp.tmp"}) {
        bindingInC.push_back({work, kExists});
    }
    check("binding in C", kBinding, kCArguments, 0, "", bindingInC);
    // Without: the S-system form too, its bodies left in the scratch files.
    check("chain in C", kChain, kCArguments, 0, kChainWarnings,
          {golden("usrfunc.c", "chain/usrfunc.c"),
           golden("temp.c", "chain/flux.c"),
           golden("param.txt", "chain/param.txt"),
           golden("gh.c", "chain/gh.c"),
           golden("ssys.c", "chain/ssys.c"),
           {"s_fvec.tmp", kExists},
           {"s_fjac.tmp", kExists}});
    check("chain in MATLAB", kChain, kMatlabArguments, 0, kChainWarnings,
          {golden("ZYMORAX_get_GHdata.m", "chain_matlab/ZYMORAX_get_GHdata.m"),
           golden("ZYMORAX_get_GHnum.m", "chain_matlab/ZYMORAX_get_GHnum.m"),
           golden("ZYMORAX_S_usr_fvec.m", "chain_matlab/ZYMORAX_S_usr_fvec.m"),
           golden("ZYMORAX_S_usr_fjac.m", "chain_matlab/ZYMORAX_S_usr_fjac.m"),
           {"s_fjac.tmp", kStartsWith, "fjac = zeros(3);\n"}});
    check("binding in MATLAB", kBinding, kMatlabArguments, 0, "",
          {golden("ZYMORAX_usr_fvec.m", "binding_matlab/ZYMORAX_usr_fvec.m"),
           golden("ZYMORAX_usr_fjac.m", "binding_matlab/ZYMORAX_usr_fjac.m"),
           golden("ZYMORAX_usr_flux.m", "binding_matlab/ZYMORAX_usr_flux.m"),
           golden("ZYMORAX_initial.m", "binding_matlab/ZYMORAX_initial.m"),
           golden("ZYMORAX_param.m", "binding_matlab/ZYMORAX_param.m")});
    // A later switch replaces a name that -MATLAB set.
    check("MATLAB parameter file under its own name", kBinding,
          {"-MATLAB", "-Pmy_param.m", "-Dmodel.dae"}, 0, "",
          {golden("my_param.m", "binding_matlab/ZYMORAX_param.m"),
           {"ZYMORAX_param.m", kMissing},
           {"ZYMORAX_initial.m", kExists},
           {"ZYMORAX_usr_fvec.m", kExists}});
    // -m keeps the C layout but writes ^ powers and '# ' header lines.
    check("binding with -m", kBinding, kSmallMArguments, 0, "",
          {golden("param.txt", "binding/param.txt"),
           {"usrfunc.c", kStartsWith, "# TITLE:bind\n# INFO:A and B bin"},
           {"usrfunc.c", kContains,
            "\n#include \"kine.h\"\n\nvoid usr_fvec(double fvec[], double y[], "},
           {"usrfunc.c", kContains, "\tfvec[  4] = -0.5*kx[1]*(y[2]^2);\n"},
           {"usrfunc.c", kContains, "\tfjac[  4][  2] = -2*y[2]*0.5*kx[1];\n"}});
    check("chain with -m", kChain, kSmallMArguments, 0, kChainWarnings,
          {{"gh.c", kStartsWith, "# TITLE:chain\n# INFO:\n# CONVERSION"},
           {"gh.c", kContains,
            "\tv_minus[  3] = 2*kxg[2]*(y[3]^f[3]);\n"
            "\thd[  3][  3] = f[3]*(y[3]^(f[3] - 1))*2*kxg[2];\n}\n\n\n"
            "void get_GHnum(int *n_var, int *n_const)\n"},
           {"ssys.c", kContains, "\tfvec[  1] =  - kminus[1]*(y(3)^(h(1)));\n"},
           {"ssys.c", kContains,
            "\tfjac[  2][  1] = kplus[2]*(g(1)*(y(1)^(g(1)-1)))*(y(2)^(g(2)))"
            "*(constantPlayer(1)^(g(3)));\n"}});
    // A model whose expressions use no constant: none in the S-system either.
    check("S-system in MATLAB without constants", kNoConstants, kMatlabArguments, 0, "",
          {{"ZYMORAX_get_GHnum.m", kWhole,
            "% TITLE:decay\nfunction [n_var, n_const] = get_GHnum()\n"
            "\tn_var = 2;\n\tn_const = 0;\nend\n"},
           {"ZYMORAX_S_usr_fvec.m", kLacks, "constantPlayer"},
           {"ZYMORAX_S_usr_fvec.m", kContains,
            "\tend\n\tfvec(  1) =  - kminus(1)*(y(1)^(h(1)));\n"
            "\tfvec(  2) = kplus(2)*(y(1)^(g(1))) - kminus(2)*(y(2)^(h(2)));\nend\n"},
           {"ZYMORAX_get_GHdata.m", kContains,
            "\tv_minus(  2) = 2.5e-007*y(2);\n\thd(  2,  2) = 2.5e-007;\nend\n"},
           {"ZYMORAX_S_usr_fjac.m", kLacks, "constantPlayer"}});
    // With algebraic equations the S-system file needs no name; the last -P wins.
    check("no -S with algebraic equations", kBinding,
          {"-Pa.txt", "-Pparam.txt", "-Dmodel.dae", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c"}, 0, "",
          {golden("param.txt", "binding/param.txt"), {"a.txt", kMissing}});
}

// Each failure logs its reason and the step; what the earlier steps wrote stays.
TEST(SymcodeFailures, LogTheReasonAndTheStep) {
    const std::string error = "### ERROR!!\n";
    check("no arguments", "", {}, 255,
          "#  This program needs 6 input files. But now it has 0 file(s).\n" + kUsage +
              "## Error in my_init. \n" + error);
    check("invalid letter", "", {"-x", "-Dmodel.dae"}, 255,
          "#  Invalid argument !!\n" + kUsage + error);
    check("no DAE name", "", {"-MATLAB"}, 255,
          "#  No name is given for the DAE file (-D).\n## Error in read_data.\n" + error);
    check("no code name", kBinding,
          {"-Dmodel.dae", "-Pparam.txt", "-F", "-Ttemp.c", "-Ggh.c", "-Sssys.c"}, 255,
          "#  No name is given for the user-function file (-F).\n## Error in Write_usrfunc.\n" +
              error);
    check("no flux name", kBinding,
          {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-T", "-Ggh.c", "-Sssys.c"}, 255,
          "#  No name is given for the temporary-expression file (-T).\n"
          "## Error in Write_flux.\n" +
              error,
          {golden("usrfunc.c", "binding/usrfunc.c"), golden("param.txt", "binding/param.txt")});
    check("no S-system name without algebraic equations", kNoConstants,
          {"-Pa.txt", "-Pparam.txt", "-Dmodel.dae", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c"}, 255,
          "#  No name is given for the S-system file (-S).\n## Error in Set_Ssystem.\n" + error,
          {{"temp.c", kExists}, {"gh.c", kMissing}});
    check("unwritable code", kBinding, kCArguments, 255,
          "#  Cannot open usrfunc.c\n## Error in Write_usrfunc.\n" + error, {}, {"usrfunc.c"});
    check("unwritable MATLAB parameters", kBinding, kMatlabArguments, 255,
          "#  Cannot open ZYMORAX_param.m\n## Error in Write_paramFile.\n" + error,
          {golden("ZYMORAX_initial.m", "binding_matlab/ZYMORAX_initial.m")}, {"ZYMORAX_param.m"});
    check("unwritable G/H file", kChain, kCArguments, 255,
          kChainWarnings + "#  Cannot open gh.c\n## Error in Set_Ssystem.\n" + error,
          {golden("usrfunc.c", "chain/usrfunc.c"),
           golden("temp.c", "chain/flux.c"),
           {"ssys.c", kMissing}},
          {"gh.c"});
    check("unwritable S-system file", kChain, kCArguments, 255,
          kChainWarnings + "#  Cannot open ssys.c\n## Error in Set_Ssystem.\n" + error,
          {golden("gh.c", "chain/gh.c")}, {"ssys.c"});
    check("unwritable scratch file", kChain, kCArguments, 255,
          kChainWarnings +
              "#  Cannot open s_fvec.tmp\n## Error in make_Sdata.\n## Error in Set_Ssystem.\n" +
              error,
          {}, {"s_fvec.tmp"});
    std::string badIndex = kBinding;
    badIndex.replace(badIndex.find("kx[2] = 1e+06;"), 5, "kx[0]");
    check("reader fault", badIndex, kCArguments, 255,
          "#  Inappropriate parameter: '0' in 'kx[0]'.\n"
          "#  in line : kx[0] = 1e+06; reaction_rate_constant_unused\n"
          "## Error in read_param_index.\n## Error in read_param.\n## Error in read_data.\n" +
              error,
          {{"usrfunc.c", kMissing}});
}

TEST(SymcodeFailures, ASystemLogThatCannotBeOpenedIsReportedOnTheConsole) {
    Workspace ws;
    ProgramRun run =
        ws.run("symcode", kCArguments, {{"ZYMORAX_SYSLOG", ws.file("no/such/folder/sys.log")}});
    EXPECT_EQ(run.status, 255);
    EXPECT_EQ(run.out, "Cannot open sysLog file!!");
    EXPECT_EQ(run.err, "## Error in my_init. \n### ERROR!!\n");
}

// --- names in expressions, on a small model: labels k (two elements) and constantPlayer[1] ---

std::string names_dae(const std::string& differential, const std::string& temporaries = "",
                      const std::string& variables =
                          "= Algebraic Equation =\nx[A] = 1;\n"
                          "= Differencial Equation =\ny[B] = 1;\ny[C] = 2;\n",
                      const std::string& algebraic = "aeq_1: 0 = y[B] - x[A];\n") {
    return "== Model ==\nTITLE:names\n== Constant Players ==\nconstantPlayer[1] = 1; C\n"
           "== Variables ==\n" +
           variables +
           "== Used Parameters ==\nk;\n"
           "== Parameters ==\nk[1] = 1; k1\nk[2] = 2; k2\n"
           "== Temporary Expressions ==\n" +
           temporaries + "== Algebraic Eqs. ==\n" + algebraic + "== Differencial Eqs. ==\n" +
           differential;
}

// The end of the log of an equation that cannot be set up, and of a node check.
std::string equation_failure(const std::string& row, const std::string& text) {
    return "#  in No." + row + " : '" + text +
           "'\n## Error in set_expression. \n"
           "#  while setting up equations.\n### ERROR!!\n";
}
const std::string kNodeCheck = "## Error in check_detail.\n## Error in check_node.\n";

TEST(SymcodeNames, UnresolvableNamesNameTheEquation) {
    check("parameter index beyond its elements",
          names_dae("dydt[B] = k[3]*y[C];\ndydt[C] = k[1];\n"), kCArguments, 255,
          "#  This index is over the range. Now : 3, Limit : 2\n"
          "## Error in setUsedParam.\n#  'k[3]' is not registered.\n" +
              kNodeCheck + equation_failure("2", "k[3]*y[C]"));
    check("parameter index zero", names_dae("dydt[B] = y[C] - k[0];\ndydt[C] = k[1];\n"),
          kCArguments, 255,
          "#  Invalid expression : 'k[0]'\n" + kNodeCheck + equation_failure("2", "y[C]-k[0]"));
    check("unknown label", names_dae("dydt[B] = k[1]*(y[C] + q[1]);\ndydt[C] = k[1];\n"),
          kCArguments, 255,
          "#  'q' is an unknown expression.\n" + kNodeCheck + "## Error in check_node.\n" +
              equation_failure("2", "k[1]*(y[C]+q[1])"));
    check("unknown variable", names_dae("dydt[B] = k[1];\ndydt[C] = x[D];\n"), kCArguments, 255,
          "#  'x[D]' is not registered.\n" + kNodeCheck + equation_failure("3", "x[D]"));
    check("neither temporary nor indexed", names_dae("dydt[B] = rate;\ndydt[C] = k[1];\n"),
          kCArguments, 255,
          kLackOfBracket + "#  Invalid expression : 'rate'\n" + kNodeCheck +
              equation_failure("2", "rate"));
    check("unary minus of a negative temporary",
          names_dae("dydt[B] = -m;\ndydt[C] = k[1];\n", "m = -y[C];\n"), kCArguments, 255,
          kResolved +
              "#  No left-side expression.\n#  operation :'+'.\n## Error in Set_expr.\n"
              "## Error in expand_mid.\n" +
              kNodeCheck + equation_failure("2", "-m"));
    check("a third temporary behind a later one",
          names_dae("dydt[B] = -k[1]*y[B];\ndydt[C] = k[1];\n",
                    "t1 = k[1]*t2;\nt2 = t3*k[2];\nt3 = y[C];\n"),
          kCArguments, 255,
          kResolved + kResolved + kLackOfBracket +
              "#  Invalid expression. : 't3'\n## Error in replace_variable.\n"
              "## Error in check_node.\n## Error in check_node.\n"
              "#  in 1 : 'k[1]*t3*k[2]'\n## Error in set_expression. \n"
              "#  in Temporary Expression.\n### ERROR!!\n");
    // Temporaries built from each other stop at the text limit.
    std::string chained = "t1 = k[1]*y[B];\n";
    for (int i = 2; i <= 40; ++i) {
        const std::string previous = "t" + std::to_string(i - 1);
        chained += "t" + std::to_string(i) + " = " + previous + "*" + previous + ";\n";
    }
    check("text limit", names_dae("dydt[B] = t40;\ndydt[C] = k[1];\n", chained), kCArguments, 255,
          repeated(kResolved, 26) +
              "#  Too long expression!! leng=81919, Max=65535\n"
              "#  in No.14 : 't13*t13'\n## Error in set_expression. \n"
              "#  while setting up temporary expressions.\n### ERROR!!\n");
    check("algebraic variables without equations",
          names_dae("dydt[C] = -x[A];\n", "",
                    "= Algebraic Equation =\nx[A] = 1;\nx[B] = ;\n= Differencial Equation =\n"
                    "y[C] = 1;\n",
                    "aeq_1: 0 = y[C] - x[A];\n"),
          kCArguments, 255,
          "#  x[A]\n#  Above 2 x[**] variables are used.\n"
          "#  But number of Algebraic Equations is 1.\n"
          "## Error in set_variable_index. \n### ERROR!!\n");
    check("differential variable without equation", names_dae("dydt[B] = k[1];\ndydt[B] = k[2];\n"),
          kCArguments, 255,
          "#  y[C] is used, but there is no differential equation\n"
          "#  which starts with dydt[C].\n## Error in set_variable_index. \n### ERROR!!\n");
}

TEST(SymcodeNames, ResolvedNamesAreNumberedAndSubstituted) {
    // Differential variables take the row of their equation.
    check("rows of the equations",
          names_dae("dydt[E] = -k[1]*y[E];\ndydt[S] = k[1]*y[E];\n", "",
                    "= Algebraic Equation =\nx[P] = 3;\n= Differencial Equation =\n"
                    "y[S] = 1;\ny[E] = 2;\n",
                    "aeq_1: x[P] = y[S] + y[E];\n"),
          kCArguments, 0, "",
          {{"param.txt", kContains,
            "Y_START ;   1; 3.0000e+000;  P\t#\n"
            "Y_START ;   3; 1.0000e+000;  S\t#\n"
            "Y_START ;   2; 2.0000e+000;  E\t#\n"},
           {"usrfunc.c", kContains,
            "\tfvec[  1] = y[1] - (y[3] + y[2]);\n"
            "\tfvec[  2] = -k[1]*y[2];\n"
            "\tfvec[  3] = k[1]*y[2];\n"},
           // constantPlayer is referenced by no expression: no declaration, no parameter rows.
           {"usrfunc.c", kLacks, "constantPlayer"},
           {"param.txt", kLacks, "constantPlayer"},
           {"usrfunc.c", kContains, "\tdouble *k\t= p->val[1];\n"}});
    check("temporaries substituted with brackets",
          names_dae("dydt[B] = k[1]/m;\ndydt[C] = k[2]*m - n;\n", "m = k[1]*y[C];\nn = -y[B];\n"),
          kCArguments, 0, repeated(kResolved, 3),
          {{"usrfunc.c", kContains,
            "\tfvec[  2] = k[1]/(k[1]*y[3]);\n\tfvec[  3] = k[2]*k[1]*y[3] + y[2];\n"},
           {"temp.c", kContains,
            "\tflux[  1] = k[1]*y[3]; /* m */\n\tflux[  2] = -y[2]; /* n */\n"
            "\n\t/* No Total expression. */\n}\n\n"}});
    // Flux and total rows share one running index. No equation refers to constantPlayer, a
    // temporary does: it is declared first. An equation without variables has no Jacobian
    // entry; k[1]*y[C] has one, in column 3.
    check("flux rows",
          names_dae("dydt[B] = k[1];\ndydt[C] = k[1]*y[C];\n",
                    "= Total enzyme =\nT1 = k[1];\n= Flux =\nv*/x = k[2];\nv3 = y[B];\n"
                    "= Total enzyme =\nT4 = y[C] + constantPlayer[1];\n"),
          kCArguments, 0, "",
          {{"temp.c", kContains,
            "\n\ttotal[  1] = k[1]; /* T1 */\n"
            "\tflux[  2] = k[2]; /* v*_/x */\n"
            "\tflux[  3] = y[2]; /* v3 */\n"
            "\ttotal[  4] = y[3] + constantPlayer[1]; /* T4 */\n}\n\n"},
           {"temp.c", kContains,
            "{\n\tdouble *constantPlayer\t= p->val[1];\n\tdouble *k\t= p->val[2];\n\n"},
           {"usrfunc.c", kEndsWith,
            "\n\n\tfjac[  1][  1] = -1;\n\tfjac[  1][  2] = 1;\n\tfjac[  3][  3] = k[1];\n}\n"}});
}

}  // namespace
