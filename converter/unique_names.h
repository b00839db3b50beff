// Names that must differ within one DAE file: the flux names (temporary expressions, which the
// equations refer to by name) and the parameter tags (description and label, the key by which
// parameter files are merged). Parallel reactions, a reversible conversion, or a decay beside a
// degradation reaction would otherwise repeat them.
#pragma once

#include <string>
#include <vector>

#include "equation_set.h"

// The suffix each entry of `names` needs so that all differ: "" for the first occurrence of a
// name; for each later one "_2", "_3", ..., the smallest that makes a text found nowhere among
// the names and not handed out before. Names that occur once keep no suffix.
std::vector<std::string> repeatSuffixes(const std::vector<std::string>& names);

// Gives each flux that repeats an earlier flux's name, and each parameter whose tag (the
// description written for it, then its label) repeats an earlier one in file order, its repeat
// suffix (appended to the flux name or the label).
void makeNamesUnique(ConversionContext& context);
