// kinesteady on models whose answers are known: S-systems whose steady state, log gains and
// rate-constant sensitivities follow in closed form (derived here, independently of the
// program's linear algebra), and the bundled mass-action example with conservation laws, whose
// steady state a long integration gives and whose log gains by the totals finite differences of
// re-solved steady states give. What kinesteady says about inputs it refuses is in the case
// folders of tests/cases/kinesteady.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "workspace.h"

namespace zymorax::testkit {
namespace {

// kinesteady's CSV as "kind|of|by" -> value.
using Results = std::map<std::string, double>;

Results read_results(const std::string& path) {
    Results results;
    std::vector<std::string> lines = split(read_file(path), '\n');
    for (size_t i = 1; i < lines.size(); ++i) {
        std::vector<std::string> f = split(lines[i], ',');
        if (f.size() == 4) results[f[0] + "|" + f[1] + "|" + f[2]] = std::strtod(f[3].c_str(), nullptr);
    }
    return results;
}

double result(const Results& r, const std::string& kind, const std::string& of,
              const std::string& by = "") {
    auto found = r.find(kind + "|" + of + "|" + by);
    if (found == r.end()) {
        ADD_FAILURE() << "no row " << kind << "," << of << "," << by;
        return NAN;
    }
    return found->second;
}

void expect_close(double actual, double expected, double tolerance, const std::string& what) {
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::max(1.0, std::fabs(expected)))
        << what << ": " << actual << ", expected " << expected;
}

// symcode (with the G/H data, S-system and -Q files) and kinesteady on a DAE file whose values
// are all filled in; the results of the run.
Results analyse_dae(const Workspace& ws, const std::string& dae) {
    ws.put("model.dae", read_file(source_path("tests/testdata/steady/" + dae)));
    ProgramRun code = ws.run("symcode", {"-Dmodel.dae", "-Pparam.txt", "-Fmodel.c", "-Ttemp.c",
                                         "-Ggh.c", "-Sssys.c", "-Qfpar.c"});
    EXPECT_EQ(code.status, 0) << code.log;
    ProgramRun run = ws.run("kinesteady", {"-Cmodel.c", "-Pparam.txt", "-Qfpar.c", "-Ggh.c",
                                           "-Sssys.c", "-Ttemp.c", "-Rreport.txt", "-Osteady.csv"});
    EXPECT_EQ(run.status, 0) << run.log;
    return read_results(ws.file("steady.csv"));
}

// Log-space steady state y = log X of an S-system as a linear function of the logs of its rate
// constants and constant; its coefficients are the sensitivities and log gains.
struct LinearSteadyState {
    std::vector<double> base;                      // y at the model's values
    std::vector<std::vector<double>> byLogAlpha;   // [k][i] = d y_i / d log alpha_k
    std::vector<std::vector<double>> byLogBeta;
    std::vector<double> byLogConstant;             // [i]
};

// dX1 = a1 C^g1c X2^g12 - b1 X1^h11, dX2 = a2 X1^g21 - b2 X2^h22, by Cramer's rule on
// -h11 y1 + g12 y2 = log(b1/a1) - g1c log C and g21 y1 - h22 y2 = log(b2/a2).
std::vector<double> two_variable(const double la[2], const double lb[2], double lc) {
    const double g1c = 0.7, g12 = -0.4, h11 = 0.9, g21 = 1.3, h22 = 0.6;
    const double r1 = lb[0] - la[0] - g1c * lc, r2 = lb[1] - la[1];
    const double det = (-h11) * (-h22) - g12 * g21;
    return {(r1 * (-h22) - g12 * r2) / det, ((-h11) * r2 - g21 * r1) / det};
}

// The cascade dX1 = a1 C^g1c X3^g13 - b1 X1^h11, dX2 = a2 X1^g21 - b2 X2^h22,
// dX3 = a3 X2^g32 - b3 X3^h33: y2 and y3 follow from y1 down the cascade, and y1 closes the
// loop, y1 (1 - g13 g32 g21 / (h11 h22 h33)) = its terms without the loop.
std::vector<double> three_variable(const double la[3], const double lb[3], double lc) {
    const double g1c = 0.8, g13 = -0.5, h11 = 0.75, g21 = 0.9, h22 = 1.2, g32 = 0.6, h33 = 0.85;
    const double c1 = (la[0] - lb[0] + g1c * lc) / h11, c2 = (la[1] - lb[1]) / h22,
                 c3 = (la[2] - lb[2]) / h33;
    const double loop = g13 * g32 * g21 / (h11 * h22 * h33);
    const double y1 = (c1 + g13 / h11 * (c3 + g32 / h33 * c2)) / (1.0 - loop);
    const double y2 = c2 + g21 / h22 * y1;
    return {y1, y2, c3 + g32 / h33 * y2};
}

// The linear function's value and coefficients, each coefficient from a unit step (exact, the
// function being linear).
template <int N, typename F>
LinearSteadyState linear_steady_state(F solve, const double alpha[N], const double beta[N],
                                      double constant) {
    double la[N], lb[N];
    for (int k = 0; k < N; ++k) la[k] = std::log(alpha[k]), lb[k] = std::log(beta[k]);
    const double lc = std::log(constant);
    LinearSteadyState s;
    s.base = solve(la, lb, lc);
    auto coefficient = [&](double* logs, int k) {
        logs[k] += 1.0;
        std::vector<double> stepped = solve(la, lb, lc);
        logs[k] -= 1.0;
        for (int i = 0; i < N; ++i) stepped[i] -= s.base[i];
        return stepped;
    };
    for (int k = 0; k < N; ++k) {
        s.byLogAlpha.push_back(coefficient(la, k));
        s.byLogBeta.push_back(coefficient(lb, k));
    }
    std::vector<double> stepped = solve(la, lb, lc + 1.0);
    for (int i = 0; i < N; ++i) s.byLogConstant.push_back(stepped[i] - s.base[i]);
    return s;
}

// Both the model's own analysis (Newton, the implicit-function theorem) and the S-system's
// closed form against the derivation; the S-system's Newton against its closed form.
void expect_ssystem(const Results& r, const LinearSteadyState& s, int n) {
    for (int i = 0; i < n; ++i) {
        const std::string x = "X" + std::to_string(i + 1);
        const double expected = std::exp(s.base[i]);
        expect_close(result(r, "steady_state", x), expected, 1e-10, x);
        expect_close(result(r, "ssystem_steady_state", x), expected, 1e-10, x + " closed form");
        expect_close(result(r, "ssystem_newton", x), result(r, "ssystem_steady_state", x), 1e-9,
                     x + " S-system Newton");
        expect_close(result(r, "log_gain", x, "constantPlayer[1]"), s.byLogConstant[i], 1e-10,
                     x + " log gain");
        expect_close(result(r, "ssystem_log_gain", x, "constantPlayer[1]"), s.byLogConstant[i],
                     1e-10, x + " S-system log gain");
        for (int k = 0; k < n; ++k) {
            const std::string xk = "X" + std::to_string(k + 1);
            // k[2k+1] is alpha_k and k[2k+2] beta_k in the DAE files.
            expect_close(result(r, "sensitivity", x, "k[" + std::to_string(2 * k + 1) + "]"),
                         s.byLogAlpha[k][i], 1e-10, x + " by alpha of " + xk);
            expect_close(result(r, "sensitivity", x, "k[" + std::to_string(2 * k + 2) + "]"),
                         s.byLogBeta[k][i], 1e-10, x + " by beta of " + xk);
            expect_close(result(r, "ssystem_alpha_sensitivity", x, "alpha of " + xk),
                         s.byLogAlpha[k][i], 1e-10, x + " S-system by alpha of " + xk);
            expect_close(result(r, "ssystem_beta_sensitivity", x, "beta of " + xk),
                         s.byLogBeta[k][i], 1e-10, x + " S-system by beta of " + xk);
        }
    }
}

TEST(KinesteadySsystem, TwoAndThreeVariablesMatchTheirClosedForms) {
    {
        SCOPED_TRACE("two variables");
        Workspace ws;
        const double alpha[2] = {3, 0.8}, beta[2] = {1.5, 2};
        const Results r = analyse_dae(ws, "ssystem2.dae");
        const LinearSteadyState s = linear_steady_state<2>(two_variable, alpha, beta, 2.5);
        expect_ssystem(r, s, 2);
        // The fluxes' gains follow from the variables' through their kinetic orders (the flux
        // file has no derivatives: central differences, hence the looser tolerance).
        const double g12 = -0.4, h11 = 0.9;
        expect_close(result(r, "flux_gain", "flux_make_X1", "constantPlayer[1]"),
                     0.7 + g12 * s.byLogConstant[1], 1e-8, "make X1 by C");
        expect_close(result(r, "flux_gain", "flux_make_X1", "k[1]"), 1 + g12 * s.byLogAlpha[0][1],
                     1e-8, "make X1 by alpha 1");
        expect_close(result(r, "flux_gain", "flux_X1_to", "k[2]"), 1 + h11 * s.byLogBeta[0][0],
                     1e-8, "X1 used by beta 1");
    }
    {
        SCOPED_TRACE("three variables");
        Workspace ws;
        const double alpha[3] = {2, 1.4, 0.5}, beta[3] = {0.9, 0.6, 1.1};
        expect_ssystem(analyse_dae(ws, "ssystem3.dae"),
                       linear_steady_state<3>(three_variable, alpha, beta, 1.7), 3);
    }
}

// The bundled example converted with CMA: three conserved totals (kinase, receptor, ligand).
class EnzymeComplex : public testing::Test, public Workspace {
  public:
    void SetUp() override {
        ASSERT_EQ(rxnconv({"-N" + source_path("examples/enzyme_complex.xml"), "-Um.usage",
                           "-Dm.dae", "-gCMA", "-mGMA"})
                      .status,
                  0);
        ASSERT_EQ(run("symcode", {"-Dm.dae", "-Pparam.txt", "-Fm.c", "-Tt.c", "-Ggh.c",
                                  "-Sss.c", "-Qfpar.c"})
                      .status,
                  0);
        ASSERT_EQ(run("valfuse",
                      {"-Iparam.txt", "-R" + source_path("examples/enzyme_complex.param.txt")})
                      .status,
                  0);
        template_ = read("param.txt");
    }
    // kinesteady with the initial value of `tag` scaled by `factor`.
    Results analyse(const std::string& tag = "", double factor = 1.0) {
        std::string text = template_;
        if (!tag.empty()) {
            const size_t line = text.find(";  " + tag + "\t");
            const size_t start = text.rfind(';', line - 1) + 1;
            const double value = std::strtod(text.c_str() + start, nullptr);
            char scaled[40];
            std::snprintf(scaled, sizeof scaled, " %.17g", value * factor);
            text.replace(start, line - start, scaled);
        }
        put("param.txt", text);
        ProgramRun steady = run("kinesteady", {"-Cm.c", "-Pparam.txt", "-Qfpar.c",
                                               "-Rreport.txt", "-Osteady.csv"});
        EXPECT_EQ(steady.status, 0) << steady.log;
        return read_results(file("steady.csv"));
    }

