// symcode run as a modeller runs it: a DAE file in a working directory, the outputs and the
// system log checked byte for byte, and the exit status.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace {

using namespace zymorax::testkit;

const std::vector<std::string> kCArguments = {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c",
                                              "-Ttemp.c",    "-Ggh.c",      "-Sssys.c"};

std::string testdata(const std::string& name) {
    return source_dir() + "/compiler/testdata/" + name;
}

// One run of symcode in its own working directory; the system log goes to a file.
struct SymcodeRun {
    TempDir dir;
    RunResult result;
    std::string log;

    void start(const std::string& dae, const std::vector<std::string>& args) {
        write_file(dir.file("model.dae"), dae);
        std::string logFile = dir.file("sys.log");
        result =
            run_program(program_path("symcode"), args, dir.path(), {{"ZYMORAX_SYSLOG", logFile}});
        log = read_file(logFile);
    }
    std::string output(const std::string& name) const { return read_file(dir.file(name)); }
    bool has(const std::string& name) const { return file_exists(dir.file(name)); }
};

void expect_golden(const SymcodeRun& run, const std::string& output, const std::string& golden) {
    EXPECT_EQ(run.output(output), read_file(testdata("golden/" + golden))) << output;
}

TEST(SymcodeGolden, BindingModelInC) {
    SymcodeRun run;
    run.start(read_file(testdata("binding.dae")), kCArguments);
    ASSERT_EQ(run.result.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
    expect_golden(run, "usrfunc.c", "binding/usrfunc.c");
    expect_golden(run, "temp.c", "binding/flux.c");
    expect_golden(run, "param.txt", "binding/param.txt");
    // With algebraic equations there is no S-system form.
    EXPECT_FALSE(run.has("gh.c"));
    EXPECT_FALSE(run.has("ssys.c"));
    for (const char* work : {"head.tmp", "usedp.tmp", "const.tmp", "var.tmp", "mid.tmp", "aeq.tmp",
                             "deq.tmp", "param.tmp", "tmp.tmp"}) {
        EXPECT_TRUE(run.has(work)) << work;
    }
}

TEST(SymcodeGolden, GmaChainWithTemporariesInC) {
    SymcodeRun run;
    run.start(read_file(testdata("chain.dae")), kCArguments);
    ASSERT_EQ(run.result.status, 0) << run.log;
    expect_golden(run, "usrfunc.c", "chain/usrfunc.c");
    expect_golden(run, "temp.c", "chain/flux.c");
    expect_golden(run, "param.txt", "chain/param.txt");
    // No algebraic equations: the S-system form too, its bodies left in the scratch files.
    expect_golden(run, "gh.c", "chain/gh.c");
    expect_golden(run, "ssys.c", "chain/ssys.c");
    EXPECT_TRUE(run.has("s_fvec.tmp"));
    EXPECT_TRUE(run.has("s_fjac.tmp"));
}

TEST(SymcodeGolden, GmaChainInMatlab) {
    SymcodeRun run;
    run.start(read_file(testdata("chain.dae")), {"-MATLAB", "-Dmodel.dae"});
    ASSERT_EQ(run.result.status, 0) << run.log;
    for (const char* file : {"ZYMORAX_get_GHdata.m", "ZYMORAX_get_GHnum.m", "ZYMORAX_S_usr_fvec.m",
                             "ZYMORAX_S_usr_fjac.m"}) {
        expect_golden(run, file, std::string("chain_matlab/") + file);
    }
    EXPECT_EQ(run.output("s_fjac.tmp").substr(0, 17), "fjac = zeros(3);\n");
}

TEST(SymcodeGolden, BindingModelInMatlab) {
    SymcodeRun run;
    run.start(read_file(testdata("binding.dae")), {"-MATLAB", "-Dmodel.dae"});
    ASSERT_EQ(run.result.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
    for (const char* file : {"ZYMORAX_usr_fvec.m", "ZYMORAX_usr_fjac.m", "ZYMORAX_usr_flux.m",
                             "ZYMORAX_initial.m", "ZYMORAX_param.m"}) {
        expect_golden(run, file, std::string("binding_matlab/") + file);
    }
}

TEST(SymcodeGolden, MatlabParameterFileUnderItsOwnName) {
    SymcodeRun run;
    run.start(read_file(testdata("binding.dae")), {"-MATLAB", "-Pmy_param.m", "-Dmodel.dae"});
    ASSERT_EQ(run.result.status, 0) << run.log;
    expect_golden(run, "my_param.m", "binding_matlab/ZYMORAX_param.m");
    EXPECT_FALSE(run.has("ZYMORAX_param.m"));
    EXPECT_TRUE(run.has("ZYMORAX_initial.m"));
    EXPECT_TRUE(run.has("ZYMORAX_usr_fvec.m"));
}

TEST(SymcodeGolden, SmallMKeepsTheCLayoutWithCaretPowers) {
    SymcodeRun run;
    run.start(
        read_file(testdata("binding.dae")),
        {"-m", "-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"});
    ASSERT_EQ(run.result.status, 0) << run.log;
    std::string code = run.output("usrfunc.c");
    EXPECT_EQ(code.substr(0, 31), "# TITLE:bind\n# INFO:A and B bin");
    EXPECT_NE(code.find("\n#include \"kine.h\"\n\nvoid usr_fvec(double fvec[], double y[], "),
              std::string::npos);
    EXPECT_NE(code.find("\tfvec[  4] = -0.5*kx[1]*(y[2]^2);\n"), std::string::npos);
    EXPECT_NE(code.find("\tfjac[  4][  2] = -2*y[2]*0.5*kx[1];\n"), std::string::npos);
    EXPECT_EQ(run.output("param.txt"), read_file(testdata("golden/binding/param.txt")));
}

TEST(SymcodeGolden, SmallMKeepsTheCLayoutOfTheSsystem) {
    SymcodeRun run;
    run.start(read_file(testdata("chain.dae")), {"-m", "-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c",
                                                 "-Ttemp.c", "-Ggh.c", "-Sssys.c"});
    ASSERT_EQ(run.result.status, 0) << run.log;
    std::string gh = run.output("gh.c");
    EXPECT_EQ(gh.substr(0, 34), "# TITLE:chain\n# INFO:\n# CONVERSION");
    EXPECT_NE(gh.find("\tv_minus[  3] = 2*kxg[2]*(y[3]^f[3]);\n"
                      "\thd[  3][  3] = f[3]*(y[3]^(f[3] - 1))*2*kxg[2];\n}\n\n\n"
                      "void get_GHnum(int *n_var, int *n_const)\n"),
              std::string::npos)
        << gh;
    std::string ssys = run.output("ssys.c");
    EXPECT_NE(ssys.find("\tfvec[  1] =  - kminus[1]*(y(3)^(h(1)));\n"), std::string::npos);
    EXPECT_NE(ssys.find("\tfjac[  2][  1] = kplus[2]*(g(1)*(y(1)^(g(1)-1)))*(y(2)^(g(2)))"
                        "*(constantPlayer(1)^(g(3)));\n"),
              std::string::npos)
        << ssys;
}

// A model without algebraic equations whose expressions use no constant.
const char* const kNoConstantsDae =
    "== Model ==\nTITLE:decay\n== Constant Players ==\nconstantPlayer[1] = 1; C\n"
    "== Variables ==\n= Differencial Equation =\ny[A] = 1;\ny[B] = 0;\n"
    "== Used Parameters ==\nk;\n== Parameters ==\nk[1] = 0.5; k1\nk[2] = 2e-07; k2\n"
    "== Temporary Expressions ==\n== Algebraic Eqs. ==\n"
    "== Differencial Eqs. ==\ndydt[A] = -k[1]*y[A];\ndydt[B] = k[1]*y[A] - 2.5e-7*y[B];\n";

TEST(SymcodeSsystem, MatlabWithoutConstants) {
    SymcodeRun run;
    run.start(kNoConstantsDae, {"-MATLAB", "-Dmodel.dae"});
    ASSERT_EQ(run.result.status, 0) << run.log;
    EXPECT_EQ(run.log, "");
    EXPECT_EQ(run.output("ZYMORAX_get_GHnum.m"),
              "% TITLE:decay\nfunction [n_var, n_const] = get_GHnum()\n"
              "\tn_var = 2;\n\tn_const = 0;\nend\n");
    std::string fvec = run.output("ZYMORAX_S_usr_fvec.m");
    EXPECT_EQ(fvec.find("constantPlayer"), std::string::npos);
    EXPECT_NE(fvec.find("\tend\n\tfvec(  1) =  - kminus(1)*(y(1)^(h(1)));\n"
                        "\tfvec(  2) = kplus(2)*(y(1)^(g(1))) - kminus(2)*(y(2)^(h(2)));\nend\n"),
              std::string::npos)
        << fvec;
    std::string data = run.output("ZYMORAX_get_GHdata.m");
    EXPECT_NE(data.find("\tv_minus(  2) = 2.5e-007*y(2);\n\thd(  2,  2) = 2.5e-007;\nend\n"),
              std::string::npos)
        << data;
    EXPECT_EQ(run.output("ZYMORAX_S_usr_fjac.m").find("constantPlayer"), std::string::npos);
}

TEST(SymcodeSsystem, OutputsThatCannotBeWritten) {
    SymcodeRun gh;
    std::filesystem::create_directory(gh.dir.file("gh.c"));
    gh.start(read_file(testdata("chain.dae")), kCArguments);
    EXPECT_EQ(gh.result.status, 255);
    EXPECT_EQ(gh.log.substr(gh.log.find("#  Cannot open")),
              "#  Cannot open gh.c\n## Error in Set_Ssystem.\n### ERROR!!\n");
    // The earlier outputs stay.
    expect_golden(gh, "usrfunc.c", "chain/usrfunc.c");
    expect_golden(gh, "temp.c", "chain/flux.c");
    EXPECT_FALSE(gh.has("ssys.c"));

    SymcodeRun ssys;
    std::filesystem::create_directory(ssys.dir.file("ssys.c"));
    ssys.start(read_file(testdata("chain.dae")), kCArguments);
    EXPECT_EQ(ssys.result.status, 255);
    EXPECT_EQ(ssys.log.substr(ssys.log.find("#  Cannot open")),
              "#  Cannot open ssys.c\n## Error in Set_Ssystem.\n### ERROR!!\n");
    expect_golden(ssys, "gh.c", "chain/gh.c");

    SymcodeRun scratch;
    std::filesystem::create_directory(scratch.dir.file("s_fvec.tmp"));
    scratch.start(read_file(testdata("chain.dae")), kCArguments);
    EXPECT_EQ(scratch.result.status, 255);
    EXPECT_EQ(scratch.log.substr(scratch.log.find("#  Cannot open")),
              "#  Cannot open s_fvec.tmp\n## Error in make_Sdata.\n## Error in Set_Ssystem.\n"
              "### ERROR!!\n");
}

TEST(SymcodeSsystem, MissingSsystemNameFailsWithoutAlgebraicEquations) {
    SymcodeRun run;
    run.start(kNoConstantsDae,
              {"-Pa.txt", "-Pparam.txt", "-Dmodel.dae", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c"});
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  No name is given for the S-system file (-S).\n## Error in Set_Ssystem.\n"
              "### ERROR!!\n");
    EXPECT_TRUE(run.has("temp.c"));
    EXPECT_FALSE(run.has("gh.c"));
}

// --- the command line -------------------------------------------------------------------

const std::string kUsage =
    "#  Usage : symcode -Df_DAE -Pf_Param -Ff_UserFunc -Tf_TempExpr -Gf_GH -Sf_Ssys [-d*]\n";

TEST(SymcodeCommandLine, NoArguments) {
    SymcodeRun run;
    run.start("", {});
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log, "#  This program needs 6 input files. But now it has 0 file(s).\n" + kUsage +
                           "## Error in my_init. \n### ERROR!!\n");
}

TEST(SymcodeCommandLine, InvalidLetter) {
    SymcodeRun run;
    run.start("", {"-x", "-Dmodel.dae"});
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log, "#  Invalid argument !!\n" + kUsage + "### ERROR!!\n");
}

TEST(SymcodeCommandLine, UnopenableLog) {
    TempDir dir;
    RunResult result = run_program(program_path("symcode"), kCArguments, dir.path(),
                                   {{"ZYMORAX_SYSLOG", dir.file("no/such/folder/sys.log")}});
    EXPECT_EQ(result.status, 255);
    EXPECT_EQ(result.out, "Cannot open sysLog file!!");
    EXPECT_EQ(result.err, "## Error in my_init. \n### ERROR!!\n");
}

TEST(SymcodeCommandLine, MissingSsystemNameIsFineWithAlgebraicEquations) {
    SymcodeRun run;
    run.start(read_file(testdata("binding.dae")),
              {"-Pa.txt", "-Pparam.txt", "-Dmodel.dae", "-Fusrfunc.c", "-Ttemp.c", "-Ggh.c"});
    EXPECT_EQ(run.result.status, 0) << run.log;
    EXPECT_FALSE(run.has("a.txt"));
    expect_golden(run, "param.txt", "binding/param.txt");
}

TEST(SymcodeCommandLine, MissingNamesFailTheStepThatNeedsThem) {
    SymcodeRun noDae;
    noDae.start("", {"-MATLAB"});
    EXPECT_EQ(noDae.result.status, 255);
    EXPECT_EQ(noDae.log,
              "#  No name is given for the DAE file (-D).\n"
              "## Error in read_data.\n### ERROR!!\n");

    SymcodeRun noCode;
    noCode.start(read_file(testdata("binding.dae")),
                 {"-Dmodel.dae", "-Pparam.txt", "-F", "-Ttemp.c", "-Ggh.c", "-Sssys.c"});
    EXPECT_EQ(noCode.result.status, 255);
    EXPECT_EQ(noCode.log,
              "#  No name is given for the user-function file (-F).\n"
              "## Error in Write_usrfunc.\n### ERROR!!\n");

    SymcodeRun noFlux;
    noFlux.start(read_file(testdata("binding.dae")),
                 {"-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c", "-T", "-Ggh.c", "-Sssys.c"});
    EXPECT_EQ(noFlux.result.status, 255);
    EXPECT_EQ(noFlux.log,
              "#  No name is given for the temporary-expression file (-T).\n"
              "## Error in Write_flux.\n### ERROR!!\n");
    // What the earlier steps wrote stays.
    expect_golden(noFlux, "usrfunc.c", "binding/usrfunc.c");
    expect_golden(noFlux, "param.txt", "binding/param.txt");
}

TEST(SymcodeCommandLine, UnwritableOutputs) {
    SymcodeRun run;
    std::filesystem::create_directory(run.dir.file("usrfunc.c"));
    run.start(read_file(testdata("binding.dae")), kCArguments);
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log, "#  Cannot open usrfunc.c\n## Error in Write_usrfunc.\n### ERROR!!\n");

    SymcodeRun param;
    std::filesystem::create_directory(param.dir.file("ZYMORAX_param.m"));
    param.start(read_file(testdata("binding.dae")), {"-MATLAB", "-Dmodel.dae"});
    EXPECT_EQ(param.result.status, 255);
    EXPECT_EQ(param.log,
              "#  Cannot open ZYMORAX_param.m\n## Error in Write_paramFile.\n### ERROR!!\n");
    expect_golden(param, "ZYMORAX_initial.m", "binding_matlab/ZYMORAX_initial.m");
}

