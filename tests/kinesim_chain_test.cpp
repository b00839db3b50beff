// kinesim at the end of the tool chain: models go through rxnconv, symcode, valfuse and
// kinesim as a user runs them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "chain_runner.h"

namespace zymorax::testkit {
namespace {

std::string example(const std::string& name) {
    return source_dir() + "/examples/" + name;
}
std::string testdata(const std::string& name) {
    return source_dir() + "/tests/testdata/kinesim/" + name;
}

// Asserts that the sum of the named columns stays at `total` in every row.
void expect_conserved(const TimeCourse& course, const std::vector<std::string>& tags,
                      double total) {
    ASSERT_GT(course.rows.size(), 2u);
    std::vector<size_t> columns;
    for (const std::string& tag : tags) columns.push_back(course.column(tag));
    for (const std::vector<double>& row : course.rows) {
        double sum = 0;
        for (size_t column : columns) sum += row[column];
        EXPECT_NEAR(sum, total, 1e-6 * total) << "at t = " << row[0];
    }
}

TEST(KinesimChain, ClosedMassActionNetworkKeepsItsTotals) {
    ChainRunner chain;
    chain.convert(testdata("closed_mass_action.xml"), "-gCMA", "-mGMA");
    chain.compile_c();
    chain.merge(testdata("closed_mass_action.param.txt"));
    RunResult run = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:50", "-S0.5", "-Oout.csv"});
    ASSERT_EQ(run.status, 0) << chain.kinesim_log();
    TimeCourse course = read_time_course(chain.c("out.csv"));
    EXPECT_EQ(course.header,
              (std::vector<std::string>{"time", "E.cel", "S.cel", "E:S.cel", "P.cel"}));
    ASSERT_EQ(course.rows.size(), 101u);
    expect_conserved(course, {"E.cel", "E:S.cel"}, 2.0);
    expect_conserved(course, {"S.cel", "E:S.cel", "P.cel"}, 10.0);
    EXPECT_GT(course.rows.back()[course.column("P.cel")], 9.0);  // the substrate is used up
}

TEST(KinesimChain, AlgebraicTotalsHoldInADae) {
    ChainRunner chain;
    chain.use_dae(testdata("rapid_binding.dae"));
    chain.compile_c();
    RunResult run = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:20", "-S1", "-Oout.csv"});
    ASSERT_EQ(run.status, 0) << chain.kinesim_log();
    TimeCourse course = read_time_course(chain.c("out.csv"));
    expect_conserved(course, {"E.cel", "E:S.cel"}, 2.0);
    expect_conserved(course, {"S.cel", "E:S.cel", "P.cel"}, 10.0);
    // The binding stays in equilibrium: E:S = Kb E S with Kb = 0.5.
    for (const std::vector<double>& row : course.rows) {
        double complex = row[course.column("E:S.cel")];
        EXPECT_NEAR(complex, 0.5 * row[course.column("E.cel")] * row[course.column("S.cel")],
                    1e-7 * complex + 1e-12);
    }
}

TEST(KinesimChain, ListsTheBlankRowsBeforeCompilingAnything) {
    ChainRunner chain;
    chain.convert(example("glycolysis_gma.xml"), "-gCMA", "-mGMA");
    chain.compile_c();
    RunResult run = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:1", "-S1", "-Oout.csv"});
    EXPECT_EQ(run.status, 255);
    std::string expected =
        "The parameter file param.txt leaves values blank that the model needs; fill these rows "
        "(valfuse -R<tuned file> carries values over by tag):\n";
    std::string tail = "\nNothing was simulated.\n";
    std::string log = chain.kinesim_log();
    ASSERT_EQ(log.rfind(expected, 0), 0u) << log;
    EXPECT_NE(log.find("  line 22: PARAM   ;kxg           ;   1;            ;;0;D;;;; "
                       "reaction_rate_constant_HK.cyt_ATP.cyt_Glc.cyt_GMA\t#\n"),
              std::string::npos)
        << log;
    size_t rows = 0;
    for (size_t at = log.find("\n  line "); at != std::string::npos;
         at = log.find("\n  line ", at + 1))
        ++rows;
    EXPECT_EQ(rows, 13u);  // kxg[1..4] and f[1..9]
    EXPECT_EQ(log.substr(log.size() - tail.size()), tail);
    EXPECT_FALSE(file_exists(chain.c("out.csv")));
}

TEST(KinesimChain, ChecksTheGeneratedJacobianAndCatchesAWrongOne) {
    ChainRunner chain;
    chain.convert(example("enzyme_complex.xml"), "-gCMA", "-mGMA");
    chain.compile_c();
    chain.merge(example("enzyme_complex.param.txt"));
    RunResult good = chain.kinesim({"--check-jacobian", "-Cmodel.c", "-Pparam.txt"});
    EXPECT_EQ(good.status, 0) << chain.kinesim_log();
    EXPECT_EQ(good.out.rfind("Largest relative error of usr_fjac: ", 0), 0u) << good.out;

    // The rate of Kin by Kin:Sub gets a wrong sign in the Jacobian.
    std::string code = read_file(chain.c("model.c"));
    std::string entry = "fjac[  1][  3] = kd[1] + kx[1];";
    size_t at = code.find(entry);
    ASSERT_NE(at, std::string::npos) << code;
    code.replace(at, entry.size(), "fjac[  1][  3] = kd[1] - kx[1];");
    write_file(chain.c("wrong.c"), code);
    RunResult wrong = chain.kinesim({"--check-jacobian", "-Cwrong.c", "-Pparam.txt"});
    EXPECT_EQ(wrong.status, 1);
    // kd[1] = 0.5, kx[1] = 2: -1.5 instead of 2.5.
    EXPECT_EQ(wrong.out.rfind("Largest relative error of usr_fjac: 1.600e+000 at fjac[1][3] "
                              "(equation of Kin.cyt, by Kin:Sub.cyt): usr_fjac -1.5, finite "
                              "differences 2.5",
                              0),
              0u)
        << wrong.out;
    std::string last = "usr_fjac disagrees with usr_fvec (tolerance 1e-005).\n";
    ASSERT_GT(wrong.out.size(), last.size());
    EXPECT_EQ(wrong.out.substr(wrong.out.size() - last.size()), last);
}

TEST(KinesimChain, NamesTheTimeAndTheVariableWhenTheSolutionBlowsUp) {
    ChainRunner chain;
    chain.use_dae(testdata("blow_up.dae"));
    chain.compile_c();
    RunResult run = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:2", "-S0.25", "-Oout.csv"});
    EXPECT_EQ(run.status, 255);
    std::string log = chain.kinesim_log();
    double failedAt = 0;
    ASSERT_EQ(std::sscanf(log.c_str(), "The solver failed at t = %lf", &failedAt), 1) << log;
    EXPECT_GT(failedAt, 0.99);
    EXPECT_LE(failedAt, 1.0);
    EXPECT_NE(log.find("variable 2 (X.cel)"), std::string::npos) << log;
    EXPECT_NE(log.find("The simulation stopped; out.csv holds the time course up to there.\n"),
              std::string::npos);
    TimeCourse course = read_time_course(chain.c("out.csv"));
    ASSERT_EQ(course.rows.size(), 4u);                               // 0, 0.25, 0.5 and 0.75
    EXPECT_NEAR(course.rows[3][course.column("X.cel")], 4.0, 4e-5);  // 1 / (1 - t)
}

TEST(KinesimChain, DrawsThePlotItIsAskedFor) {
    ChainRunner chain;
    chain.convert(example("glycolysis_gma.xml"), "-gCMA", "-mMM");
    chain.compile_c();
    chain.merge(example("glycolysis_gma.mm.param.txt"));
    RunResult run =
        chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:10", "-S0.5", "-Oout.csv", "-Gout.png"});
    ASSERT_EQ(run.status, 0) << chain.kinesim_log();
    ASSERT_TRUE(file_exists(chain.c("out.png"))) << "gnuplot-nox missing? " << chain.kinesim_log();
    EXPECT_EQ(read_file(chain.c("out.png")).substr(0, 4), "\x89PNG");
    TimeCourse course = read_time_course(chain.c("out.csv"));
    EXPECT_EQ(course.rows.size(), 21u);
    EXPECT_EQ(chain.kinesim_log(), "");
}

}  // namespace
}  // namespace zymorax::testkit
