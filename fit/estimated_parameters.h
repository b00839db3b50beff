// The parameters a fit estimates: the PARAM rows whose D/R/S field is R or S (the search
// flags; D rows keep their value). Each is searched between GA_min and GA_max on a log scale,
// so both are needed and 0 < GA_min < GA_max; val_start, when given, is the first start's value.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "code_scan.h"
#include "param_reader.h"

namespace kinefit {

struct EstimatedParameter {
    int line = 0;       // the row's line in the parameter file; 0 for a problem value
    std::string label;  // the PARAM name
    int index = 0;      // the element of the label, from 1
    int slot = 0;       // the generated code reads the label from p->val[slot]
    std::string tag;
    double lower = 0.0;  // GA_min
    double upper = 0.0;  // GA_max
    bool hasStart = false;
    double start = 0.0;  // val_start
    // Of a PEtab problem: searched on the value's own scale (lin), not its log; and a value
    // the problem keeps itself (an observable or noise parameter), not an element of the model.
    bool linear = false;
    int problemValue = -1;
    int tableLine = 0;     // its line in the problem's parameter table
    double nominal = 0.0;  // its nominalValue there

    std::string name() const {
        return problemValue >= 0 ? tag : label + "[" + std::to_string(index) + "]";
    }
    bool in_model() const { return problemValue < 0; }
    // The search runs on x: log(value), or the value itself when linear.
    double value_at(double x) const { return linear ? x : std::exp(x); }
    double search_of(double value) const { return linear ? value : std::log(value); }
    double search_lower() const { return search_of(lower); }
    double search_upper() const { return search_of(upper); }
    // d value / d x
    double value_slope(double x) const { return linear ? 1.0 : std::exp(x); }
};

// The slot p->val[slot] from which the code reads `label` (its PARAM_NAME row), or 0.
int label_slot(const kinesim::ParameterFile& file, const std::string& label);

// Picks the estimated rows of `file` in file order and checks their flags, bounds and val_start
// and that the code reads them; a blank value of such a row is given val_start, or else the
// geometric mean of its bounds, so that the model's inputs can be bound. 0, or -1 after
// logging the file and line of the first fault.
int select_estimated(kinesim::ParameterFile& file, const kinesim::CodeFacts& code,
                     std::vector<EstimatedParameter>& estimated);

}  // namespace kinefit
