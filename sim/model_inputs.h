// The numbers a simulation starts from, taken from the parameter file and checked against what
// the generated code reads.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "code_scan.h"
#include "kine.h"
#include "param_reader.h"

namespace kinesim {

// The values of the used labels laid out as the generated code reads them (kine.h):
// record()->val[i][k], both indices from 1. A copy's record points into the copy, so that
// threads can each change their own values.
class ParameterValues {
  public:
    ParameterValues() = default;
    ParameterValues(const ParameterValues& other);
    ParameterValues& operator=(const ParameterValues& other);
    ParameterValues(ParameterValues&&) = default;
    ParameterValues& operator=(ParameterValues&&) = default;

    // Makes label slots 1..sizes.size(); slot i gets sizes[i-1] elements, all 0.
    void resize(const std::vector<int>& sizes);
    double& at(int slot, int element) { return arrays_[slot][element]; }
    int slot_count() const { return static_cast<int>(arrays_.size()) - 1; }
    int element_count(int slot) const { return static_cast<int>(arrays_[slot].size()) - 1; }
    Parameter* record() { return &record_; }

  private:
    void point_record();

    std::vector<std::vector<double>> arrays_;
    std::vector<double*> pointers_;
    Parameter record_{nullptr};
};

struct ModelInputs {
    int variableCount = 0;
    int algebraicCount = 0;         // variables 1..algebraicCount are algebraic
    std::vector<std::string> tags;  // by variable number - 1
    std::vector<double> initial;    // by variable number - 1
    ParameterValues parameters;
    std::vector<int> powerBases;  // the variables (from 0) raised to a power law, ascending
    int eventCount = 0;           // the events the model's header says an events file holds
    int initialCount = 0;         // the formulas it says an initial-values file holds
};

// Logs every value that the Y_START rows and `elements` (label -> indices of the elements read)
// need and the file leaves blank or lacks, under one heading, in file order ("  line <n>:
// <row>"), elements without a row last. 0 when there is none, else -1.
int report_unfilled_rows(const ParameterFile& file,
                         const std::map<std::string, std::set<int>>& elements);

// Checks that the code and the parameter file belong to one model and that every value the code
// needs is filled in, then fills `inputs`. A blank or missing value ends with one message that
// lists every row to fill. 0, or -1 after logging.
int bind_model_inputs(const ParameterFile& file, const CodeFacts& code, ModelInputs& inputs);

}  // namespace kinesim