TEST(SymcodeCommandLine, ReaderFaultEndsTheRun) {
    SymcodeRun run;
    std::string dae = read_file(testdata("binding.dae"));
    dae.replace(dae.find("kx[2] = 1e+06;"), 5, "kx[0]");
    run.start(dae, kCArguments);
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  Inappropriate parameter: '0' in 'kx[0]'.\n"
              "#  in line : kx[0] = 1e+06; reaction_rate_constant_unused\n"
              "## Error in read_param_index.\n## Error in read_param.\n## Error in read_data.\n"
              "### ERROR!!\n");
    EXPECT_FALSE(run.has("usrfunc.c"));
}

// --- names in expressions -----------------------------------------------------------------

namespace names {

// A small DAE file: labels k (three elements) and constantPlayer[1].
std::string dae(const std::string& variables, const std::string& temporaries,
                const std::string& algebraic, const std::string& differential) {
    return "== Model ==\nTITLE:names\n== Constant Players ==\nconstantPlayer[1] = 1; C\n"
           "== Variables ==\n" +
           variables +
           "== Used Parameters ==\nk;\n"
           "== Parameters ==\nk[1] = 1; k1\nk[2] = 2; k2\n"
           "== Temporary Expressions ==\n" +
           temporaries + "== Algebraic Eqs. ==\n" + algebraic + "== Differencial Eqs. ==\n" +
           differential;
}

const char* const kVariables =
    "= Algebraic Equation =\nx[A] = 1;\n"
    "= Differencial Equation =\ny[B] = 1;\ny[C] = 2;\n";
const char* const kAlgebraic = "aeq_1: 0 = y[B] - x[A];\n";

std::string equation_failure(const std::string& row, const std::string& text) {
    return "#  in No." + row + " : '" + text +
           "'\n## Error in set_expression. \n"
           "#  while setting up equations.\n### ERROR!!\n";
}

void run_with(SymcodeRun& run, const std::string& differential,
              const std::string& temporaries = "") {
    run.start(dae(kVariables, temporaries, kAlgebraic, differential), kCArguments);
}

}  // namespace names

