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

TEST(CompileOptions, SixFileOptionsSelectCMode) {
    LogCapture log;
    CompileOptions options;
    ASSERT_EQ(parse({"-Dm.dae", "-Pp.txt", "-Ff.c", "-Tt.c", "-Gg.c", "-Ss.c", "-dx", "loose"},
                    options),
              0);
    EXPECT_EQ(log.take(), "");
    EXPECT_EQ(options.daeFile, "m.dae");
    EXPECT_EQ(options.parameterFile, "p.txt");
    EXPECT_EQ(options.userFunctionFile, "f.c");
    EXPECT_EQ(options.tempExprFile, "t.c");
    EXPECT_EQ(options.ghFile, "g.c");
    EXPECT_EQ(options.ssysFile, "s.c");
    EXPECT_TRUE(options.cNotation);
    EXPECT_FALSE(options.matlab);
}

TEST(CompileOptions, ARepeatedOptionCountsTwiceAndTheLaterValueWins) {
    CompileOptions options;
    ASSERT_EQ(parse({"-Pa", "-Pb", "-Dm", "-Ff", "-Tt", "-Gg"}, options), 0);
    EXPECT_EQ(options.parameterFile, "b");
    EXPECT_EQ(options.ssysFile, "");
}

TEST(CompileOptions, MatlabSetsTheFixedNamesAndLaterOptionsReplaceThem) {
    CompileOptions options;
    ASSERT_EQ(parse({"-Pearly.m", "-MATLAB", "-Pmy_param.m", "-Dm.dae"}, options), 0);
    EXPECT_TRUE(options.matlab);
    EXPECT_FALSE(options.cNotation);
    EXPECT_EQ(options.parameterFile, "my_param.m");
    EXPECT_EQ(options.userFunctionFile, "ZYMORAX_usr_fvec.m");
    EXPECT_EQ(options.tempExprFile, "ZYMORAX_usr_flux.m");
    EXPECT_EQ(options.ghFile, "ZYMORAX_get_GHnum.m");
    EXPECT_EQ(options.ssysFile, "ZYMORAX_S_usr_fvec.m");
    EXPECT_EQ(options.initialFile, "ZYMORAX_initial.m");
    EXPECT_EQ(options.jacobianFile, "ZYMORAX_usr_fjac.m");
    EXPECT_EQ(options.ghDataFile, "ZYMORAX_get_GHdata.m");
    EXPECT_EQ(options.ssysJacobianFile, "ZYMORAX_S_usr_fjac.m");
}

TEST(CompileOptions, MatlabWithoutDaeFileIsAccepted) {
    CompileOptions options;
    EXPECT_EQ(parse({"-MATLAB"}, options), 0);
    EXPECT_EQ(options.daeFile, "");
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

TEST(CompileOptions, SmallMKeepsTheCLayout) {
    CompileOptions options;
    ASSERT_EQ(parse({"-m", "-Da", "-Pb", "-Fc", "-Td", "-Ge", "-Sf"}, options), 0);
    EXPECT_FALSE(options.cNotation);
    EXPECT_FALSE(options.matlab);
}

TEST(CompileOptions, WrongCountsAndLettersFail) {
    LogCapture log;
    CompileOptions options;
    EXPECT_EQ(parse({}, options), -1);
    EXPECT_EQ(log.take(),
              "#  This program needs 6 input files. But now it has 0 file(s).\n" + kUsage);
    EXPECT_EQ(parse({"-Da", "-Pb", "-Fc", "-Td", "-Ge", "-Sf", "-Sg"}, options), -1);
    EXPECT_EQ(log.take(),
              "#  This program needs 6 input files. But now it has 7 file(s).\n" + kUsage);
    EXPECT_EQ(parse({"-x", "-Da"}, options), -2);
    EXPECT_EQ(log.take(), "#  Invalid argument !!\n" + kUsage);
    EXPECT_EQ(parse({"-"}, options), -2);
    EXPECT_EQ(log.take(), "#  Invalid argument !!\n" + kUsage);
}

TEST(CompileOptions, MissingNamesAreReported) {
    LogCapture log;
    EXPECT_EQ(require_file_name("", "S-system file", 'S'), -1);
    EXPECT_EQ(log.take(), "#  No name is given for the S-system file (-S).\n");
    EXPECT_EQ(require_file_name("s.c", "S-system file", 'S'), 0);
    EXPECT_EQ(log.take(), "");
}

}  // namespace
