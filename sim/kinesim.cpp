#include "kinesim.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "code_scan.h"
#include "compiled_model.h"
#include "csv_writer.h"
#include "dae_solver.h"
#include "format.h"
#include "initial_formulas.h"
#include "jacobian_check.h"
#include "jacobian_file.h"
#include "log.h"
#include "model_inputs.h"
#include "param_reader.h"
#include "plot.h"
#include "power_law.h"
#include "state_events.h"
#include "time_events.h"

namespace kinesim {

int read_text(const std::string& path, const char* what, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        log_sys("Cannot open the %s %s.\n", what, path.c_str());
        return -1;
    }
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return 0;
}

namespace {

int load_state_events(const SimOptions& options, const ModelInputs& inputs,
                      const ParameterFile& file, ModelFunctions& model, StateEvents& events) {
    std::vector<EventDefinition> definitions;
    if (read_event_file(options.eventFile, definitions) != 0 ||
        check_event_count(options.codeFile, inputs.eventCount, options.eventFile,
                          definitions.size(), "-E<events.txt>") != 0) {
        return -1;
    }
    RateSource rates{[&model](const double* y, double* f) { model.rhs(y, f); }, model.size()};
    return events.load(options.eventFile, definitions, inputs.tags, inputs.algebraicCount, file,
                       model.parameters(), std::move(rates));
}

}  // namespace

int prepare_inputs(const SimOptions& options, ParameterFile& file, ModelInputs& inputs,
                   const InputsCheck& check) {
    if (read_parameter_file(options.paramFile, file) != 0) {
        log_sys("Reading the parameter file failed.\n");
        return -1;
    }
    std::string code, jacobian;
    CodeFacts facts;
    if (read_text(options.codeFile, "C file", code) != 0 || scan_generated_code(code, facts) != 0 ||
        (check && check(file, facts) != 0) || bind_model_inputs(file, facts, inputs) != 0 ||
        (!options.jacobianFile.empty() &&
         (read_text(options.jacobianFile, "sparse Jacobian file", jacobian) != 0 ||
          check_jacobian_file(options.jacobianFile, jacobian, facts, inputs.variableCount) != 0)) ||
        check_power_laws_at_start(facts, inputs) != 0) {
        return -2;
    }
    inputs.powerBases = power_law_bases(facts);
    // A model's own kinetics may raise a quantity of either sign to a power (a shifted time,
    // a voltage): there only differential variables that start at 0 or above are kept there,
    // the species a Hill term reads; what a rule gives must satisfy its own equation.
    if (facts.ownKinetics) {
        std::vector<int>& bases = inputs.powerBases;
        bases.erase(std::remove_if(bases.begin(), bases.end(),
                                   [&inputs](int v) {
                                       return v < inputs.algebraicCount || inputs.initial[v] < 0.0;
                                   }),
                    bases.end());
    }
    inputs.eventCount = facts.eventCount;
    inputs.initialCount = facts.initialCount;
    return 0;
}

int apply_initial_formulas(const SimOptions& options, const ParameterFile& file,
                           ModelInputs& inputs) {
    std::vector<InitialFormulaText> formulas;
    InitialFormulas compiled;
    if (read_initial_file(options.initialFile, formulas) != 0 ||
        check_initial_count(options.codeFile, inputs.initialCount, options.initialFile,
                            formulas.size(), "--initial <initial.txt>") != 0 ||
        compiled.load(options.initialFile, formulas, inputs.tags, inputs.algebraicCount, file,
                      inputs.parameters.record()) != 0) {
        return -1;
    }
    compiled.apply(inputs.initial);
    return 0;
}

