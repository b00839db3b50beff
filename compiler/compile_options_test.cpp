#include "compile_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace {

using zymorax::testkit::LogCapture;

const std::string kUsage =
    "#  Usage : symcode -Df_DAE -Pf_Param -Ff_UserFunc -Tf_TempExpr -Gf_GH -Sf_Ssys [-d*]\n";

int parse(std::vector<std::string> args, CompileOptions& options) {
    args.insert(args.begin(), "/opt/bin/symcode");
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    return parse_arguments(static_cast<int>(argv.size()), argv.data(), options);
}

// The ten names in the order D F P T G S, then initial, jacobian, G/H data, S-system Jacobian.
std::string names(const CompileOptions& o) {
    std::string out;
    for (const std::string* name :
         {&o.daeFile, &o.userFunctionFile, &o.parameterFile, &o.tempExprFile, &o.ghFile,
          &o.ssysFile, &o.initialFile, &o.jacobianFile, &o.ghDataFile, &o.ssysJacobianFile}) {
        out += *name + ";";
    }
    return out + (o.cNotation ? " c" : " caret") + (o.matlab ? " matlab" : "");
}

TEST(CompileOptions, SixFileOptionsSelectCModeAndOtherArgumentsAreIgnored) {
    LogCapture log;
    CompileOptions options;
    ASSERT_EQ(
        parse({"-Dm.dae", "-Pp.txt", "-Ff.c", "-Tt.c", "-Gg.c", "-Ss.c", "-dx", "loose"}, options),
        0);
    EXPECT_EQ(log.take(), "");
    EXPECT_EQ(names(options), "m.dae;f.c;p.txt;t.c;g.c;s.c;;;;; c");
}

TEST(CompileOptions, MatlabSetsTheFixedNamesAndLaterOptionsReplaceThem) {
    CompileOptions options;
    ASSERT_EQ(parse({"-Pearly.m", "-MATLAB", "-Pmy_param.m", "-Dm.dae"}, options), 0);
    EXPECT_EQ(names(options),
              "m.dae;ZYMORAX_usr_fvec.m;my_param.m;ZYMORAX_usr_flux.m;ZYMORAX_get_GHnum.m;"
              "ZYMORAX_S_usr_fvec.m;ZYMORAX_initial.m;ZYMORAX_usr_fjac.m;ZYMORAX_get_GHdata.m;"
              "ZYMORAX_S_usr_fjac.m; caret matlab");
}

TEST(CompileOptions, OtherMOptionsEndMatlabModeOnly) {
    LogCapture log;
    CompileOptions options;
    EXPECT_EQ(parse({"-MATLAB", "-Mx", "-Dm"}, options), -1);
    EXPECT_FALSE(options.matlab);
    EXPECT_FALSE(options.cNotation);
    EXPECT_EQ(options.parameterFile, "ZYMORAX_param.m");
    EXPECT_EQ(log.take(),
              "#  This program needs 6 input files. But now it has 1 file(s).\n" + kUsage);
}

TEST(CompileOptions, WrongCountsAndLettersFail) {
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string log;
    };
    const std::string count = "#  This program needs 6 input files. But now it has ";
    const Case cases[] = {
        {{}, -1, count + "0 file(s).\n" + kUsage},
        {{"-Da", "-Pb", "-Fc", "-Td", "-Ge", "-Sf", "-Sg"}, -1, count + "7 file(s).\n" + kUsage},
        {{"-x", "-Da"}, -2, "#  Invalid argument !!\n" + kUsage},
        {{"-"}, -2, "#  Invalid argument !!\n" + kUsage},
    };
    LogCapture log;
    for (const Case& c : cases) {
        CompileOptions options;
        EXPECT_EQ(parse(c.args, options), c.status) << c.log;
        EXPECT_EQ(log.take(), c.log);
    }
}

}  // namespace
