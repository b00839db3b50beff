// The texts of initial and parameter values in the parameter files symcode writes: the fixed
// formats, or in the extended dialect (-X) the value at full precision.
#pragma once

#include <string>

#include "dae_model.h"

// Whether the variable has an initial value to write.
bool has_initial_value(const VariableEntry& variable);

// Twelve-character fields of the C parameter file.
std::string initial_value_field(double value);
std::string param_value_field(double value);

// The value written for an element no equation reads: 1, or in the extended dialect its own
// value, which the initial-values file of a model's own kinetics may read.
std::string unused_value(const ParamElement& element);

// The values of the MATLAB parameter files ("%12.4e" and "%g" in the fixed formats).
std::string matlab_initial_value(double value);
std::string matlab_param_value(double value);
