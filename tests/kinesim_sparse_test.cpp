// kinesim's sparse path and its two compilers on models the chain makes: symcode -J's Jacobian
// equals usr_fjac entry for entry and agrees with finite differences on random networks; KLU and
// the dense solver give the same time course on every model of the test suite; TinyCC's and the
// system compiler's builds give the same right-hand side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

#include "jacobian_check.h"
#include "kinesim.h"
#include "workspace.h"

namespace zymorax::testkit {
namespace {

using kinesim::CodeCompiler;

// A random network of plain SBML conversions: 1 or 2 reactants, 1 or 2 other products.
std::string random_network(std::mt19937& random, int species, int reactions) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<sbml xmlns=\"http://www.sbml.org/sbml/"
        "level2/version4\" level=\"2\" version=\"4\"><model id=\"random\"><listOfCompartments>"
        "<compartment id=\"c\" size=\"1\"/></listOfCompartments><listOfSpecies>\n";
    for (int s = 1; s <= species; ++s) {
        xml += "<species id=\"S" + std::to_string(s) + "\" compartment=\"c\" initialAmount=\"" +
               std::to_string(0.5 + s % 3) + "\"/>\n";
    }
    xml += "</listOfSpecies><listOfReactions>\n";
    std::vector<int> order(species);
    for (int s = 0; s < species; ++s) order[s] = s + 1;
    for (int r = 0; r < reactions; ++r) {
        std::shuffle(order.begin(), order.end(), random);
        int reactants = 1 + static_cast<int>(random() % 2), products = 1 + random() % 2;
        auto refs = [&](int from, int count) {
            std::string text;
            for (int k = from; k < from + count; ++k)
                text += "<speciesReference species=\"S" + std::to_string(order[k]) + "\"/>";
            return text;
        };
        xml += "<reaction id=\"r" + std::to_string(r) + "\" reversible=\"" +
               (random() % 2 ? "true" : "false") + "\"><listOfReactants>" + refs(0, reactants) +
               "</listOfReactants><listOfProducts>" + refs(reactants, products) +
               "</listOfProducts></reaction>\n";
    }
    return xml + "</listOfReactions></model></sbml>\n";
}

// Fills every blank value of a parameter file with a number between 0.5 and 2.
std::string fill_blanks(const std::string& text, std::mt19937& random) {
    std::uniform_real_distribution<double> value(0.5, 2.0);
    std::string filled;
    for (const std::string& line : split(text, '\n')) {
        std::vector<std::string> fields = split(line, ';');
        bool blank = fields.size() > 3 && fields[0] == "PARAM   " &&
                     fields[3].find_first_not_of(' ') == std::string::npos;
        if (blank) fields[3] = std::to_string(value(random));
        for (size_t i = 0; i < fields.size(); ++i) filled += (i > 0 ? ";" : "") + fields[i];
        filled += "\n";
    }
    return filled;
}

// A model generated, filled and compiled in a workspace.
struct LoadedModel {
    kinesim::ParameterFile file;
    kinesim::ModelInputs inputs;
    kinesim::CompiledModel compiled;

