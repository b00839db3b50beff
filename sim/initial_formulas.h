// The formulas of an initial-values file on a model's parameter record: the initial values and
// parameter elements they set, computed in the file's order from the values of an experiment,
// and their derivatives by the parameters a fit searches.
#pragma once

#include <string>
#include <vector>

#include "event_math.h"
#include "initial_file.h"
#include "kine.h"
#include "parameter_jacobian.h"
#include "param_reader.h"

namespace kinesim {

class InitialFormulas {
  public:
    // Parses each formula on the model's names (`record`: the parameter record the values are
    // read from and set in). 0, or -1 after logging the file, the line and why.
    int load(const std::string& path, const std::vector<InitialFormulaText>& formulas,
             const std::vector<std::string>& tags, int algebraicCount, const ParameterFile& file,
             Parameter* record);

    bool empty() const { return formulas_.empty(); }

    // Sets each target from its formula, in order, but the variables of `keptVariables` and the
    // elements of `keptValues` (what an experiment sets itself).
    void apply(std::vector<double>& initial, const std::vector<int>& keptVariables = {},
               const std::vector<double*>& keptValues = {}) const;

    // After apply: d initial_i / d log p_j for each element p_j of `parameters`, at [j * n + i]
    // (by p_j itself where byValue[j] is set); with `aliases`, a formula reading an alias of p_j
    // reads p_j.
    void slopes(const std::vector<double>& initial, const std::vector<double*>& parameters,
                const std::vector<int>& keptVariables, const std::vector<double*>& keptValues,
                std::vector<double>& out, const std::vector<char>* byValue = nullptr,
                const ParameterAliases* aliases = nullptr) const;

    // The target of the first formula that sets a parameter element from one of `parameters`
    // (the model would read it with no sensitivity of its own), or "".
    std::string value_set_from(const std::vector<double*>& parameters) const;

  private:
    struct Formula {
        std::string target;
        NameTarget where;
        EventMath math;
    };
    bool kept(const Formula& f, const std::vector<int>& keptVariables,
              const std::vector<double*>& keptValues) const;

    std::vector<Formula> formulas_;
};

}  // namespace kinesim