TEST(SymcodeNames, ParameterIndexBeyondItsElements) {
    SymcodeRun run;
    names::run_with(run, "dydt[B] = k[3]*y[C];\ndydt[C] = k[1];\n");
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  This index is over the range. Now : 3, Limit : 2\n"
              "## Error in setUsedParam.\n#  'k[3]' is not registered.\n"
              "## Error in check_detail.\n## Error in check_node.\n" +
                  names::equation_failure("2", "k[3]*y[C]"));
}

TEST(SymcodeNames, ParameterIndexZero) {
    SymcodeRun run;
    names::run_with(run, "dydt[B] = y[C] - k[0];\ndydt[C] = k[1];\n");
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  Invalid expression : 'k[0]'\n## Error in check_detail.\n"
              "## Error in check_node.\n" +
                  names::equation_failure("2", "y[C]-k[0]"));
}

TEST(SymcodeNames, UnknownLabelAndUnknownVariable) {
    SymcodeRun label;
    names::run_with(label, "dydt[B] = k[1]*(y[C] + q[1]);\ndydt[C] = k[1];\n");
    EXPECT_EQ(label.result.status, 255);
    EXPECT_EQ(label.log,
              "#  'q' is an unknown expression.\n## Error in check_detail.\n"
              "## Error in check_node.\n## Error in check_node.\n" +
                  names::equation_failure("2", "k[1]*(y[C]+q[1])"));

    SymcodeRun variable;
    names::run_with(variable, "dydt[B] = k[1];\ndydt[C] = x[D];\n");
    EXPECT_EQ(variable.result.status, 255);
    EXPECT_EQ(variable.log,
              "#  'x[D]' is not registered.\n## Error in check_detail.\n"
              "## Error in check_node.\n" +
                  names::equation_failure("3", "x[D]"));
}

