// The lines of the S-system right-hand side and Jacobian for one equation: a rate constant times
// a product of powers, one power per symbol that the positive (g) or negative (h) part holds.
#pragma once

#include <string>
#include <vector>

// Kinetic-order numbers of one part of one equation: entry k (1..n) belongs to y[k], entry
// n + j (j = 1..constCount) to constantPlayer[j]; 0 when the part does not hold the symbol.
using OrderTable = std::vector<int>;

struct SsystemLayout {
    int n = 0;           // variables (differential equations)
    int constCount = 0;  // constants up to the highest one used
    bool cNotation = true;
    bool matlab = false;
};

// The symbol of table entry m: "y[%d]" or "constantPlayer[%d]", parenthesised without cNotation.
std::string ssystem_symbol(int m, const SsystemLayout& layout);

// "*pow(S,g[t])" (or "*(S^(g(t)))") for every symbol of the table, variables first.
std::string power_factors(const OrderTable& table, const char* prefix, const SsystemLayout& layout);

// The power factors differentiated by y[k]: the factor of y[k] becomes "*g[t]*pow(S,g[t]-1)".
std::string derivative_factors(const OrderTable& table, const char* prefix, int k,
                               const SsystemLayout& layout);

// "fvec[  i] = kplus[i]... - kminus[i]...;\n", each rate only when its part is not empty.
std::string ssystem_fvec_line(int i, const OrderTable& g, const OrderTable& h, bool hasPositive,
                              bool hasNegative, const SsystemLayout& layout);

// One "fjac[  i][  k] = ...;\n" line for every variable k that either part holds.
std::string ssystem_fjac_lines(int i, const OrderTable& g, const OrderTable& h,
                               const SsystemLayout& layout);
