// The initial-values file kinelaw writes beside a DAE file (-I): the initial values the model
// computes from its other values, one line each,
//   <y[tag], x[tag] or label[k]> = <math>
// in the order they are computed, each after the targets it reads. '#' starts a comment line.
// The math is kept as text; initial_formulas.h parses it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kinesim {

struct InitialFormulaText {
    int line = 0;
    std::string target;
    std::string math;
};

// Reads the file; 0, or -1 after logging the file, the line and what is wrong with it.
int read_initial_file(const std::string& path, std::vector<InitialFormulaText>& formulas);

// A model whose code says `expected` (> 0) initial values are formulas runs with a file of as
// many, or they would keep the parameter file's values whatever the fit changes (`initialFile`
// empty: none given; `option` how one is given). 0, or -1 after logging.
int check_initial_count(const std::string& codeFile, int expected, const std::string& initialFile,
                        size_t given, const char* option);

// The parameter elements label[k] the formulas' math names: label -> indices.
std::map<std::string, std::set<int>> elements_named(const std::vector<InitialFormulaText>& formulas);

}  // namespace kinesim
