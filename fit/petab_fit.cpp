#include "petab_fit.h"

#include <cmath>
#include <cstring>

#include "file_replace.h"
#include "format.h"
#include "log.h"
#include "tuned_file.h"

namespace kinefit {

int PetabRoute::select(kinesim::ParameterFile& file, const kinesim::CodeFacts& code,
                       FitSetup& setup) {
    return select_petab_estimated(files, file, code, setup.estimated, setup.petab);
}

namespace {

// A log-scale observable compares logs: a measurement at or below 0 has none.
int check_log_measurements(const PetabSetup& petab) {
    for (const PetabPoint& point : petab.points) {
        if (petab.observables[point.observable].scale != ObservableScale::Lin &&
            !(point.measurement > 0.0)) {
            log_sys("%s: the measurement %g of a log-scale observable is not above 0.\n",
                    point.where.c_str(), point.measurement);
            return -1;
        }
    }
    return 0;
}

// Which sigmas vary with the search, and the constant part of the negative log-likelihood:
// log(2 pi)/2 and log sigma of each fixed sigma per point, the log scales' log m (and log ln 10),
// less kNoiseShift / 2 per noise residual.
int measure_constants(FitSetup& setup) {
    PetabSetup& petab = setup.petab;
    kinesim::ModelInputs inputs = setup.inputs;
    PetabObjective objective;
    std::string problem;
    if (objective.bind(petab, setup.estimated, inputs, problem) != 0) {
        log_sys("%s\n", problem.c_str());
        return -1;
    }
    petab.noiseTerms = 0;
    petab.offset = 0.0;
    for (size_t p = 0; p < petab.points.size(); ++p) {
        PetabPoint& point = petab.points[p];
        point.noiseTerm = objective.noise_varies(static_cast<int>(p));
        if (point.noiseTerm) {
            ++petab.noiseTerms;
            petab.offset -= 0.5 * kNoiseShift;
        } else {
            point.fixedLogSigma = objective.fixed_log_sigma(static_cast<int>(p));
            if (!std::isfinite(point.fixedLogSigma)) {
                log_sys("%s: the noise of the measurement is not above 0.\n", point.where.c_str());
                return -1;
            }
            petab.offset += point.fixedLogSigma;
        }
        petab.offset += 0.5 * std::log(2.0 * M_PI);
        ObservableScale scale = petab.observables[point.observable].scale;
        if (scale == ObservableScale::Log) petab.offset += std::log(point.measurement);
        if (scale == ObservableScale::Log10)
            petab.offset += std::log(point.measurement * std::log(10.0));
    }
    return 0;
}

}  // namespace

int PetabRoute::plan(const kinesim::ParameterFile& file, FitSetup& setup) {
    if (plan_petab_experiments(files, file, setup.estimated, setup.experiments, setup.petab) != 0 ||
        check_log_measurements(setup.petab) != 0) {
        return -1;
    }
    setup.petab.parameterTable = files.parameters;
    return measure_constants(setup);
}

std::string petab_table_path(const std::string& tunedFile) {
    return path_beside(tunedFile, ".parameters.tsv");
}

int write_petab_parameters(const PetabTable& table,
                           const std::vector<EstimatedParameter>& estimated,
                           const std::vector<double>& values, const std::string& path) {
    std::vector<std::vector<std::string>> rows = table.rows;
    int id = table.column("parameterId"), nominal = table.column("nominalValue");
    for (std::vector<std::string>& row : rows) {
        for (size_t j = 0; j < estimated.size(); ++j) {
            if (row[id] == estimated[j].tag) row[nominal] = zymorax::format("%.17g", values[j]);
        }
    }
    auto line = [](FILE* out, const std::vector<std::string>& cells) {
        for (size_t c = 0; c < cells.size(); ++c) {
            if (std::fprintf(out, "%s%s", c > 0 ? "\t" : "", cells[c].c_str()) < 0) return false;
        }
        return std::fputc('\n', out) != EOF;
    };
    auto fill = [&](FILE* out) {
        if (!line(out, table.columns)) return false;
        for (const std::vector<std::string>& row : rows) {
            if (!line(out, row)) return false;
        }
        return true;
    };
    zymorax::ReplaceFailure failure;
    if (zymorax::replace_file(path, fill, true, failure)) return 0;
    log_sys("Cannot write the fitted parameter table %s (%s).\n", path.c_str(),
            std::strerror(failure.error));
    return -1;
}

}  // namespace kinefit