TEST(SymcodeNames, NameThatIsNeitherTemporaryNorIndexed) {
    SymcodeRun run;
    names::run_with(run, "dydt[B] = rate;\ndydt[C] = k[1];\n");
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  Lack of '['.\n## Warning!! in divide_variable.\n"
              "#  Invalid expression : 'rate'\n## Error in check_detail.\n"
              "## Error in check_node.\n" +
                  names::equation_failure("2", "rate"));
}

TEST(SymcodeNames, AlgebraicVariablesMustMatchTheAlgebraicEquations) {
    SymcodeRun run;
    run.start(names::dae("= Algebraic Equation =\nx[A] = 1;\nx[B] = ;\n"
                         "= Differencial Equation =\ny[C] = 1;\n",
                         "", "aeq_1: 0 = y[C] - x[A];\n", "dydt[C] = -x[A];\n"),
              kCArguments);
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  x[A]\n#  Above 2 x[**] variables are used.\n"
              "#  But number of Algebraic Equations is 1.\n"
              "## Error in set_variable_index. \n### ERROR!!\n");
}

TEST(SymcodeNames, DifferentialVariableWithoutEquation) {
    SymcodeRun run;
    run.start(names::dae(names::kVariables, "", names::kAlgebraic,
                         "dydt[B] = k[1];\n"
                         "dydt[B] = k[2];\n"),
              kCArguments);
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  y[C] is used, but there is no differential equation\n"
              "#  which starts with dydt[C].\n## Error in set_variable_index. \n"
              "### ERROR!!\n");
}

