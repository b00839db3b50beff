// The functions the extended dialect (symcode -X) calls. A call is a node with op 'F', the
// function's DAE name in `function` and its arguments on its right: one argument, or a chain of
// ',' nodes (priority 0, associating to the left) holding two or more.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "diff_rules.h"
#include "expr_text.h"

struct ExprNode;

constexpr char kCallOperator = 'F';
constexpr int kCallPriority = 4;  // binds tighter than any operator: its arguments are bracketed
constexpr char kListOperator = ',';

// Whether `name` is a function of the extended dialect: exp, log (natural), log10, sqrt, abs,
// floor, ceil, sin, cos, tan, sinh, cosh, tanh, asin, acos, atan of one argument; min and max of
// two; the relations lt, leq, gt, geq, eq, neq of two; and, or, xor of two or more, not of one;
// piecewise(value, condition, ..., otherwise) of an odd number, at least three.
bool is_function_name(std::string_view name);

// Whether `count` arguments suit the function; a message line otherwise.
bool accepts_argument_count(std::string_view function, std::size_t count);

// MATLAB texts for the calls printed from now on (the second pass of a MATLAB run); before, and
// in C, calls print in the DAE dialect or in C.
void set_matlab_calls(bool matlab);

// The arguments of a printed argument list "a, b, c": split at the commas outside brackets.
std::vector<std::string_view> split_arguments(std::string_view list);

// The printed call of `function` on the printed argument list: in the DAE dialect (which the
// scanner reads back), in C with math.h (cNotation), or in MATLAB.
std::string call_text(std::string_view function, std::string_view arguments, bool cNotation);

// The derivative of a call by the chain rule, given its printed argument list and the list of
// the arguments' derivatives (an empty text when none depends on the variable; "0" for one
// that does not among others). 0, or -1 after logging an unknown function.
int call_derivative(std::string_view function, DiffSide&& arguments, bool cNotation,
                    Derivative& out);

// The derivative of an argument list: the derivatives of both sides' arguments, "0" for each
// argument of a side without one.
Derivative list_derivative(DiffSide&& left, DiffSide&& right);

// Whether the tree under `root` holds a call.
bool tree_calls_function(const ExprNode* root);
