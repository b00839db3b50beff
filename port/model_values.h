// The numbers an export writes, taken from a parameter file (read by kinesim's reader) and
// checked against the DAE file it was generated from.
#pragma once

#include <vector>

#include "dae_source.h"
#include "param_reader.h"

namespace kineport {

// One PARAM row and the element of the DAE file it gives a value to.
struct ElementValue {
    int labelRow = 0;  // row of model.paramLabels
    int element = 0;   // position in the label's elements (index - 1)
    const kinesim::ParamValueRow* row = nullptr;
};

// One T_EVENT row: at `time` the element takes `value`.
struct EventValue {
    int line = 0;
    int labelRow = 0;
    int element = 0;
    double time = 0.0;
    double value = 0.0;
};

struct ModelValues {
    std::vector<double> initial;         // Y_START values by row of model.variables
    std::vector<ElementValue> elements;  // every PARAM row, in file order
    std::vector<EventValue> events;      // every T_EVENT row, in file order

    // Whether an event sets the element.
    bool event_sets(int labelRow, int element) const;
};

// Binds the file's rows to the model: N_VAR and N_ALGEBR as in the DAE file, each Y_START row
// tagged with the name of the variable of its index, each PARAM row an element of the DAE file
// with its tag, and every initial value and every element an expression reads filled in.
// T_EVENT rows each set an element with a PARAM row, at a time from 0 on (an exported model
// starts at 0). `file` must outlive `values`. 0, or -1 after logging.
int bind_values(const DaeSource& source, const kinesim::ParameterFile& file, ModelValues& values);

}  // namespace kineport
