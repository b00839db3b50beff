// The text of an equation's right-hand side as the DAE file writes it.
#pragma once

#include <string>

#include "equation_set.h"

// True when at least one term of `equation` has a non-zero coefficient (only those are written).
bool hasWrittenTerm(const PlayerEquation& equation);

// The written terms of `equation`, each with its sign, coefficient, parameter and factors. Under
// TPP_RAPID (`rapidEquilibrium`) ka is written as the binding constant Kb and kd is left out.
std::string equationTermsText(const PlayerEquation& equation, bool rapidEquilibrium);
