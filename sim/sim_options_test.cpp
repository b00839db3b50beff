#include "sim_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support.h"

namespace kinesim {
namespace {

class SimOptionsTest : public ::testing::Test {
  protected:
    int parse(std::vector<const char*> args) {
        args.insert(args.begin(), "kinesim");
        zymorax::testkit::LogCapture capture;
        options = SimOptions();
        int result = parse_sim_options(static_cast<int>(args.size()), args.data(), options);
        log = capture.take();
        return result;
    }

    SimOptions options;
    std::string log;
};

TEST_F(SimOptionsTest, ReadsASimulationRun) {
    ASSERT_EQ(parse({"-Cm.c", "-Pp.txt", "-T-5:1e2", "-S0.5", "-Oout.csv", "-Gplot.png", "-R1e-6",
                     "-A1e-9", "-K/opt/kine", "-Jj.c", "-Lklu", "-Bcc"}),
              0)
        << log;
    EXPECT_EQ(options.codeFile, "m.c");
    EXPECT_EQ(options.paramFile, "p.txt");
    EXPECT_DOUBLE_EQ(options.timeStart, -5.0);
    EXPECT_DOUBLE_EQ(options.timeEnd, 100.0);
    EXPECT_DOUBLE_EQ(options.timeStep, 0.5);
    EXPECT_EQ(options.csvFile, "out.csv");
    EXPECT_EQ(options.plotFile, "plot.png");
    EXPECT_DOUBLE_EQ(options.relativeTolerance, 1e-6);
    EXPECT_DOUBLE_EQ(options.absoluteTolerance, 1e-9);
    EXPECT_EQ(options.kineDir, "/opt/kine");
    EXPECT_EQ(options.jacobianFile, "j.c");
    EXPECT_EQ(options.linearSolver, LinearSolverKind::Klu);
    EXPECT_EQ(options.compiler, CodeCompiler::System);
    EXPECT_FALSE(options.checkJacobian);

    // A Jacobian check needs only the two files.
    ASSERT_EQ(parse({"--check-jacobian", "-Cm.c", "-Pp.txt"}), 0) << log;
    EXPECT_TRUE(options.checkJacobian);
}

TEST_F(SimOptionsTest, NamesWhatIsWrongAndShowsTheUsage) {
    struct Case {
        std::vector<const char*> args;
        std::string message;
    };
    std::vector<Case> cases = {
        {{}, "Missing -C (the C file).\n"},
        {{"-Cm.c"}, "Missing -P (the parameter file).\n"},
        {{"-Cm.c", "-Pp"}, "Missing -T (the time span).\n"},
        {{"-Cm.c", "-Pp", "-T0:1"}, "Missing -S (the output step).\n"},
        {{"-Cm.c", "-Pp", "-T0:1", "-S1"}, "Missing -O (the CSV file).\n"},
        {{"-T10"}, "The time span '-T10' is not of the form -T<start>:<end>.\n"},
        {{"-T1:x"}, "The time span '-T1:x' is not of the form -T<start>:<end>.\n"},
        {{"-T5:1"}, "The time span '-T5:1' ends before it starts.\n"},
        {{"-S0"}, "The value of '-S0' is not a positive number.\n"},
        {{"-R-1"}, "The value of '-R-1' is not a positive number.\n"},
        {{"-X"}, "Unknown argument '-X'.\n"},
        {{"model.c"}, "Unknown argument 'model.c'.\n"},
        {{"--check"}, "Unknown argument '--check'.\n"},
        {{"-Lsparse"}, "Unknown linear solver '-Lsparse' (auto, dense or klu).\n"},
        {{"-Bgcc"}, "Unknown compiler '-Bgcc' (tcc or cc).\n"},
        {{"-Cm.c", "-Pp", "-Lklu"}, "Missing -J (the sparse Jacobian file, which -Lklu needs).\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parse(c.args), -1) << c.message;
        EXPECT_EQ(log, c.message + kUsage);
    }
}

TEST(ParseNumber, AcceptsWholeDecimalNumbersOnly) {
    double value = 0;
    EXPECT_TRUE(parse_number(" 1.0000e-003 ", value));
    EXPECT_DOUBLE_EQ(value, 0.001);
    EXPECT_FALSE(parse_number("", value));
    EXPECT_FALSE(parse_number("1.5 2", value));
    EXPECT_FALSE(parse_number("nan", value));
    EXPECT_FALSE(parse_number("1e999", value));
}

}  // namespace
}  // namespace kinesim