  private:
    std::string template_;
};

const char* const kSpecies[] = {"Kin.cyt", "Sub.cyt", "Kin:Sub.cyt", "SubP.cyt",
                                "R.cyt",   "L.cyt",   "R:L.cyt",     "SubP2.cyt"};

TEST_F(EnzymeComplex, SteadyStateIsWhereALongIntegrationEnds) {
    Results r = analyse();
    ASSERT_EQ(run("kinesim", {"-Cm.c", "-Pparam.txt", "-T0:5000", "-S5000", "-Ocourse.csv",
                              "-R1e-12", "-A1e-14"})
                  .status,
              0);
    std::vector<std::vector<double>> course = read_course(file("course.csv"));
    ASSERT_FALSE(course.empty());
    for (size_t i = 0; i < std::size(kSpecies); ++i)
        expect_close(result(r, "steady_state", kSpecies[i]), course.back()[i + 1], 1e-8, kSpecies[i]);
    EXPECT_EQ(result(r, "conservation", "Kin.cyt", "Kin.cyt + Kin:Sub.cyt = 0.5"), 0.5);
    EXPECT_EQ(result(r, "conservation", "R.cyt", "R.cyt + R:L.cyt = 2"), 2.0);
    EXPECT_EQ(result(r, "conservation", "L.cyt", "L.cyt + R:L.cyt = 5"), 5.0);
}

TEST_F(EnzymeComplex, LogGainsByTheTotalsAreThoseOfReSolvedSteadyStates) {
    Results r = analyse();
    // Each law's first variable is its pivot: it appears in no other law, so scaling its initial
    // value moves that total alone.
    const std::map<std::string, double> totals = {{"Kin.cyt", 0.5}, {"R.cyt", 2}, {"L.cyt", 5}};
    const double h = 1e-4;
    int compared = 0;
    for (const auto& [pivot, total] : totals) {
        Results up = analyse(pivot, 1.0 + h), down = analyse(pivot, 1.0 - h);
        // The pivot's own initial value is all of its total only where its law holds no other
        // initial amount: Kin:Sub and R:L start at 0 in the example.
        const double logStep = std::log((total * (1 + h)) / (total * (1 - h)));
        for (const char* species : kSpecies) {
            const std::string key = std::string("log_gain|") + species + "|total of " + pivot;
            if (r.count(key) == 0) continue;  // a species at 0 has no log gain
            const double difference = (std::log(result(up, "steady_state", species)) -
                                       std::log(result(down, "steady_state", species))) /
                                      logStep;
            expect_close(r.at(key), difference, 1e-6, key);
            ++compared;
        }
    }
    EXPECT_GE(compared, 9);
}

// The examples under the total-amount reductions, whose complexes are algebraic variables (and
// under the quasi-steady one keep their partners' amounts fixed, laws that hold only where the
// algebraic equations do); blank values are set to 1.
TEST(KinesteadyReductions, SteadyStatesOfAlgebraicModelsAreWhereLongIntegrationsEnd) {
    const struct {
        const char *model, *gene, *metabolic;
    } conversions[] = {{"regulated_transcription", "-gTPP_RAPID", "-mNONE"},
                       {"enzyme_complex", "-gTPP_STEADYSTATE_1", "-mGMA"}};
    for (const auto& [model, gene, metabolic] : conversions) {
        SCOPED_TRACE(std::string(model) + " " + gene);
        Workspace ws;
        ASSERT_EQ(ws.rxnconv({"-N" + source_path("examples/") + model + ".xml", "-Um.usage",
                              "-Dm.dae", gene, metabolic})
                      .status,
                  0);
        ASSERT_EQ(ws.run("symcode", {"-Dm.dae", "-Pparam.txt", "-Fm.c", "-Tt.c", "-Ggh.c",
                                     "-Sss.c", "-Qfpar.c"})
                      .status,
                  0);
        ASSERT_EQ(ws.run("valfuse", {"-Iparam.txt", "-B",
                                     "-R" + source_path("examples/") + model + ".param.txt"})
                      .status,
                  0);
        std::string text = ws.read("param.txt");
        for (size_t at = text.find(";            ;;"); at != std::string::npos;
             at = text.find(";            ;;", at))
            text.replace(at, 14, ";           1;");
        ws.put("param.txt", text);
        ProgramRun steady = ws.run("kinesteady", {"-Cm.c", "-Pparam.txt", "-Qfpar.c",
                                                  "-Rreport.txt", "-Osteady.csv"});
        ASSERT_EQ(steady.status, 0) << steady.log;
        ASSERT_EQ(ws.run("kinesim", {"-Cm.c", "-Pparam.txt", "-T0:5000", "-S5000",
                                     "-Ocourse.csv", "-R1e-12", "-A1e-14"})
                      .status,
                  0);
        const Results r = read_results(ws.file("steady.csv"));
        const std::vector<std::string> header = split(split(ws.read("course.csv"), '\n')[0], ',');
        const std::vector<double> last = read_course(ws.file("course.csv")).back();
        for (size_t i = 1; i < header.size(); ++i)
            expect_close(result(r, "steady_state", header[i]), last[i], 1e-8, header[i]);
    }
}

}  // namespace
}  // namespace zymorax::testkit
