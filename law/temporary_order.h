// Temporaries in an order symcode can substitute: each after the temporaries its text names.
#pragma once

#include <string>
#include <vector>

#include "law_dae.h"

namespace kinelaw {

// The names a DAE expression text mentions outside brackets of an index (k[1] gives "k").
std::vector<std::string> mentioned_names(const std::string& text);

// Sorts `temporaries` so that none precedes one it reads, keeping the given order otherwise.
// -1 with `problem` naming a temporary that reads itself through others.
int order_temporaries(std::vector<DaeDefinition>& temporaries, std::string& problem);

}  // namespace kinelaw