TEST(SymcodeNames, DifferentialVariablesTakeTheRowOfTheirEquation) {
    SymcodeRun run;
    run.start(names::dae("= Algebraic Equation =\nx[P] = 3;\n= Differencial Equation =\n"
                         "y[S] = 1;\ny[E] = 2;\n",
                         "", "aeq_1: x[P] = y[S] + y[E];\n",
                         "dydt[E] = -k[1]*y[E];\ndydt[S] = k[1]*y[E];\n"),
              kCArguments);
    ASSERT_EQ(run.result.status, 0) << run.log;
    std::string param = run.output("param.txt");
    EXPECT_NE(param.find("Y_START ;   1; 3.0000e+000;  P\t#\n"
                         "Y_START ;   3; 1.0000e+000;  S\t#\n"
                         "Y_START ;   2; 2.0000e+000;  E\t#\n"),
              std::string::npos)
        << param;
    std::string code = run.output("usrfunc.c");
    EXPECT_NE(code.find("\tfvec[  1] = y[1] - (y[3] + y[2]);\n"
                        "\tfvec[  2] = -k[1]*y[2];\n"
                        "\tfvec[  3] = k[1]*y[2];\n"),
              std::string::npos)
        << code;
    // constantPlayer is referenced by no expression: no declaration, no parameter rows.
    EXPECT_EQ(code.find("constantPlayer"), std::string::npos);
    EXPECT_EQ(param.find("constantPlayer"), std::string::npos);
    EXPECT_NE(code.find("\tdouble *k\t= p->val[1];\n"), std::string::npos);
}

