// The value of SBML math at the start of a simulation, for initial values and the checks made
// before anything is written.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <sbml/SBMLTypes.h>

namespace kinelaw {

// The start value of an SBML id, or none while it is not known yet.
using SymbolValue = std::function<std::optional<double>(const std::string& id)>;

struct MathValue {
    std::optional<double> value;  // none: an id without a known value, or a construct not evaluated
    std::string divisionByZero;   // the denominator's formula when a division by 0 was met
    std::string unsupported;      // the name of a function that is not evaluated
};

// The name of a function or symbol as a message says it (rateOf and delay by their names).
std::string construct_name(const ASTNode& node);

// Evaluates `math` at time 0, calls of the model's function definitions included.
// `rateOf`, when given, is the value of an id's rate at the start (none when unknown).
MathValue math_value(const ASTNode& math, const SymbolValue& symbols, const Model& model,
                     const SymbolValue* rateOf = nullptr);

}  // namespace kinelaw
