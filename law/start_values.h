// The value of every id of an SBML model at time 0, in the units its symbol has in the model's
// math (a species' concentration unless it is counted in amounts): sizes, values, initial amounts
// or concentrations, stoichiometries, then initial assignments and assignment rules in the order
// their inputs become known.
#pragma once

#include <map>
#include <string>

#include <sbml/SBMLTypes.h>

namespace kinelaw {

// Whether the species' symbol in math is its amount (hasOnlySubstanceUnits, or a compartment
// without dimensions) rather than its concentration.
bool counted_in_amount(const Model& model, const Species& species);

// Fills `values`; -1 with `problem` set when an initial assignment or assignment rule cannot be
// evaluated (its inputs never become known) or divides by zero.
int start_values(const Model& model, std::map<std::string, double>& values, std::string& problem);

}  // namespace kinelaw
