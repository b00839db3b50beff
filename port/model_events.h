// The events of kinelaw's events file in an exported model: each block an SBML event with its
// trigger (initialValue, persistent), priority, delay, useValuesFromTriggerTime and assignments,
// the math translated as the DAE file's is, so that the model fires them elsewhere as kinesim
// does. The file's event ids are kept where no other id of the model takes them.
#pragma once

#include <sbml/Model.h>

#include <string>
#include <vector>

#include "dae_source.h"
#include "event_file.h"
#include "model_ids.h"

namespace kineport {

struct ModelEvents {
    std::string path;
    std::vector<kinesim::EventDefinition> definitions;
};

// Adds one event per block; their ids follow the T_EVENT rows' in ids.events. 0, or -1 after
// logging the events file's line and what cannot be exported.
int add_model_events(Model& model, const DaeSource& source, const ModelIds& ids,
                     const ModelEvents& events);

}  // namespace kineport
