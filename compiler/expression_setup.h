// The passes that turn the expression texts of the DAE tables into checked trees.
#pragma once

#include <vector>

#include "dae_model.h"
#include "name_resolution.h"

// First pass over a table: parse each row, resolve its names (substituting temporaries), print
// it in '^' notation and keep that text as the row's text. Stops at the first failing row.
// 0, or -1 after logging.
int set_expression(DaeModel& model, std::vector<ExprEntry>& rows, bool cNotation);

// Second pass: rewrite the variables of each row's tree as y[n] and print it in the chosen
// notation; the row's text stays. 0, or -1 after logging.
int replace_expression(DaeModel& model, std::vector<ExprEntry>& rows, bool cNotation);

// A label is used when it has elements and one of them is referenced.
void mark_used_labels(DaeModel& model);

// Numbers the variables: x in table order from 1, y by the row of its differential equation.
// 0, or -1 after logging.
int set_variable_index(DaeModel& model);
