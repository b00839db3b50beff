// What a name in an expression of a DAE file stands for, resolved by symcode's rules: x[name]
// and y[name] name a variable of either kind, label[k] element k of a used-parameter label
// (constantPlayer included; the index written in decimal digits only), and a name without
// brackets a temporary expression.
#pragma once

#include <string>

#include "dae_model.h"

namespace kineport {

enum class SymbolKind { Variable, Element, Temporary };

struct Symbol {
    SymbolKind kind = SymbolKind::Variable;
    int row = -1;      // row of model.variables, model.paramLabels or model.temporaries
    int element = -1;  // for an element: its position in the label's elements (k - 1)
};

// Resolves one name leaf. 0, or -1 with `problem` saying why the name stands for nothing.
int resolve_name(const DaeModel& model, const std::string& name, Symbol& symbol,
                 std::string& problem);

}  // namespace kineport
