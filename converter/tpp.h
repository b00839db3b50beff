// The TPP rework of the Gene-Protein layer's equations into a total-amount formulation: every
// mass-balanced monomer gets a differential equation for its total amount, the free monomer and
// the complexes become algebraic, and the steady-state and rapid-equilibrium variants remove
// the binding fluxes of complexes that reduce to one association and one dissociation term.
#pragma once

#include "equation_set.h"

// Runs the TPP steps for the Gene-Protein method of `context` (TPP_STEADYSTATE_1,
// TPP_STEADYSTATE_2, TPP_RAPID; any other method leaves everything as it is). 0, or -1 after
// logging "## Error!! in  SetTPP.\n" (the caller adds "TPP conversion failed.\n").
int SetTPP(ConversionContext& context);
