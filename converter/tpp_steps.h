// The five TPP steps, in the order SetTPP runs them. Each logs its pass line when it completes;
// each returns 0, or -1 after logging its failure.
#pragma once

#include "equation_set.h"
#include "tpp_monomer.h"

// The terms of every mass-balanced monomer (PLAYER_ALGEBRAIC_TOTAL) move to its total, which
// becomes differential.
int moveMonomerEqs(ConversionContext& context);

// Each complex's terms, times the monomer's content, are merged into the monomer's total; the
// total becomes a constant when none of its terms is left non-zero.
int makeTotalDiffEqs(ConversionContext& context, MonomerContents& contents);

// Each monomer's equation becomes the definition of its total: M + sum of m * Z.
int makeTotalAlgebraicEqs(ConversionContext& context, MonomerContents& contents);

// Each monomer's total gets the initial amount M + sum of m * Z, or none when one is missing.
int calcInitialVal(ConversionContext& context, MonomerContents& contents);

// TPP_STEADYSTATE_2 and TPP_RAPID: drops the complexes' decay (and under TPP_RAPID their
// catalysis), gives the association of a complex the binding-constant exponent under TPP_RAPID,
// and eliminates, wherever else they occur, the binding fluxes of every complex left with one
// association and one dissociation term, until no further complex is left so.
int refineComplexEqs(ConversionContext& context);
