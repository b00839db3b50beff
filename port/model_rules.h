// The rules of an exported model: the temporary expressions as parameters with assignment rules,
// the algebraic equations as algebraic rules, the differential equations as rate rules.
#pragma once

#include <sbml/Model.h>

#include <memory>
#include <string>
#include <vector>

#include "dae_source.h"
#include "expr_ast.h"
#include "model_ids.h"

namespace kineport {

// The math of a parsed expression of the DAE file with every name replaced by its id; the rows
// of the temporary expressions it names are added to `temporaries` when that is given. Null
// after logging (the file and `place` first).
std::unique_ptr<ASTNode> dae_math(const DaeSource& source, const ModelIds& ids, ExprNode* tree,
                                  const std::string& place,
                                  std::vector<int>* temporaries = nullptr);

// The rows of the temporary expressions in an order in which every row comes after the rows it
// names, earlier rows first where the order is free. False after logging when some name each
// other in a circle.
bool temporary_order(const DaeSource& source, const std::vector<std::vector<int>>& named,
                     std::vector<int>& order);

// Adds every rule (and the parameters the assignment rules set). 0, or -1 after logging.
int add_model_rules(Model& model, const DaeSource& source, const ModelIds& ids);

}  // namespace kineport
