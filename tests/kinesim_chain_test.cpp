// kinesim at the end of the tool chain: models go through rxnconv, symcode (C in c/, MATLAB in
// m/), valfuse, valscribe and kinesim as a user runs them; time courses keep their conserved
// totals, a blow-up is named where it happens, and the MATLAB path (symcode -MATLAB under
// Octave's ode15s, driven by sim/matlab/ZYMORAX_simulate.m) gives the same time course as the C
// path. What kinesim says about given inputs is in the case folders of tests/cases/kinesim and
// tests/cases/chain.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "workspace.h"

namespace zymorax::testkit {
namespace {

std::string example(const std::string& name) {
    return source_path("examples/" + name);
}
std::string testdata(const std::string& name) {
    return source_path("tests/testdata/kinesim/" + name);
}

// The Octave program, or "" when it is not installed.
std::string octave_program() {
    for (const char* candidate : {"/usr/bin/octave-cli", "/usr/local/bin/octave-cli"}) {
        if (access(candidate, X_OK) == 0) return candidate;
    }
    return "";
}
const char* const kOctaveMissing =
    "octave-cli is not installed. The MATLAB side is tested under Octave: run "
    "./scripts/bootstrap.sh --with-octave (scripts/test.sh does this itself).";

// A CSV time course: the header fields and the rows of numbers.
struct TimeCourse {
    std::vector<std::string> header;
    std::vector<std::vector<double>> rows;

    explicit TimeCourse(const std::string& path) {
        std::vector<std::string> lines = split(read_file(path), '\n');
        if (!lines.empty()) header = split(lines[0], ',');
        for (size_t i = 1; i < lines.size(); ++i) {
            rows.emplace_back();
            for (const std::string& field : split(lines[i], ',')) {
                rows.back().push_back(std::strtod(field.c_str(), nullptr));
            }
        }
    }
    // The column of a tag; fails the calling test when there is none.
    size_t column(const std::string& tag) const {
        auto found = std::find(header.begin(), header.end(), tag);
        if (found == header.end()) ADD_FAILURE() << "no column " << tag;
        return found == header.end() ? 0 : found - header.begin();
    }
};

// The steps of the chain; each asserts success.
class Chain : public Workspace {
  public:
    Chain() {
        std::filesystem::create_directories(file("c"));
        std::filesystem::create_directories(file("m"));
    }
    // rxnconv -N<model> -Dmodel.dae with the method switches.
    void convert(const std::string& model, const std::string& geneMethod,
                 const std::string& metabolicMethod) {
        expect_success(
            rxnconv({"-N" + model, "-Umodel.usage", "-Dmodel.dae", geneMethod, metabolicMethod}));
    }
    // A hand-written DAE file as model.dae.
    void use_dae(const std::string& daeFile) { put("model.dae", read_file(daeFile)); }
    // symcode in C mode into c/ (param.txt, model.c, temp.c, gh.c, ssys.c).
    void compile_c() {
        expect_success(
            run("symcode",
                {"-D../model.dae", "-Pparam.txt", "-Fmodel.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"},
                {}, "c"));
    }
    // symcode -MATLAB into m/, with `extra` switches.
    void compile_matlab(const std::vector<std::string>& extra = {}) {
        std::vector<std::string> args = {"-D../model.dae", "-MATLAB"};
        args.insert(args.end(), extra.begin(), extra.end());
        expect_success(run("symcode", args, {}, "m"));
    }
    // valfuse -Ic/param.txt -R<tuned>, then valscribe of it in m/.
    void merge(const std::string& tunedFile) {
        expect_success(run("valfuse", {"-Iparam.txt", "-R" + tunedFile}, {}, "c"));
        scribe();
    }
    // valscribe of c/param.txt in m/.
    void scribe() { expect_success(run("valscribe", {"-I../c/param.txt"}, {}, "m")); }
    ProgramRun kinesim(const std::vector<std::string>& args) {
        return run("kinesim", args, {}, "c");
    }
    // Octave code run in m/ with sim/matlab on the path.
    ProgramRun octave(const std::string& code) {
        return run(octave_program(),
                   {"--no-gui", "--quiet", "--no-init-file", "--eval",
                    "addpath('" + source_path("sim/matlab") + "');\n" + code},
                   {}, "m");
    }