    kinesim::ModelFunctions functions() {
        return kinesim::ModelFunctions(compiled.fvec, compiled.fjac, inputs.parameters.record(),
                                       inputs.variableCount, compiled.sparse);
    }
};

void load(const Workspace& work, CodeCompiler compiler, LoadedModel& model,
          bool withJacobianFile = true) {
    kinesim::SimOptions options;
    options.codeFile = work.file("m.c");
    options.paramFile = work.file("p.txt");
    if (withJacobianFile) options.jacobianFile = work.file("j.c");
    std::string kineDir = source_path("sim");
    ASSERT_EQ(kinesim::prepare_inputs(options, model.file, model.inputs), 0);
    ASSERT_EQ(model.compiled.load(options.codeFile, options.jacobianFile, "", kineDir,
                                  model.inputs.variableCount, compiler),
              0);
}

// rxnconv (a DAE file is taken as it is), then symcode with -J, into m.dae, p.txt, m.c and j.c.
void generate(const Workspace& work, const std::string& model, const std::string& method,
              const std::string& gene = "-gCMA") {
    if (model.size() > 4 && model.compare(model.size() - 4, 4, ".dae") == 0) {
        work.put("m.dae", read_file(model));
    } else {
        ASSERT_EQ(work.rxnconv({"-N" + model, "-Uu.txt", "-Dm.dae", gene, method}).status, 0);
    }
    ProgramRun symcode =
        work.run("symcode", {"-Dm.dae", "-Pp.txt", "-Fm.c", "-Tt.c", "-Gg.c", "-Ss.c", "-Jj.c"});
    ASSERT_EQ(symcode.status, 0) << symcode.log;
}

TEST(SymcodeSparseJacobian, EqualsUsrFjacAndFiniteDifferencesOnRandomNetworks) {
    std::mt19937 random(11);
    for (const char* method : {"-mCMA", "-mGMA"}) {
        for (int trial = 0; trial < 3; ++trial) {
            Workspace work;
            work.put("net.xml", random_network(random, 8 + 4 * trial, 12 + 6 * trial));
            ASSERT_NO_FATAL_FAILURE(generate(work, work.file("net.xml"), method));
            work.put("p.txt", fill_blanks(work.read("p.txt"), random));
            LoadedModel model;
            ASSERT_NO_FATAL_FAILURE(load(work, CodeCompiler::TinyCC, model));
            kinesim::ModelFunctions f = model.functions();
            int n = f.size();
            std::vector<double> dense(n * n), values(f.sparse().nnz);
            f.jacobian(model.inputs.initial.data(), dense.data());
            f.sparse_jacobian(model.inputs.initial.data(), values.data());
            int inPattern = 0;
            for (int c = 0; c < n; ++c) {
                for (int k = f.sparse().colptr[c]; k < f.sparse().colptr[c + 1]; ++k) {
                    EXPECT_EQ(values[k], dense[f.sparse().rowidx[k] * n + c]) << method << k;
                    inPattern += dense[f.sparse().rowidx[k] * n + c] != 0.0;
                }
            }
            EXPECT_EQ(inPattern, n * n - std::count(dense.begin(), dense.end(), 0.0)) << method;
            kinesim::JacobianComparison check = kinesim::compare_jacobian(f, model.inputs.initial);
            EXPECT_TRUE(check.agrees())
                << method << kinesim::describe_comparison(check, model.inputs.tags);
            // Without j.c the pattern usr_fjac's entries give is the same, value for value.
            LoadedModel plain;
            ASSERT_NO_FATAL_FAILURE(load(work, CodeCompiler::TinyCC, plain, false));
            ASSERT_EQ(plain.compiled.derive_sparse_pattern(plain.inputs.parameters.record(), n), 0);
            kinesim::ModelFunctions g = plain.functions();
            ASSERT_EQ(g.sparse().nnz, f.sparse().nnz) << method;
            EXPECT_TRUE(std::equal(f.sparse().colptr, f.sparse().colptr + n + 1, g.sparse().colptr));
            EXPECT_TRUE(std::equal(f.sparse().rowidx, f.sparse().rowidx + f.sparse().nnz,
                                   g.sparse().rowidx));
            std::vector<double> derived(g.sparse().nnz);
            g.sparse_jacobian(model.inputs.initial.data(), derived.data());
            EXPECT_EQ(derived, values) << method;
        }
    }
}

TEST(KinesimCompilers, TinyCCAndTheSystemCompilerGiveTheSameRightHandSide) {
    TempDir cache;
    setenv("ZYMORAX_CACHE_DIR", cache.path().c_str(), 1);
    for (const char* method : {"-mGMA", "-mMM"}) {  // pow with fractional powers, and quotients
        Workspace work;
        ASSERT_NO_FATAL_FAILURE(generate(work, source_path("examples/glycolysis_gma.xml"), method));
        std::mt19937 random(5);
        work.put("p.txt", fill_blanks(work.read("p.txt"), random));
        LoadedModel tcc, cc;
        ASSERT_NO_FATAL_FAILURE(load(work, CodeCompiler::TinyCC, tcc));
        ASSERT_NO_FATAL_FAILURE(load(work, CodeCompiler::System, cc));
        kinesim::ModelFunctions first = tcc.functions(), second = cc.functions();
        std::uniform_real_distribution<double> amount(1e-3, 10.0);
        std::vector<double> y(first.size()), a(y.size()), b(y.size());
        for (int trial = 0; trial < 100; ++trial) {
            for (double& v : y) v = amount(random);
            first.rhs(y.data(), a.data());
            second.rhs(y.data(), b.data());
            for (size_t i = 0; i < y.size(); ++i)
                EXPECT_NEAR(a[i], b[i], 1e-15 * std::fabs(b[i])) << method << " row " << i;
        }
    }
    unsetenv("ZYMORAX_CACHE_DIR");
}

struct SuiteModel {
    const char* model;  // under the source root: an SBML file, or a DAE file
    const char* gene;   // -g and -m switches of rxnconv
    const char* method;
    const char* tuned;  // parameter file to carry values from, or ""
    const char* span;
};

// Every model the other kinesim tests simulate. Both paths solve to 1e-10 relative, 1e-12
// absolute per step; their courses agree to 100 times that.
TEST(KinesimSolvers, DenseAndKluAgreeOnEveryModelOfTheTestSuite) {
    const SuiteModel models[] = {
        {"examples/regulated_transcription.xml", "-gTPP_RAPID", "-mNONE",
         "examples/regulated_transcription.param.txt", "-T0:20"},
        {"examples/enzyme_complex.xml", "-gCMA", "-mGMA", "examples/enzyme_complex.param.txt",
         "-T0:20"},
        {"examples/glycolysis_gma.xml", "-gCMA", "-mGMA", "examples/glycolysis_gma.param.txt",
         "-T0:10"},
        {"examples/glycolysis_gma.xml", "-gCMA", "-mMM", "examples/glycolysis_gma.mm.param.txt",
         "-T0:10"},
        {"tests/testdata/kinesim/closed_mass_action.xml", "-gCMA", "-mGMA",
         "tests/testdata/kinesim/closed_mass_action.param.txt", "-T0:50"},
        {"tests/testdata/kinesim/rapid_binding.dae", "", "", "", "-T0:20"},
    };
    for (const SuiteModel& m : models) {
        Workspace work;
        ASSERT_NO_FATAL_FAILURE(generate(work, source_path(m.model), m.method, m.gene));
        if (*m.tuned != '\0') {
            ASSERT_EQ(work.run("valfuse", {"-Ip.txt", "-R" + source_path(m.tuned)}).status, 0);
        }
        for (const char* solver : {"-Ldense", "-Lklu"}) {
            ProgramRun run =
                work.run("kinesim", {"-Cm.c", "-Jj.c", "-Pp.txt", m.span, "-S0.5", "-R1e-10",
                                     "-A1e-12", solver, std::string("-O") + solver + ".csv"});
            ASSERT_EQ(run.status, 0) << m.model << run.log;
        }
        std::vector<std::vector<double>> dense = read_course(work.file("-Ldense.csv")),
                                         klu = read_course(work.file("-Lklu.csv"));
        ASSERT_EQ(dense.size(), klu.size());
        ASSERT_GT(dense.size(), 10u) << m.model;
        for (size_t t = 0; t < dense.size(); ++t) {
            ASSERT_EQ(dense[t].size(), klu[t].size());
            for (size_t i = 0; i < dense[t].size(); ++i)
                EXPECT_NEAR(klu[t][i], dense[t][i], 1e-8 * std::fabs(dense[t][i]) + 1e-10)
                    << m.model << " column " << i << " row " << t;
        }
    }
}

}  // namespace
}  // namespace zymorax::testkit
