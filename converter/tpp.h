// The TPP rework of the Gene-Protein layer's equations into a total-amount formulation.
#pragma once

#include "equation_set.h"

// Runs the TPP steps for the Gene-Protein method of `context`. 0, or -1 after logging (the
// caller adds "TPP conversion failed.\n").
int SetTPP(ConversionContext& context);
