// Decay of species: the per-species decay parameters and the decay terms of the CMA family, or
// the decay fluxes of the GMA family.
#pragma once

#include "equation_set.h"

// Adds the decay terms (CMA family) or decay fluxes (GMA family) of every decaying player for a
// layer converted by `method`. 0, or -1 after logging.
int execDecomposition(ConversionContext& context, int method);

// The decay parameter of `kind` for `species`: the one registered before, or a new one labelled
// "_<name>.<short>".
const KineticParameter& registerParameter(int kind, ConversionContext& context,
                                          const Player& species);