namespace {

// The check holds three n x n arrays.
int check_jacobian(ModelFunctions& model, const ModelInputs& inputs) {
    double n = model.size() + 1.0;
    if (!fits_in_memory(3.0 * sizeof(double) * n * n)) {
        log_sys("The Jacobian check of %d variables needs more memory than there is.\n",
                model.size());
        return kExitFailure;
    }
    JacobianComparison result = compare_jacobian(model, inputs.initial);
    std::fputs(describe_comparison(result, inputs.tags).c_str(), stdout);
    if (!result.agrees()) {
        std::fputs(zymorax::format("usr_fjac disagrees with usr_fvec (tolerance %.0e).\n",
                                   kJacobianTolerance)
                       .c_str(),
                   stdout);
        return kExitJacobianMismatch;
    }
    return kExitOk;
}

int simulate(const SimOptions& options, ModelFunctions& model, const ModelInputs& inputs,
             const ParameterFile& file, LinearSolverKind linearSolver) {
    StateEvents stateEvents;
    if ((options.eventFile.empty()
             ? check_event_count(options.codeFile, inputs.eventCount, "", 0, "-E<events.txt>")
             : load_state_events(options, inputs, file, model, stateEvents)) != 0) {
        log_sys("Nothing was simulated.\n");
        return kExitFailure;
    }
    CsvWriter csv;
    if (csv.open(options.csvFile, inputs.tags) != 0) {
        log_sys("Nothing was simulated.\n");
        return kExitFailure;
    }
    TimeGrid grid{options.timeStart, options.timeEnd, options.timeStep};
    SolverSettings settings;
    settings.relativeTolerance = options.relativeTolerance;
    settings.absoluteTolerance = options.absoluteTolerance;
    settings.linearSolver = linearSolver;
    settings.algebraicOutOfErrorTest = true;
    std::vector<TimeEvent> events = schedule_time_events(file);
    report_events_outside(file, events, grid.start, grid.end);
    int solved = integrate_dae(
        model, inputs.algebraicCount, inputs.tags, inputs.initial, grid, settings,
        [&](double time, const std::vector<double>& state) { return csv.write_row(time, state); },
        events, stateEvents.empty() ? nullptr : &stateEvents);
    // What was computed before a failure stays in the file.
    if (csv.close() != 0 || solved != 0) {
        log_sys("The simulation stopped; %s holds the time course up to there.\n",
                options.csvFile.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace

int run_kinesim(const SimOptions& options) {
    ParameterFile file;
    ModelInputs inputs;
    if (int prepared = prepare_inputs(options, file, inputs)) {
        if (prepared == -2) log_sys("Nothing was simulated.\n");
        return kExitFailure;
    }
    if (!options.initialFile.empty() && apply_initial_formulas(options, file, inputs) != 0) {
        log_sys("Nothing was simulated.\n");
        return kExitFailure;
    }
    std::string kineDir = find_kine_dir(options.kineDir);
    CompiledModel compiled;
    if (kineDir.empty() || compiled.load(options.codeFile, options.jacobianFile, "", kineDir,
                                         inputs.variableCount, options.compiler) != 0) {
        log_sys("Compiling and loading the model failed; nothing was simulated.\n");
        return kExitFailure;
    }
    LinearSolverKind linearSolver =
        choose_linear_solver(options.linearSolver, inputs.variableCount);
    if (!options.checkJacobian && linearSolver == LinearSolverKind::Klu &&
        compiled.derive_sparse_pattern(inputs.parameters.record(), inputs.variableCount) != 0) {
        log_sys("Nothing was simulated.\n");
        return kExitFailure;
    }
    ModelFunctions model(compiled.fvec, compiled.fjac, inputs.parameters.record(),
                         inputs.variableCount, compiled.sparse);
    if (options.checkJacobian) return check_jacobian(model, inputs);
    model.keep_non_negative(inputs.powerBases, kPowerLawJacobianFloor * options.absoluteTolerance);
    int status = simulate(options, model, inputs, file, linearSolver);
    if (status != kExitOk || options.plotFile.empty()) return status;
    std::string title = file.title.empty() ? options.codeFile : file.title;
    if (draw_plot(options.csvFile, inputs.variableCount, options.plotFile, title) != 0) {
        log_sys("Drawing the plot failed; the time course is in %s.\n", options.csvFile.c_str());
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace kinesim
