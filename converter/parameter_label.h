// Labels of kinetic parameters: the text written after a parameter's description, built from
// the display names of the species a reaction involves.
#pragma once

#include <string>

#include "equation_set.h"
#include "reaction_lists.h"

// CMA parameters: "_<name>.<short>" for each modifier, then each reactant, each group sorted by
// name.
std::string cmaParameterLabel(const PlayerList& modifiers, const PlayerList& reactants);

// GMA and MM parameters: for f and Kmich first "(<name>.<short>)" of `subject`, then the sorted
// modifiers and reactants as above, then "_GMA" (kxg, f) or "_MM" (Q, Kmich).
std::string parameterLabel(int kind, const Player* subject, const PlayerList& modifiers,
                           const PlayerList& reactants);

// Per-species (decay) parameters: "_<name>.<short>".
std::string speciesParameterLabel(const Player& species);