  private:
    static void expect_success(const ProgramRun& run) {
        ASSERT_EQ(run.status, 0) << run.log << run.err;
    }
};

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
    Chain chain;
    chain.convert(testdata("closed_mass_action.xml"), "-gCMA", "-mGMA");
    chain.compile_c();
    chain.merge(testdata("closed_mass_action.param.txt"));
    ProgramRun run = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:50", "-S0.5", "-Oout.csv"});
    ASSERT_EQ(run.status, 0) << run.log;
    TimeCourse course(chain.file("c/out.csv"));
    EXPECT_EQ(course.header,
              (std::vector<std::string>{"time", "E.cel", "S.cel", "E:S.cel", "P.cel"}));
    ASSERT_EQ(course.rows.size(), 101u);
    expect_conserved(course, {"E.cel", "E:S.cel"}, 2.0);
    expect_conserved(course, {"S.cel", "E:S.cel", "P.cel"}, 10.0);
    EXPECT_GT(course.rows.back()[course.column("P.cel")], 9.0);  // the substrate is used up
}

TEST(KinesimChain, AlgebraicTotalsHoldInADae) {
    Chain chain;
    chain.use_dae(testdata("rapid_binding.dae"));
    chain.compile_c();
    ProgramRun run = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:20", "-S1", "-Oout.csv"});
    ASSERT_EQ(run.status, 0) << run.log;
    TimeCourse course(chain.file("c/out.csv"));
    expect_conserved(course, {"E.cel", "E:S.cel"}, 2.0);
    expect_conserved(course, {"S.cel", "E:S.cel", "P.cel"}, 10.0);
    // The binding stays in equilibrium: E:S = Kb E S with Kb = 0.5.
    for (const std::vector<double>& row : course.rows) {
        double complex = row[course.column("E:S.cel")];
        EXPECT_NEAR(complex, 0.5 * row[course.column("E.cel")] * row[course.column("S.cel")],
                    1e-7 * complex + 1e-12);
    }
}

TEST(KinesimChain, NamesTheTimeAndTheVariableWhenTheSolutionBlowsUp) {
    Chain chain;
    chain.use_dae(testdata("blow_up.dae"));
    chain.compile_c();
    ProgramRun run = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:2", "-S0.25", "-Oout.csv"});
    EXPECT_EQ(run.status, 255);
    double failedAt = 0;
    ASSERT_EQ(std::sscanf(run.log.c_str(), "The solver failed at t = %lf", &failedAt), 1)
        << run.log;
    EXPECT_GT(failedAt, 0.99);
    EXPECT_LE(failedAt, 1.0);
    EXPECT_NE(run.log.find("variable 2 (X.cel)"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("The simulation stopped; out.csv holds the time course up to there.\n"),
              std::string::npos);
    TimeCourse course(chain.file("c/out.csv"));
    ASSERT_EQ(course.rows.size(), 4u);                               // 0, 0.25, 0.5 and 0.75
    EXPECT_NEAR(course.rows[3][course.column("X.cel")], 4.0, 4e-5);  // 1 / (1 - t)
}

// --- the C path against the MATLAB path under Octave ---------------------------------------

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string simulate_call(double end, double step, const std::string& values) {
    return "opts.RelTol = 1e-10; opts.AbsTol = 1e-12; opts.values = '" + values +
           "';\nZYMORAX_simulate([0 " + number(end) + "], " + number(step) +
           ", 'octave.csv', opts);\n";
}

// Both solvers run at rtol 1e-10, atol 1e-12; they must agree far inside what a modeller reads.
void expect_same_course(Chain& chain, double end, double step, const std::string& values) {
    ProgramRun c = chain.kinesim({"-Cmodel.c", "-Pparam.txt", "-T0:" + number(end),
                                  "-S" + number(step), "-R1e-10", "-A1e-12", "-Okinesim.csv"});
    ASSERT_EQ(c.status, 0) << c.log;
    ProgramRun matlab = chain.octave(simulate_call(end, step, values));
    ASSERT_EQ(matlab.status, 0) << matlab.err;
    TimeCourse fromC(chain.file("c/kinesim.csv")), fromMatlab(chain.file("m/octave.csv"));
    EXPECT_EQ(fromC.header, fromMatlab.header);
    ASSERT_EQ(fromC.rows.size(), fromMatlab.rows.size());
    ASSERT_GT(fromC.rows.size(), 2u);
    for (size_t i = 0; i < fromC.rows.size(); ++i) {
        ASSERT_EQ(fromC.rows[i].size(), fromMatlab.rows[i].size());
        for (size_t j = 0; j < fromC.rows[i].size(); ++j) {
            double a = fromC.rows[i][j], b = fromMatlab.rows[i][j];
            EXPECT_NEAR(a, b, 1e-6 * std::max(std::fabs(a), std::fabs(b)) + 1e-9)
                << fromC.header[j] << " at t = " << fromC.rows[i][0];
        }
    }
}

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

class ExampleModels : public ::testing::TestWithParam<ExampleCase> {};

TEST_P(ExampleModels, CAndMatlabGiveTheSameTimeCourse) {
    ASSERT_FALSE(octave_program().empty()) << kOctaveMissing;
    const ExampleCase& e = GetParam();
    Chain chain;
    chain.convert(example(e.model), e.geneMethod, e.metabolicMethod);
    chain.compile_c();
    chain.compile_matlab();
    chain.merge(example(e.tunedFile));  // the MATLAB side reads valscribe's scripts
    expect_same_course(chain, e.end, e.step, "merged");
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleModels, ::testing::ValuesIn(kExamples),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(KinesimOctave, DaeWithAlgebraicEquationsAgrees) {
    ASSERT_FALSE(octave_program().empty()) << kOctaveMissing;
    Chain chain;
    chain.use_dae(testdata("rapid_binding.dae"));
    chain.compile_c();
    // With the Jacobian's pattern the driver hands ode15s sparse matrices.
    chain.compile_matlab({"-J"});
    ASSERT_TRUE(chain.has("m/ZYMORAX_usr_jpattern.m"));
    // The DAE file holds every value: both sides read symcode's own files.
    expect_same_course(chain, 20, 0.5, "generated");
}

// T_EVENT rows on both routes: kinesim applies them, valscribe exports them and the driver
// integrates the spans between them. The courses agree, the jump of the algebraic variable at an
// output time and an event between outputs included; the event after the end is reported.
TEST(KinesimOctave, TimeEventsAgree) {
    ASSERT_FALSE(octave_program().empty()) << kOctaveMissing;
    Chain chain;
    chain.use_dae(source_path("tests/cases/kinesim/time_event_with_algebraic_equation/model.dae"));
    chain.compile_c();
    chain.compile_matlab();
    const std::string marker = "#T_EVENT ; name; index; time; value; #comment\n";
    std::string param = read_file(chain.file("c/param.txt"));
    size_t at = param.find(marker);
    ASSERT_NE(at, std::string::npos);
    param.insert(at + marker.size(),
                 "T_EVENT ;k;2;1;3;higher gain\nT_EVENT ;k;1;1;2;faster decay\n"
                 "T_EVENT ;k;1;1.3;0.5;slower again\nT_EVENT ;k;2;5;9;after the end\n");
    chain.put("c/param.txt", param);
    chain.scribe();
    expect_same_course(chain, 3, 0.25, "merged");
    ProgramRun matlab = chain.octave(simulate_call(3, 0.25, "merged"));
    EXPECT_NE(
        matlab.err.find("Event 4 (param.k(2)) at t = 5 lies outside the simulated time 0 to 3"),
        std::string::npos)
        << matlab.err;
}

}  // namespace
}  // namespace zymorax::testkit
