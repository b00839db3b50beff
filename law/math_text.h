// SBML math as an expression of the DAE file: names mapped to the DAE's own (y[S1], par[2],
// a temporary), arithmetic with every compound operand in brackets, numbers at full precision.
#pragma once

#include <functional>
#include <string>

#include <sbml/SBMLTypes.h>

namespace kinelaw {

// The DAE text of an SBML id, or an empty text for an id the model does not define.
using SymbolText = std::function<std::string(const std::string& id)>;

// The text of `math`, or -1 with `problem` set to what cannot be written (an unknown id, a
// function the DAE dialect has no call for). Calls of the model's function definitions are
// inlined: the body written with each argument in place of its parameter.
// `rateOf`, when given, is the DAE text of the rate of an id (empty for none).
int math_text(const ASTNode& math, const SymbolText& symbols, const Model& model,
              std::string& text, std::string& problem, const SymbolText* rateOf = nullptr);

// Function definitions inlined within one another more deeply than this are refused, and so is
// math nested more deeply (libSBML reads, writes and frees math recursively too).
constexpr std::size_t kMaxInlinedCalls = 100;
constexpr std::size_t kMaxMathDepth = 1000;

// The DAE name of the model's time: a variable with d/dt = 1, a name no SBML id can take.
extern const char* const kTimeVariable;

}  // namespace kinelaw
