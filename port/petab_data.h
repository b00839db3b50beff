// The observable, condition and measurement tables of a PEtab problem, from kinefit's data files
// (read by common/measurement_file.h): an observable per measured variable (its species, with a
// normal noise whose standard deviation each measurement gives: its sd(...) value, or 1 where the
// file has none), a condition per data file (a column per species or parameter that some file
// sets, the parameter file's value where a file does not), and a measurement per measured value.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "dae_source.h"
#include "model_ids.h"
#include "model_values.h"
#include "param_reader.h"

namespace kineport {

struct PetabDataTables {
    std::string observables;
    std::string conditions;
    std::string measurements;
    std::set<std::string> setByConditions;  // the ids of the condition table's columns
};

// Reads the data files and builds the tables. A setting of an estimated parameter is refused:
// an estimated value is the same in every experiment. 0, or -1 after logging.
int data_tables(const DaeSource& source, const kinesim::ParameterFile& file,
                const ModelValues& values, const ModelIds& ids,
                const std::vector<std::string>& dataFiles, PetabDataTables& tables);

}  // namespace kineport
