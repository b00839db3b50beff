#include "kinefit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

#include "fit_plots.h"
#include "fit_report.h"
#include "kinesim.h"
#include "latin_hypercube.h"
#include "log.h"
#include "multistart.h"
#include "petab_fit.h"
#include "profile_output.h"
#include "tuned_file.h"
#include "uncertainty.h"

namespace kinefit {

namespace {

// Reads the events file and compiles it once on the model, so that the searches' own copies
// cannot fail. Events that set parameter elements are refused: kinelaw holds what events set as
// variables, whose sensitivities carry across the events.
int load_state_events(const FitOptions& options, const kinesim::ParameterFile& file,
                      FitSetup& setup) {
    StateEventSource& source = setup.stateEvents;
    if (options.eventFile.empty()) {
        return kinesim::check_event_count(options.codeFile, setup.inputs.eventCount, "", 0,
                                          "--events <events.txt>");
    }
    if (kinesim::read_event_file(options.eventFile, source.definitions) != 0 ||
        kinesim::check_event_count(options.codeFile, setup.inputs.eventCount, options.eventFile,
                                   source.definitions.size(), "--events <events.txt>") != 0) {
        return -1;
    }
    source.path = options.eventFile;
    source.file = file;
    kinesim::StateEvents check;
    kinesim::RateSource noRates{[](const double*, double*) {}, setup.inputs.variableCount};
    if (check.load(source.path, source.definitions, setup.inputs.tags, setup.inputs.algebraicCount,
                   file, setup.inputs.parameters.record(), std::move(noRates)) != 0) {
        return -1;
    }
    for (size_t e = 0; e < check.event_count(); ++e) {
        const kinesim::EventDefinition& definition = check.definition(e);
        for (size_t a = 0; a < definition.assignments.size(); ++a) {
            if (check.assignments(e)[a].target.variable >= 0) continue;
            log_sys(
                "%s:%d: event %s sets %s, a parameter element; kinefit fits through events "
                "that set variables only (kinelaw -E writes such files).\n",
                source.path.c_str(), definition.assignments[a].line, definition.id.c_str(),
                definition.assignments[a].target.c_str());
            return -1;
        }
    }
    return 0;
}

// The parameter elements the code reads and those the initial formulas read: what can be
// estimated.
kinesim::CodeFacts with_initial_reads(const kinesim::CodeFacts& code,
                                      const InitialFormulaSource& source) {
    kinesim::CodeFacts reads = code;
    for (const auto& [label, indices] : kinesim::elements_named(source.formulas))
        reads.elements[label].insert(indices.begin(), indices.end());
    return reads;
}

// Compiles the initial formulas once on the model, so that the searches' own copies cannot
// fail. A formula that sets a parameter element from an estimated one is refused: the model
// would read that element with no sensitivity of its own.
int load_initial_formulas(const kinesim::ParameterFile& file, FitSetup& setup) {
    InitialFormulaSource& source = setup.initialFormulas;
    if (source.formulas.empty()) return 0;
    source.file = file;
    kinesim::ModelInputs inputs = setup.inputs;
    kinesim::InitialFormulas check;
    if (check.load(source.path, source.formulas, inputs.tags, inputs.algebraicCount, file,
                   inputs.parameters.record()) != 0) {
        return -1;
    }
    std::vector<double*> estimated;
    for (const EstimatedParameter& p : setup.estimated) {
        if (p.in_model()) estimated.push_back(&inputs.parameters.at(p.slot, p.index));
    }
    std::string target = check.value_set_from(estimated);
    if (target.empty()) return 0;
    log_sys("%s: the formula of %s reads an estimated parameter; kinefit fits initial formulas "
            "that set variables only.\n",
            source.path.c_str(), target.c_str());
    return -1;
}

}  // namespace

int prepare_fit(const FitOptions& options, kinesim::ParameterFile& file,
                kinesim::CompiledModel& compiled, FitSetup& setup) {
    kinesim::SimOptions sim;
    sim.codeFile = options.codeFile;
    sim.paramFile = options.paramFile;
    sim.jacobianFile = options.jacobianFile;
    PetabRoute petab;
    bool petabProblem = !options.petabFile.empty();
    if (petabProblem && petab.read(options.petabFile) != 0) return -1;
    setup.initialFormulas.path = options.initialFile;
    if (!options.initialFile.empty() &&
        kinesim::read_initial_file(options.initialFile, setup.initialFormulas.formulas) != 0) {
        return -1;
    }
    auto estimate = [&](kinesim::ParameterFile& rows, const kinesim::CodeFacts& code) {
        // Before what is estimated: without the formulas, what they read looks unread.
        if (kinesim::check_initial_count(options.codeFile, code.initialCount, options.initialFile,
                                         setup.initialFormulas.formulas.size(),
                                         "--initial <initial.txt>") != 0) {
            return -1;
        }
        const kinesim::CodeFacts reads = with_initial_reads(code, setup.initialFormulas);
        return petabProblem ? petab.select(rows, reads, setup)
                            : select_estimated(rows, reads, setup.estimated);
    };
    if (kinesim::prepare_inputs(sim, file, setup.inputs, estimate) != 0 ||
        load_initial_formulas(file, setup) != 0) {
        return -1;
    }
    if (petabProblem) {
        if (petab.plan(file, setup) != 0) return -1;
    } else if (plan_experiments(options.dataFiles, file, setup.estimated, setup.experiments) != 0 ||
               check_data_depend_on_parameters(setup.experiments, setup.inputs.algebraicCount) !=
                   0) {
        return -1;
    }
    std::string kineDir = kinesim::find_kine_dir(options.kineDir);
    if (kineDir.empty() ||
        compiled.load(options.codeFile, options.jacobianFile, options.derivativesFile, kineDir,
                      setup.inputs.variableCount, options.compiler) != 0 ||
        kinesim::check_parameter_jacobian(compiled.parameterJacobian, setup.inputs.variableCount,
                                          setup.inputs.parameters, options.derivativesFile) != 0) {
        log_sys("Compiling and loading the model failed.\n");
        return -1;
    }
    // Each step solves with the iteration matrix once more per sensitivity parameter, so the
    // sparse factorisation pays from the smallest models, unlike in kinesim. Measured per
    // gradient, dense against KLU: Boehm_JProteomeRes2014 (10 variables) 14.8 / 12.3 ms,
    // Brannmark_JBC2010 (11) 349 / 300 ms, Zheng_PNAS2012 (16) 137 / 107 ms; and the enzyme chain
    // of fit_bench.sh with 48 variables and 50 parameters, a whole fit 42.5 / 21.9 s.
    setup.settings.linearSolver = options.linearSolver == kinesim::LinearSolverKind::Auto
                                      ? kinesim::LinearSolverKind::Klu
                                      : options.linearSolver;
    if (setup.settings.linearSolver == kinesim::LinearSolverKind::Klu &&
        compiled.derive_sparse_pattern(setup.inputs.parameters.record(),
                                       setup.inputs.variableCount) != 0) {
        return -1;
    }
    setup.events = kinesim::schedule_time_events(file);
    if (load_state_events(options, file, setup) != 0) return -1;
    setup.fvec = compiled.fvec;
    setup.fjac = compiled.fjac;
    setup.sparse = compiled.sparse;
    setup.parameterJacobian = compiled.parameterJacobian;
    setup.settings.relativeTolerance = options.relativeTolerance;
    // A rule that switches with time makes its algebraic variable jump, which no error test
    // of it passes; the states and sensitivities recorded stay within the test's bounds.
    setup.settings.algebraicOutOfErrorTest = true;
    setup.settings.absoluteTolerance = options.absoluteTolerance;
    return 0;
}

namespace {

int thread_count(const FitOptions& options, const ProcessGroup& group) {
    if (options.threads > 0) return options.threads;
    if (group.size() > 1) return 1;  // the processes share the machines' cores
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

// Runs this process's share of the starts; on the root, every start's result in start order.
// False when the results of another process cannot be read.
bool run_all_starts(const FitOptions& options, const ProcessGroup& group, const FitSetup& setup,
                    std::vector<StartResult>& results) {
    std::vector<std::vector<double>> points =
        start_points(setup.estimated, options.starts, options.seed);
    std::vector<int> mine = starts_of(group.rank(), group.size(), options.starts);
    std::vector<StartResult> own =
        run_starts(setup, points, mine, thread_count(options, group), options.maxIterations,
                   options.seed);
    results.clear();
    for (const std::string& part : group.gather(encode_results(own))) {
        if (!decode_results(part, setup.parameter_count(), results)) return false;
    }
    std::sort(results.begin(), results.end(),
              [](const StartResult& a, const StartResult& b) { return a.start < b.start; });
    return true;
}

// Events after the last measured time change nothing that is fitted.
void report_events_outside(const kinesim::ParameterFile& file, const FitSetup& setup) {
    double last = 0.0;
    for (const ExperimentPlan& plan : setup.experiments) {
        if (!plan.times.empty()) last = std::max(last, plan.times.back());
    }
    kinesim::report_events_outside(file, setup.events, 0.0, last);
}

// The uncertainty at the best start's values, from the Jacobian there.
int measure_uncertainty(const FitSetup& setup, FitSummary& summary) {
    const StartResult& best = summary.results[summary.best];
    int m = setup.residual_count(), k = setup.parameter_count();
    std::vector<double> residuals(m), jacobian(static_cast<size_t>(m) * k);
    std::string failure;
    FitProblem problem(setup);
    if (!problem.evaluate(best.logValues.data(), residuals.data(), jacobian.data(), failure)) {
        log_sys("The sensitivities at the best fit cannot be computed: %s.\n", failure.c_str());
        return -1;
    }
    summary.values.clear();
    if (setup.petab_problem()) {
        std::vector<char> noise =
            setup.petab.noise_rows(static_cast<int>(setup.experiments.size()));
        summary.measurementChi2 = 0.0;
        for (int r = 0; r < m; ++r) {
            if (!noise[r]) summary.measurementChi2 += residuals[r] * residuals[r];
        }
    }
    std::vector<double> slopes;
    for (size_t j = 0; j < best.logValues.size(); ++j) {
        summary.values.push_back(setup.estimated[j].value_at(best.logValues[j]));
        slopes.push_back(setup.estimated[j].value_slope(best.logValues[j]));
    }
    summary.uncertainty =
        estimate_uncertainty(jacobian, m, slopes, best.chi2, setup.all_weighted());
    return 0;
}

int draw_plots(const FitOptions& options, const FitSetup& setup, const FitSummary& summary) {
    int status = 0;
    if (!options.plotFile.empty()) {
        FitProblem problem(setup);
        status |= draw_fit_plot(problem, summary.results[summary.best].logValues, options.plotFile);
    }
    if (!options.startsPlotFile.empty()) {
        status |= draw_starts_plot(summary.results, options.startsPlotFile);
    }
    if (status != 0) log_sys("Drawing a plot failed; %s is written.\n", options.tunedFile.c_str());
    return status != 0 ? -1 : 0;
}

// --profile: the profiles from the best fit, reported, tabled beside the tuned file and drawn.
int profile(const FitOptions& options, const FitSetup& setup, const FitSummary& summary,
            int threads) {
    const StartResult& best = summary.results[summary.best];
    const double bestNllh = negative_log_likelihood(setup, best.chi2);
    std::vector<Profile> profiles =
        profile_likelihoods(setup, best.logValues, bestNllh, options.maxIterations, threads);
    std::fputs(profile_report(setup, profiles, summary.values, bestNllh).c_str(), stdout);
    std::fflush(stdout);
    if (write_profile_table(setup, profiles, path_beside(options.tunedFile, ".profiles.tsv")) != 0)
        return -1;
    if (draw_profile_plot(setup, profiles, bestNllh, options.profilePlotFile) != 0) {
        log_sys("Drawing the profile plot %s failed.\n", options.profilePlotFile.c_str());
        return -1;
    }
    return 0;
}

// On the root: the report, the tuned file and the plots.
int finish(const FitOptions& options, const FitSetup& setup, const kinesim::ParameterFile& file,
           FitSummary& summary, int threads) {
    summary.best = best_result(summary.results);
    if (summary.best < 0) {
        for (const StartResult& r : summary.results) {
            if (r.replaced > 0) {
                log_sys("Start %d failed, and so did its %d fresh start%s: %s\n", r.start + 1,
                        r.replaced, r.replaced == 1 ? "" : "s", r.message.c_str());
            } else {
                log_sys("Start %d failed: %s\n", r.start + 1, r.message.c_str());
            }
        }
        log_sys("No start reached a fit; %s is not written.\n", options.tunedFile.c_str());
        return -1;
    }
    if (measure_uncertainty(setup, summary) != 0 ||
        write_tuned_file(file, setup.estimated, summary.values, options.tunedFile) != 0) {
        log_sys("%s is not written.\n", options.tunedFile.c_str());
        return -1;
    }
    if (setup.petab_problem() &&
        write_petab_parameters(setup.petab.parameterTable, setup.estimated, summary.values,
                               petab_table_path(options.tunedFile)) != 0) {
        return -1;
    }
    std::fputs(fit_report(setup, summary).c_str(), stdout);
    std::fflush(stdout);
    int status = draw_plots(options, setup, summary);
    if (!options.profilePlotFile.empty() && profile(options, setup, summary, threads) != 0)
        status = -1;
    return status;
}

}  // namespace

namespace {

// The objective at the parameter table's nominal values, which a problem's publication reports.
int report_nominal(const FitSetup& setup) {
    std::vector<double> x;
    for (const EstimatedParameter& parameter : setup.estimated)
        x.push_back(parameter.search_of(parameter.nominal));
    std::vector<double> residuals(static_cast<size_t>(setup.residual_count()));
    std::string failure;
    FitProblem problem(setup);
    if (!problem.evaluate(x.data(), residuals.data(), nullptr, failure)) {
        log_sys("The model cannot be simulated at the nominal values: %s.\n", failure.c_str());
        return kExitFailure;
    }
    double sum = 0.0;
    for (double r : residuals) sum += r * r;
    std::printf("negative log-likelihood at the nominal values: %.12g\n",
                negative_log_likelihood(setup, sum));
    return kExitOk;
}

}  // namespace

int run_kinefit(const FitOptions& options, const ProcessGroup& group) {
    kinesim::ParameterFile file;
    kinesim::CompiledModel compiled;
    FitSetup setup;
    bool ready = prepare_fit(options, file, compiled, setup) == 0;
    if (!group.all(ready)) {
        if (ready) log_sys("Another process of the MPI job cannot read or compile the inputs.\n");
        log_sys("Nothing was fitted; %s is not written.\n", options.tunedFile.c_str());
        return kExitFailure;
    }
    if (options.nominalOnly) return group.share(group.is_root() ? report_nominal(setup) : kExitOk);
    if (group.is_root()) report_events_outside(file, setup);
    FitSummary summary;
    summary.seed = options.seed;
    int status = kExitOk;
    if (!run_all_starts(options, group, setup, summary.results)) {
        log_sys("The results of the other processes cannot be read; %s is not written.\n",
                options.tunedFile.c_str());
        status = kExitFailure;
    } else if (group.is_root() &&
               finish(options, setup, file, summary, thread_count(options, group)) != 0) {
        status = kExitFailure;
    }
    return group.share(status);
}

}  // namespace kinefit
