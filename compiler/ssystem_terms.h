// The lines of the S-system right-hand side and Jacobian for one equation: a rate constant times
// a product of powers, one power per symbol that the positive (g) or negative (h) part holds.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

// One kinetic order of one part of one equation: the symbol it belongs to (1..n for y[k],
// n + j for constantPlayer[j]) and its number.
struct KineticOrder {
    int symbol = 0;
    int order = 0;
    bool operator==(const KineticOrder& other) const {
        return symbol == other.symbol && order == other.order;
    }
};

// The kinetic orders of one part of one equation, symbols ascending (variables, then
// constants); a symbol the part does not hold has none. Its size is that of the part, not n.
using OrderTable = std::vector<KineticOrder>;

struct SsystemLayout {
    int n = 0;           // variables (differential equations)
    int constCount = 0;  // constants up to the highest one used
    bool cNotation = true;
    bool matlab = false;
};

// The symbol of table entry m: "y[%d]" or "constantPlayer[%d]", parenthesised without cNotation.
std::string ssystem_symbol(int m, const SsystemLayout& layout);

// "fvec[  i] = kplus[i]... - kminus[i]...;\n", each rate only when its part is not empty; the
// powers "*pow(S,g[t])" (or "*(S^(g(t)))") for every symbol of the table.
std::string ssystem_fvec_line(int i, const OrderTable& g, const OrderTable& h, bool hasPositive,
                              bool hasNegative, const SsystemLayout& layout);

// Writes one "fjac[  i][  k] = ...;\n" line for every variable k that either part holds: the
// powers differentiated by y[k], whose own factor becomes "*g[t]*pow(S,g[t]-1)". Each line is
// assembled from the factors formatted once, so the time is that of the text written.
void write_ssystem_fjac_lines(FILE* out, int i, const OrderTable& g, const OrderTable& h,
                              const SsystemLayout& layout);
