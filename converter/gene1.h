// Regulated transcription: a transcription reaction with modifiers becomes one term of the
// product's equation with the regulators' occupied or free fractions.
#pragma once

#include "cma.h"

// 0, or -1 after logging.
int convertReaction_CMA_gene1(ConversionContext& context, const CmaReaction& reaction);
