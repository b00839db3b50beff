// The C path (symcode C code under kinesim) and the MATLAB path (symcode -MATLAB under Octave's
// ode15s, driven by sim/matlab/ZYMORAX_simulate.m) give the same time course.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chain_runner.h"

namespace zymorax::testkit {
namespace {

struct ExampleCase {
    const char* name;
    const char* model;  // under examples/
    const char* geneMethod;
    const char* metabolicMethod;
    const char* tunedFile;  // under examples/
    double end;
    double step;
};

// One entry per example model and method family.
const ExampleCase kExamples[] = {
    {"TPP_RAPID", "regulated_transcription.xml", "-gTPP_RAPID", "-mNONE",
     "regulated_transcription.param.txt", 20, 0.5},
    {"CMA", "enzyme_complex.xml", "-gCMA", "-mGMA", "enzyme_complex.param.txt", 20, 0.5},
    {"GMA", "glycolysis_gma.xml", "-gCMA", "-mGMA", "glycolysis_gma.param.txt", 10, 0.25},
    {"MM", "glycolysis_gma.xml", "-gCMA", "-mMM", "glycolysis_gma.mm.param.txt", 10, 0.25},
};

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// Both solvers run at rtol 1e-10, atol 1e-12; they must agree far inside what a modeller reads.
void expect_same_course(const TimeCourse& c, const TimeCourse& matlab) {
    EXPECT_EQ(c.header, matlab.header);
    ASSERT_EQ(c.rows.size(), matlab.rows.size());
    ASSERT_GT(c.rows.size(), 2u);
    for (size_t i = 0; i < c.rows.size(); ++i) {
        ASSERT_EQ(c.rows[i].size(), matlab.rows[i].size());
        for (size_t j = 0; j < c.rows[i].size(); ++j) {
            double a = c.rows[i][j], b = matlab.rows[i][j];
            EXPECT_NEAR(a, b, 1e-6 * std::max(std::fabs(a), std::fabs(b)) + 1e-9)
                << c.header[j] << " at t = " << c.rows[i][0];
        }
    }
}

std::string simulate_call(double end, double step, const std::string& values) {
    return "opts.RelTol = 1e-10; opts.AbsTol = 1e-12; opts.values = '" + values +
           "';\n"
           "ZYMORAX_simulate([0 " +
           number(end) + "], " + number(step) + ", 'octave.csv', opts);\n";
}

void run_both(ChainRunner& chain, double end, double step, const std::string& values) {
    RunResult c = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:" + number(end),
                                 "-S" + number(step), "-R1e-10", "-A1e-12", "-Okinesim.csv"});
    ASSERT_EQ(c.status, 0) << chain.kinesim_log();
    RunResult matlab = chain.octave(simulate_call(end, step, values));
    ASSERT_EQ(matlab.status, 0) << matlab.err;
    expect_same_course(read_time_course(chain.c("kinesim.csv")),
                       read_time_course(chain.m("octave.csv")));
}

class ExampleModels : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(ExampleModels, CAndMatlabGiveTheSameTimeCourse) {
    ASSERT_FALSE(octave_program().empty()) << kOctaveMissing;
    const ExampleCase& example = GetParam();
    std::string examples = source_dir() + "/examples/";
    ChainRunner chain;
    chain.convert(examples + example.model, example.geneMethod, example.metabolicMethod);
    chain.compile_c();
    chain.compile_matlab();
    chain.merge(examples + example.tunedFile);  // the MATLAB side reads valscribe's scripts
    run_both(chain, example.end, example.step, "merged");
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleModels, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<ExampleCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(KinesimOctave, DaeWithAlgebraicEquationsAgrees) {
    ASSERT_FALSE(octave_program().empty()) << kOctaveMissing;
    ChainRunner chain;
    chain.use_dae(source_dir() + "/tests/testdata/kinesim/rapid_binding.dae");
    chain.compile_c();
    chain.compile_matlab();
    // The DAE file holds every value: both sides read symcode's own files.
    run_both(chain, 20, 0.5, "generated");
}

TEST(KinesimOctave, DriverListsBlankValuesInsteadOfSimulating) {
    ASSERT_FALSE(octave_program().empty()) << kOctaveMissing;
    ChainRunner chain;
    chain.convert(source_dir() + "/examples/glycolysis_gma.xml", "-gCMA", "-mGMA");
    chain.compile_matlab();
    RunResult run = chain.octave(simulate_call(1, 1, "generated"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("These values are blank; fill them in the parameter file:\n"
                           "  param.kxg(1) reaction_rate_constant_HK.cyt_ATP.cyt_Glc.cyt_GMA\n"
                           "  param.kxg(2) reaction_rate_constant_PGI.cyt_G6P.cyt_GMA\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("  param.f(9) power_coefficient(FBP.cyt)_FBP.cyt_GMA"),
              std::string::npos)
        << run.err;
    EXPECT_FALSE(file_exists(chain.m("octave.csv")));
}

}  // namespace
}  // namespace zymorax::testkit
