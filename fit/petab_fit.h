// The PEtab route of kinefit: the problem read and bound to the model before the fit, and its
// fitted parameter table written after it.
#pragma once

#include <string>
#include <vector>

#include "fit_problem.h"
#include "petab_files.h"

namespace kinefit {

// Reads the problem and binds it: the check `estimate` that prepare_inputs runs on the parameter
// file (values from the parameter table, estimated parameters picked) and, once the inputs are
// bound, the experiments with their observables.
struct PetabRoute {
    PetabFiles files;

    int read(const std::string& yamlPath) { return read_petab_files(yamlPath, files); }
    int select(kinesim::ParameterFile& file, const kinesim::CodeFacts& code, FitSetup& setup);
    // Plans the experiments and measures the objective's constant part. 0, or -1 after logging.
    int plan(const kinesim::ParameterFile& file, FitSetup& setup);
};

// "<tuned without its extension>.parameters.tsv": where the fitted parameter table goes.
std::string petab_table_path(const std::string& tunedFile);

// The parameter table as read, with each estimated parameter's nominalValue the fitted value
// (%.17g). 0, or -1 after logging.
int write_petab_parameters(const PetabTable& table,
                           const std::vector<EstimatedParameter>& estimated,
                           const std::vector<double>& values, const std::string& path);

}  // namespace kinefit
