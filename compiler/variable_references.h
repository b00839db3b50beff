// The state-vector columns an expression refers to, collected once per expression so that the
// Jacobian differentiates only by variables that occur in it.
#pragma once

#include <vector>

#include "expr_node.h"

// The numbers n, ascending and distinct, of the "y[n]" leaves of a rewritten tree whose text
// `printed` (the tree's printed form) still contains "y[n]". Leaves that the printer folded
// away (1^y[2] prints 1) are left out, as a search of the printed text would leave them out.
std::vector<int> referenced_columns(const ExprNode* root, const std::string& printed);

// The same for the leaves "<base>[n]" of any indexed name, such as constantPlayer[n].
std::vector<int> referenced_indices(const ExprNode* root, const std::string& printed,
                                    const std::string& base);

// The n of a leaf text "y[n]", or 0 for any other text.
int state_index_of(const std::string& leafText);

// The n of a leaf text "<base>[n]" (n written in digits only), or 0 for any other text.
int element_index_of(const std::string& leafText, const std::string& base);
