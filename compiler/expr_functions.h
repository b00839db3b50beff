// The functions the extended dialect (symcode -X) calls: f(argument), one argument each. A call
// is a node with op 'F', the function's DAE name in `function` and the argument on its right.
#pragma once

#include <string>
#include <string_view>

#include "diff_rules.h"
#include "expr_text.h"

constexpr char kCallOperator = 'F';
constexpr int kCallPriority = 4;  // binds tighter than any operator: its argument is bracketed

// Whether `name` is a function of the extended dialect (exp, log, log10, sqrt, abs, floor,
// ceil, sin, cos, tan, sinh, cosh, tanh, asin, acos, atan).
bool is_function_name(std::string_view name);

// The printed call: the DAE and MATLAB name, or the C name (fabs for abs) with cNotation.
std::string call_text(std::string_view function, std::string_view argument, bool cNotation);

struct ExprNode;

// Whether the tree under `root` holds a call.
bool tree_calls_function(const ExprNode* root);

// The derivative of function(argument) by the chain rule, given the argument's printed text and
// derivative. 0, or -1 after logging an unknown function.
int call_derivative(std::string_view function, DiffSide&& argument, bool cNotation,
                    Derivative& out);
