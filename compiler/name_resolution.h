// Resolving the names in expression trees against the DAE tables: variables, parameter
// elements and temporary expressions (which are substituted), and rewriting variables as y[n].
#pragma once

#include <string>

#include "dae_model.h"

enum class CheckMode { Check, Replace };

// Walks the tree, left side before right side: in Check mode every name leaf is resolved and
// marked used (check_detail), in Replace mode every variable leaf is rewritten
// (replace_variable). 0, or -1 after logging "## Error in check_node." for every level.
int check_node(DaeModel& model, ExprNode* node, bool cNotation, CheckMode mode);

// Resolves one name leaf of `node` (its left side when isLeft). 0, or -1 after logging.
int check_detail(DaeModel& model, const std::string& name, ExprNode* node, bool isLeft,
                 bool cNotation);

// Substitutes the tree of temporary `row` for a name leaf of `node` and checks that the tree
// can still be printed (the pass prints it afterwards in its own notation, so cNotation is not
// needed here). 0, or -1 after logging.
int expand_mid(DaeModel& model, int row, ExprNode* node, bool isLeft, bool cNotation);

// Marks element k (0-based) of a label used. 0, or -1 after logging when k is out of range.
int setUsedParam(ParamLabel& label, int k);

// Rewrites a variable leaf x[name] or y[name] as y[n]; other leaves stay. 0, or -1 after
// logging.
int replace_variable(const DaeModel& model, std::string& leafText);
