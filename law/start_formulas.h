// The initial values a model computes from its other values (initial assignments, and species
// whose given amount or concentration is converted by a compartment's size), as DAE math: what
// a fit that changes the parameters must recompute in every experiment.
#pragma once

#include <string>
#include <vector>

#include <sbml/SBMLTypes.h>

#include "law_dae.h"
#include "math_text.h"

namespace kinelaw {

// The model's symbols as the DAE file names them, and which ids assignment rules give.
struct StartSymbols {
    SymbolText symbol;  // SBML id -> y[S], par[2], x[A], ...
    std::function<const ASTNode*(const std::string& id)> assignmentRule;  // nullptr: none
};

// One formula per target (y[S], constantPlayer[k] or a parameter element), each after the
// targets it reads; assignment rules are written into them, so that they read only parameter
// elements and variables. A formula that cannot be written so (it reads a reaction's rate, a
// rate, time or an algebraic variable) is left out and named in `kept`. -1 with `problem` set
// when the formulas read one another in a circle.
int start_formulas(const Model& model, const StartSymbols& symbols,
                   std::vector<DaeDefinition>& formulas, std::vector<std::string>& kept,
                   std::string& problem);

// The parameter file holds rows only for the labels the equations read (`hasRow` of label[k]):
// a formula that reads an element without a row reads its value from the DAE file instead, and
// a formula whose target has no row is written into the formulas that read it and left out.
void settle_unread_values(LawDae& dae, const std::function<bool(const std::string&)>& hasRow);

}  // namespace kinelaw
