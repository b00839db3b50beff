// Values that the DAE file's "%g" numbers cannot carry whole.
#pragma once

#include "model.h"

// Logs one line for every stoichiometry of a reaction whose "%g" text, as the DAE file writes
// it, differs from the value by more than 1e-12 of itself (2.123456789 becomes 2.12346), naming
// the reaction and the species; the number notes then name their SBML elements.
void noteRoundedStoichiometries(const Model& model);
