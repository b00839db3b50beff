#include "kinesteady.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "compiled_model.h"
#include "kinesim.h"
#include "linear_solver.h"
#include "format.h"
#include "log.h"
#include "model_functions.h"
#include "own_kinetics.h"
#include "power_law.h"
#include "steady_output.h"
#include "steady_plots.h"

namespace kinesteady {

namespace {

// The samples that find the conservation laws are drawn from this seed: a rerun finds the same.
constexpr unsigned kSampleSeed = 20261209;

struct LoadedModel {
    kinesim::ParameterFile file;
    kinesim::ModelInputs inputs;
    kinesim::CompiledModel compiled;
    bool ownKinetics = false;
};

// What the analysis cannot take, said before anything is computed. 0, or -1 after logging.
int refuse_unsupported(const SteadyOptions& options, const LoadedModel& m) {
    const char* why = nullptr;
    if (m.inputs.eventCount > 0) why = "it has events, which change the state at their times";
    else if (m.inputs.initialCount > 0 && options.initialFile.empty())
        why = "its initial values are formulas (kinelaw -I): give their file with --initial "
              "<initial.txt>";
    else if (std::find(m.inputs.tags.begin(), m.inputs.tags.end(), zymorax::kModelTimeTag) !=
             m.inputs.tags.end())
        why = "it reads the time, so its rates never come to rest";
    else if (!options.ghFile.empty() && m.inputs.algebraicCount > 0)
        why = "-G and -S need a model without algebraic equations (symcode writes no S-system "
              "for one)";
    if (why == nullptr) return 0;
    log_sys("%s cannot be analysed: %s.\n", options.codeFile.c_str(), why);
    return -1;
}

int load_model(const SteadyOptions& options, LoadedModel& m) {
    kinesim::SimOptions sim;
    sim.codeFile = options.codeFile;
    sim.paramFile = options.paramFile;
    sim.initialFile = options.initialFile;
    auto note = [&m](kinesim::ParameterFile&, const kinesim::CodeFacts& facts) {
        m.ownKinetics = facts.ownKinetics;
        return 0;
    };
    if (kinesim::prepare_inputs(sim, m.file, m.inputs, note) != 0 ||
        refuse_unsupported(options, m) != 0 ||
        (!options.initialFile.empty() &&
         kinesim::apply_initial_formulas(sim, m.file, m.inputs) != 0))
        return -1;
    const int n = m.inputs.variableCount;
    if (!kinesim::fits_in_memory(6.0 * sizeof(double) * (n + 1.0) * (n + 1.0))) {
        log_sys("The dense analysis of %d variables needs more memory than there is.\n", n);
        return -1;
    }
    const std::string kineDir = kinesim::find_kine_dir(options.kineDir);
    if (kineDir.empty() ||
        m.compiled.load(options.codeFile, "", options.derivativesFile, kineDir, n,
                        options.compiler) != 0 ||
        kinesim::check_parameter_jacobian(m.compiled.parameterJacobian, n, m.inputs.parameters,
                                          options.derivativesFile) != 0) {
        log_sys("Compiling and loading the model failed.\n");
        return -1;
    }
    return 0;
}

// Amounts stay at or above 0 during Newton's method; a power law's base above 0 where it starts
// there. A model's own kinetics may hold quantities of either sign: only its bases are bounded.
std::vector<Bound> variable_bounds(const LoadedModel& m) {
    const std::vector<double>& y0 = m.inputs.initial;
    std::vector<Bound> bounds(y0.size(), Bound::None);
    if (!m.ownKinetics) {
        for (size_t i = 0; i < y0.size(); ++i) {
            if (y0[i] >= 0.0) bounds[i] = Bound::NonNegative;
        }
    }
    for (int v : m.inputs.powerBases) bounds[v] = y0[v] > 0.0 ? Bound::Positive : Bound::NonNegative;
    return bounds;
}

std::string tag_of(const kinesim::ParameterFile& file, const std::string& label, int element) {
    for (const kinesim::ParamValueRow& row : file.params) {
        if (row.label == label && row.index == element) return row.tag;
    }
    return "";
}

int check_isolated(SteadySystem& system, const SteadyAnalysis& a) {
    Eigen::MatrixXd jacobian;
    system.jacobian(a.steady.y.data(), jacobian);
    int rank = 0;
    std::vector<int> moving;
    if (!singular_jacobian(jacobian, a.steady.y, rank, &moving)) return 0;
    const std::string laws =
        a.laws.count() == 0   ? "the model has no conservation law to explain it"
        : a.laws.count() == 1 ? "its conservation law does not explain it"
                              : zymorax::format("its %d conservation laws do not explain it",
                                                a.laws.count());
    std::string along;
    for (size_t k = 0; k < moving.size() && k < 8; ++k)
        along += (k ? ", " : "") + a.tags[moving[k]];
    if (moving.size() > 8) along += zymorax::format(" and %zu more", moving.size() - 8);
    log_sys("The Jacobian at the steady state is singular (rank %d of %d), and %s: the steady "
            "state is not isolated (a line or surface of steady states, or a degenerate one; it "
            "can move along %s), so it has no log gains or stability of its own. Nothing was "
            "written.\n",
            rank, system.size(), laws.c_str(), along.empty() ? "no single variable" : along.c_str());
    return -1;
}

// One of symcode's further C files compiled on its own, for a model of n variables.
std::unique_ptr<kinesim::LoadedCode> build_code(const SteadyOptions& options,
                                                const std::string& file, int n) {
    kinesim::BuildRequest request{{file}, kinesim::find_kine_dir(options.kineDir), n + 1};
    return options.compiler == kinesim::CodeCompiler::TinyCC
               ? kinesim::build_with_tinycc(request)
               : kinesim::build_with_system_compiler(request);
}

// The S-system at the steady state: closed form, and Newton on the -S file's code from the
// initial state for comparison. 0, or -1 after logging a file that cannot be used.
int analyse_ssystem(const SteadyOptions& options, LoadedModel& m, SteadyAnalysis& a) {
    SsystemResult& s = a.ssystem;
    s.present = true;
    std::string ghText;
    if (kinesim::read_text(options.ghFile, "G/H data file", ghText) != 0) return -1;
    const int n = m.inputs.variableCount;
    std::unique_ptr<kinesim::LoadedCode> gh = build_code(options, options.ghFile, n),
                                         ss = build_code(options, options.ssystemFile, n);
    auto ghData = gh ? reinterpret_cast<GhData>(gh->symbol("get_GHdata")) : nullptr;
    auto ghNum = gh ? reinterpret_cast<GhNum>(gh->symbol("get_GHnum")) : nullptr;
    auto sFvec = ss ? reinterpret_cast<kinesim::UsrFvec>(ss->symbol("usr_fvec")) : nullptr;
    auto sFjac = ss ? reinterpret_cast<kinesim::UsrFjac>(ss->symbol("usr_fjac")) : nullptr;
    int variables = -1, constants = -1;
    if (ghNum != nullptr) ghNum(&variables, &constants);
    if (!ghData || !sFvec || !sFjac || variables != n || constants < 0) {
        log_sys("%s and %s are not the G/H data and S-system files of %s (get_GHdata, "
                "get_GHnum of %d variables, usr_fvec and usr_fjac).\n",
                options.ghFile.c_str(), options.ssystemFile.c_str(), options.codeFile.c_str(), n);
        return -1;
    }
    std::vector<double> constantValues(constants, 0.0);
    auto slot = std::find(m.file.labels.begin(), m.file.labels.end(), "constantPlayer");
    for (int k = 0; k < constants && slot != m.file.labels.end(); ++k) {
        const int index = static_cast<int>(slot - m.file.labels.begin()) + 1;
        if (k + 1 <= m.inputs.parameters.element_count(index))
            constantValues[k] = m.inputs.parameters.at(index, k + 1);
    }
    std::vector<KineticOrder> g, h;
    read_kinetic_orders(ghText, g, h);
    if (fit_ssystem(ghData, g, h, a.steady.y, constantValues, m.inputs.parameters.record(), a.tags,
                    s.form, s.missing) != 0 ||
        solve_ssystem(s.form, s.solution, s.missing) != 0) {
        return 0;
    }
    if (newton_on_ssystem({sFvec, sFjac}, s.form, a.initial, a.steady.y, a.tags, s.newton,
                          s.newtonNote) == 0) {
        for (int i = 0; i < n; ++i) {
            s.agreement = std::max(s.agreement, std::fabs(s.newton[i] - s.solution.x[i]) /
                                                    std::fabs(s.solution.x[i]));
        }
    }
    return 0;
}

// The flux gains from the -T file's usr_flux. 0, or -1 after logging a file that cannot be used.
int analyse_fluxes(const SteadyOptions& options, LoadedModel& m, SteadyAnalysis& a) {
    std::string text;
    if (kinesim::read_text(options.fluxFile, "flux file", text) != 0) return -1;
    std::unique_ptr<kinesim::LoadedCode> code =
        build_code(options, options.fluxFile, m.inputs.variableCount);
    auto flux = code ? reinterpret_cast<UsrFlux>(code->symbol("usr_flux")) : nullptr;
    if (flux == nullptr) {
        log_sys("%s is not a flux file (no usr_flux).\n", options.fluxFile.c_str());
        return -1;
    }
    a.fluxes.names = read_flux_names(text);
    flux_gains(flux, read_total_count(text), a.steady.y, a.independents, a.slopes,
               m.inputs.parameters.record(), a.fluxes);
    return 0;
}

int analyse(const SteadyOptions& options, LoadedModel& m, SteadyAnalysis& a) {
    kinesim::ModelFunctions model(m.compiled.fvec, m.compiled.fjac, m.inputs.parameters.record(),
                                  m.inputs.variableCount);
    model.set_parameter_jacobian(m.compiled.parameterJacobian);
    model.keep_non_negative(m.inputs.powerBases, kinesim::kPowerLawJacobianFloor * 1e-10);
    a.title = m.file.title;
    a.tags = m.inputs.tags;
    a.initial = m.inputs.initial;
    a.algebraicCount = m.inputs.algebraicCount;
    std::mt19937 random(kSampleSeed);
    std::string failure;
    if (find_conservation_laws(model, a.algebraicCount, a.initial, random, a.laws, failure) != 0) {
        log_sys("No conservation laws could be looked for: %s. Nothing was written.\n",
                failure.c_str());
        return -1;
    }
    SteadySystem system(model, a.laws);
    SearchInputs search;
    search.algebraicCount = a.algebraicCount;
    search.tags = a.tags;
    search.initial = a.initial;
    search.bounds = variable_bounds(m);
    search.settings.linearSolver = kinesim::LinearSolverKind::Dense;
    // As kinesim integrates: an algebraic variable that switches would stop the error test.
    search.settings.algebraicOutOfErrorTest = true;
    set_scale(search);
    if (find_steady_state(system, search, a.steady, failure) != 0) {
        log_sys("No steady state found: %s. Nothing was written.\n", failure.c_str());
        return -1;
    }
    if (check_isolated(system, a) != 0) return -1;
    a.independents = list_independents(
        a.laws, m.compiled.parameterJacobian, m.inputs.parameters.record(), m.file.labels, a.tags,
        [&m](const std::string& label, int element) { return tag_of(m.file, label, element); });
    if (steady_gains(system, a.steady.y, a.independents, a.gains, a.slopes) != 0 ||
        analyse_stability(model, a.algebraicCount, a.laws, a.steady.y, a.tags, a.stability,
                          failure) != 0) {
        log_sys("The steady state cannot be analysed: %s. Nothing was written.\n",
                failure.empty() ? "its Jacobian cannot be factored" : failure.c_str());
        return -1;
    }
    if (!options.fluxFile.empty() && analyse_fluxes(options, m, a) != 0) return -1;
    return options.ghFile.empty() ? 0 : analyse_ssystem(options, m, a);
}

}  // namespace

int run_kinesteady(const SteadyOptions& options) {
    LoadedModel m;
    if (load_model(options, m) != 0) {
        log_sys("Nothing was written.\n");
        return kExitFailure;
    }
    SteadyAnalysis analysis;
    if (analyse(options, m, analysis) != 0 ||
        write_outputs(analysis, options.reportFile, options.csvFile) != 0)
        return kExitFailure;
    if ((!options.gainsPlot.empty() && draw_gains(analysis, options.gainsPlot) != 0) ||
        (!options.eigenPlot.empty() && draw_eigenvalues(analysis, options.eigenPlot) != 0)) {
        log_sys("A plot could not be drawn; the report is in %s.\n", options.reportFile.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace kinesteady