TEST(SymcodeNames, TemporariesAreSubstitutedWithBrackets) {
    SymcodeRun run;
    names::run_with(run, "dydt[B] = k[1]/m;\ndydt[C] = k[2]*m - n;\n",
                    "m = k[1]*y[C];\nn = -y[B];\n");
    ASSERT_EQ(run.result.status, 0) << run.log;
    std::string code = run.output("usrfunc.c");
    EXPECT_NE(code.find("\tfvec[  2] = k[1]/(k[1]*y[3]);\n"
                        "\tfvec[  3] = k[2]*k[1]*y[3] + y[2];\n"),
              std::string::npos)
        << code;
    std::string flux = run.output("temp.c");
    EXPECT_NE(flux.find("\tflux[  1] = k[1]*y[3]; /* m */\n\tflux[  2] = -y[2]; /* n */\n"
                        "\n\t/* No Total expression. */\n}\n\n"),
              std::string::npos)
        << flux;
    // Each resolved temporary name passes through the splitter's warning first.
    const std::string warning =
        "#  Lack of '['.\n## Warning!! in divide_variable.\n"
        "#  Above warnings are meaningless.\n\n";
    EXPECT_EQ(run.log, warning + warning + warning);
}

TEST(SymcodeNames, FluxRowsShareOneRunningIndex) {
    SymcodeRun run;
    names::run_with(run, "dydt[B] = k[1];\ndydt[C] = k[1]*y[C];\n",
                    "= Total enzyme =\nT1 = k[1];\n= Flux =\nv*/x = k[2];\nv3 = y[B];\n"
                    "= Total enzyme =\nT4 = y[C] + constantPlayer[1];\n");
    ASSERT_EQ(run.result.status, 0) << run.log;
    std::string flux = run.output("temp.c");
    EXPECT_NE(flux.find("\n\ttotal[  1] = k[1]; /* T1 */\n"
                        "\tflux[  2] = k[2]; /* v*_/x */\n"
                        "\tflux[  3] = y[2]; /* v3 */\n"
                        "\ttotal[  4] = y[3] + constantPlayer[1]; /* T4 */\n}\n\n"),
              std::string::npos)
        << flux;
    // No equation refers to constantPlayer, a temporary does: it is declared first.
    EXPECT_NE(flux.find("{\n\tdouble *constantPlayer\t= p->val[1];\n\tdouble *k\t= p->val[2];\n\n"),
              std::string::npos);
    // An equation without variables has no Jacobian entry; k[1]*y[C] has one, in column 3.
    std::string code = run.output("usrfunc.c");
    size_t jacobian = code.find("void usr_fjac");
    ASSERT_NE(jacobian, std::string::npos);
    EXPECT_EQ(code.substr(code.find("\n\n", jacobian) + 2),
              "\tfjac[  1][  1] = -1;\n\tfjac[  1][  2] = 1;\n\tfjac[  3][  3] = k[1];\n}\n");
}

