// The SBML ids of one exported model (see sbml_ids.h for how an id is made from a name): a
// species per variable, a parameter per PARAM row, a parameter per temporary expression, and the
// one compartment.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "dae_source.h"
#include "dae_symbols.h"
#include "model_values.h"

namespace kineport {

extern const char* const kCompartmentId;

struct ModelIds {
    std::vector<std::string> variables;              // by row of model.variables
    std::vector<std::vector<std::string>> elements;  // [label row][element]; "" when not exported
    std::vector<std::string> temporaries;            // by row of model.temporaries
    std::vector<std::string> events;  // by T_EVENT row (T_EVENT_1, ...), then by events-file event
};

// The name an element is exported under: its tag, or "label[k]" when it has none.
std::string element_name(const DaeModel& model, int labelRow, int element);

// Every id of the model, and the ids that formula readers take for constants or functions: the
// ids other tables of an export must not take.
std::set<std::string> taken_ids(const ModelIds& ids);

// `eventNames`: the ids of an events file's events, in order.
ModelIds assign_model_ids(const DaeSource& source, const ModelValues& values,
                          const std::vector<std::string>& eventNames = {});

// The id of what a name of an expression stands for; "" for an element without a PARAM row.
std::string id_of_symbol(const ModelIds& ids, const Symbol& symbol);

}  // namespace kineport
