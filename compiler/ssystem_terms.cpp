#include "ssystem_terms.h"

#include "format.h"

using zymorax::format;

namespace {

int entry(const OrderTable& table, int m) {
    return m < static_cast<int>(table.size()) ? table[m] : 0;
}

std::string power_factor(const std::string& symbol, const char* prefix, int order, bool cNotation) {
    return cNotation ? format("*pow(%s,%s[%d])", symbol.c_str(), prefix, order)
                     : format("*(%s^(%s(%d)))", symbol.c_str(), prefix, order);
}

std::string own_power_derivative(const std::string& symbol, const char* prefix, int order,
                                 bool cNotation) {
    return cNotation
               ? format("*%s[%d]*pow(%s,%s[%d]-1)", prefix, order, symbol.c_str(), prefix, order)
               : format("*(%s(%d)*(%s^(%s(%d)-1)))", prefix, order, symbol.c_str(), prefix, order);
}

// "kplus[i]" or " - kminus[i]", brackets by the layout.
std::string rate_constant(const char* head, int i, bool matlab) {
    return format(matlab ? "%s(%d)" : "%s[%d]", head, i);
}

}  // namespace

std::string ssystem_symbol(int m, const SsystemLayout& layout) {
    const bool isVariable = m <= layout.n;
    const char* base = isVariable ? "y" : "constantPlayer";
    const int index = isVariable ? m : m - layout.n;
    return format(layout.cNotation ? "%s[%d]" : "%s(%d)", base, index);
}

std::string power_factors(const OrderTable& table, const char* prefix,
                          const SsystemLayout& layout) {
    std::string factors;
    for (int m = 1; m <= layout.n + layout.constCount; ++m) {
        if (entry(table, m) == 0) continue;
        factors += power_factor(ssystem_symbol(m, layout), prefix, table[m], layout.cNotation);
    }
    return factors;
}

std::string derivative_factors(const OrderTable& table, const char* prefix, int k,
                               const SsystemLayout& layout) {
    std::string factors;
    for (int m = 1; m <= layout.n + layout.constCount; ++m) {
        if (entry(table, m) == 0) continue;
        const std::string symbol = ssystem_symbol(m, layout);
        factors += m == k ? own_power_derivative(symbol, prefix, table[m], layout.cNotation)
                          : power_factor(symbol, prefix, table[m], layout.cNotation);
    }
    return factors;
}

std::string ssystem_fvec_line(int i, const OrderTable& g, const OrderTable& h, bool hasPositive,
                              bool hasNegative, const SsystemLayout& layout) {
    std::string line = format(layout.matlab ? "fvec(%3d) = " : "fvec[%3d] = ", i);
    if (hasPositive)
        line += rate_constant("kplus", i, layout.matlab) + power_factors(g, "g", layout);
    if (hasNegative) {
        line += " - " + rate_constant("kminus", i, layout.matlab) + power_factors(h, "h", layout);
    }
    return line + ";\n";
}

std::string ssystem_fjac_lines(int i, const OrderTable& g, const OrderTable& h,
                               const SsystemLayout& layout) {
    std::string lines;
    for (int k = 1; k <= layout.n; ++k) {
        if (entry(g, k) == 0 && entry(h, k) == 0) continue;
        lines += format(layout.matlab ? "fjac(%3d,%3d) = " : "fjac[%3d][%3d] = ", i, k);
        if (entry(g, k) != 0) {
            lines +=
                rate_constant("kplus", i, layout.matlab) + derivative_factors(g, "g", k, layout);
        }
        if (entry(h, k) != 0) {
            lines += " - " + rate_constant("kminus", i, layout.matlab) +
                     derivative_factors(h, "h", k, layout);
        }
        lines += ";\n";
    }
    return lines;
}