TEST(SymcodeNames, TemporariesBuiltFromEachOtherStopAtTheTextLimit) {
    std::string temporaries = "t1 = k[1]*y[B];\n";
    for (int i = 2; i <= 40; ++i) {
        temporaries += "t" + std::to_string(i) + " = t" + std::to_string(i - 1) + "*t" +
                       std::to_string(i - 1) + ";\n";
    }
    SymcodeRun run;
    names::run_with(run, "dydt[B] = t40;\ndydt[C] = k[1];\n", temporaries);
    EXPECT_EQ(run.result.status, 255);
    const std::string tail =
        "#  Too long expression!! leng=81919, Max=65535\n"
        "#  in No.14 : 't13*t13'\n## Error in set_expression. \n"
        "#  while setting up temporary expressions.\n### ERROR!!\n";
    ASSERT_GE(run.log.size(), tail.size());
    EXPECT_EQ(run.log.substr(run.log.size() - tail.size()), tail);
}

TEST(SymcodeNames, UnaryMinusOfANegativeTemporaryFails) {
    SymcodeRun run;
    names::run_with(run, "dydt[B] = -m;\ndydt[C] = k[1];\n", "m = -y[C];\n");
    EXPECT_EQ(run.result.status, 255);
    EXPECT_EQ(run.log,
              "#  Lack of '['.\n## Warning!! in divide_variable.\n"
              "#  Above warnings are meaningless.\n\n"
              "#  No left-side expression.\n#  operation :'+'.\n## Error in Set_expr.\n"
              "## Error in expand_mid.\n## Error in check_detail.\n"
              "## Error in check_node.\n" +
                  names::equation_failure("2", "-m"));
}

TEST(SymcodeNames, ThirdTemporaryBehindALaterOneStaysUnresolved) {
    SymcodeRun run;
    names::run_with(run, "dydt[B] = -k[1]*y[B];\ndydt[C] = k[1];\n",
                    "t1 = k[1]*t2;\nt2 = t3*k[2];\nt3 = y[C];\n");
    EXPECT_EQ(run.result.status, 255);
    const std::string warning = "#  Lack of '['.\n## Warning!! in divide_variable.\n";
    EXPECT_EQ(run.log, warning + "#  Above warnings are meaningless.\n\n" + warning +
                           "#  Above warnings are meaningless.\n\n" + warning +
                           "#  Invalid expression. : 't3'\n## Error in replace_variable.\n"
                           "## Error in check_node.\n## Error in check_node.\n"
                           "#  in 1 : 'k[1]*t3*k[2]'\n## Error in set_expression. \n"
                           "#  in Temporary Expression.\n### ERROR!!\n");
}

}  // namespace
