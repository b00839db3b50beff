// A PEtab problem (format version 1) of an exported model: the problem's YAML file names the
// SBML model and four tables written beside it, "<stem>_parameters.tsv",
// "<stem>_observables.tsv", "<stem>_conditions.tsv" and "<stem>_measurements.tsv", where <stem>
// is the YAML file's path without its ".yaml" or ".yml". Paths in the YAML file are relative to
// its folder.
#pragma once

#include <string>
#include <vector>

#include "dae_source.h"
#include "model_ids.h"
#include "model_values.h"
#include "param_reader.h"
#include "port_options.h"
#include "sbml_output.h"

namespace kineport {

// Adds the YAML file and the tables to `outputs`. 0, or -1 after logging.
int build_petab(const DaeSource& source, const kinesim::ParameterFile& file,
                const ModelValues& values, const ModelIds& ids, const PortOptions& options,
                std::vector<OutputFile>& outputs);

}  // namespace kineport
