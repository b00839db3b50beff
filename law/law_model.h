// An SBML model's own mathematics as the sections of a DAE file: species, compartments and
// parameters that rules or reactions change become variables, the others parameters or constant
// players, assignment rules and reaction rates temporaries.
#pragma once

#include <string>

#include <sbml/SBMLTypes.h>

#include "law_dae.h"

namespace kinelaw {

// Fills `dae` from `model`, its function definitions inlined. -1 with `problem` set to one
// sentence naming the SBML element that cannot be written.
int build_law_dae(const Model& model, LawDae& dae, std::string& problem);

}  // namespace kinelaw
