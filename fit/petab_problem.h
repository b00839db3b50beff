// A PEtab problem bound to a generated model: its parameter table to the parameter file's tags
// and to values of its own (observable and noise parameters the model does not read), its
// conditions to settings of the experiments, its measurements to points of the experiments'
// times, its observables to formulas over the model's variables and parameters. An id of the
// problem names a model quantity by being its tag: kinelaw's tags are the SBML ids, and a
// network converted by rxnconv is addressed by the tags its parameter file shows.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "estimated_parameters.h"
#include "experiments.h"
#include "param_reader.h"
#include "petab_files.h"

namespace kinefit {

enum class ObservableScale { Lin, Log, Log10 };

// A value a cell of the measurement table gives: a number, or the value of a parameter of the
// problem (estimated: the search's current value).
struct CellValue {
    double number = 0.0;
    int estimated = -1;  // >= 0: index into the estimated parameters
};

struct PetabObservable {
    std::string id;
    std::string formula;
    std::string noiseFormula;
    ObservableScale scale = ObservableScale::Lin;
    std::string where;  // the observable table's file and line
};

// One measured value: residual (t(h) - t(m)) / sigma, with t the observable's scale.
struct PetabPoint {
    int experiment = 0;
    int time = 0;  // index into the experiment's times
    int observable = 0;
    double measurement = 0.0;
    double timeValue = 0.0;
    std::vector<CellValue> observableParameters, noiseParameters;
    bool noiseTerm = false;      // sigma changes with the search: its log is a residual of its own
    double fixedLogSigma = 0.0;  // without a noise term: log sigma, a constant of the objective
    std::string where;
};

// A parameter of the table that the model does not read.
struct ProblemValue {
    std::string id;
    double nominal = 0.0;
};

struct PetabSetup {
    std::string yamlPath;
    std::vector<PetabObservable> observables;
    std::vector<PetabPoint> points;
    std::vector<ProblemValue> problemValues;
    std::map<std::string, std::pair<int, int>> modelElements;  // PARAM tag -> slot, element
    std::vector<std::string> experimentNames;                  // "<condition>" per experiment
    PetabTable parameterTable;                                 // as read, for the fitted table
    int noiseTerms = 0;
    // negative log-likelihood = (sum of squared residuals) / 2 + offset
    double offset = 0.0;
    int residual_count() const { return static_cast<int>(points.size()) + noiseTerms; }
    // Which residual rows are noise rows, in the order the objective writes them: experiment by
    // experiment, each point followed by its noise row.
    std::vector<char> noise_rows(int experiments) const;
};

// The noise residual of a varying sigma is sqrt(2 log sigma + kNoiseShift): its square
// differs from 2 log sigma by a constant. It needs sigma >= exp(-kNoiseShift / 2) = 1e-10.
constexpr double kNoiseShift = 46.051701859880914;  // 2 log 1e10

// Sets the model's values of the parameter table (nominalValue) in `file` and picks the
// estimated parameters (estimate 1): model elements by tag, the others as problem values.
// 0, or -1 after logging the table's file and line of the first fault.
int select_petab_estimated(const PetabFiles& files, kinesim::ParameterFile& file,
                           const kinesim::CodeFacts& code,
                           std::vector<EstimatedParameter>& estimated, PetabSetup& setup);

// Binds conditions, measurements and observables: one experiment per simulation condition.
// The formulas are parsed on the model's names here once, so that each search's own parse
// cannot fail. 0, or -1 after logging the file and line of the first fault.
int plan_petab_experiments(const PetabFiles& files, const kinesim::ParameterFile& file,
                           const std::vector<EstimatedParameter>& estimated,
                           std::vector<ExperimentPlan>& plans, PetabSetup& setup);

}  // namespace kinefit
