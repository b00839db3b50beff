// The last steps of a conversion: checking that everything to be written refers only to written
// players, rendering the temporary expressions, and gathering the result into the OutputInfo.
#pragma once

#include <memory>

#include "equation_set.h"
#include "output_info.h"

// Checks every term of the equations to be written, every flux and every used total-enzyme
// expression for a player of no written kind, then renders the expressions' texts. 0, or -1
// after logging the first such reference.
int checkEquationReferences(ConversionContext& context);

// Chains players, equations, parameters and expressions of `context` into `info`, which keeps
// the context alive.
void gatherOutputInfo(std::shared_ptr<ConversionContext> context, OutputInfo& info);
