// Building the equation set's starting point: one player, one equation and one total twin per
// species, and the checks that the complexes' element lists can be followed safely.
#pragma once

#include <memory>

#include "equation_set.h"
#include "model.h"

// Deepest nesting of complexes the conversions follow.
constexpr int kMaxComplexNesting = 256;

// A context for `model` with the two layer methods: every player unclassified, every total twin
// without kind and without a valid initial amount, every equation empty.
std::unique_ptr<ConversionContext> createConversionContext(const Model& model,
                                                           int geneProteinMethod,
                                                           int metabolicMethod);

// Checks that every element of every complex names a species, that no complex contains itself
// and that nesting stays within kMaxComplexNesting. 0, or -1 after logging the first fault.
int checkComplexElements(ConversionContext& context);
