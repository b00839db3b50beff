// The power laws of the generated code, pow(y[i], order) with an order that is not a whole
// number: not defined for a negative amount, infinite at an amount of 0 for a negative order,
// and of infinite slope there for an order below 1. The integration keeps these variables at 0
// or above (ModelFunctions::keep_non_negative, IDAS's constraints); a start at which a term is
// infinite is refused before integrating.
#pragma once

#include <vector>

#include "code_scan.h"
#include "model_inputs.h"

namespace kinesim {

// The Jacobian takes a power law's variable at this fraction of the absolute tolerance or
// above. Measured on 353 power-law conversions of curated models (values filled, to t = 100):
// 1e-3 runs 324, 1 runs 295, 1e-6 321, 1e-10 318; at 1e-290 (just above 0) 264.
constexpr double kPowerLawJacobianFloor = 1e-3;

// The variables (from 0) raised to a power law, each once, ascending.
std::vector<int> power_law_bases(const CodeFacts& code);

// Logs every power law of the right-hand side that is infinite at the initial values (a
// variable at 0 under an order below 0), naming the term, its equation, the variable and what
// to give. 0 when there is none, else -1.
int check_power_laws_at_start(const CodeFacts& code, ModelInputs& inputs);

}  // namespace kinesim
