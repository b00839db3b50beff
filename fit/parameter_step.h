// The central difference by an estimated parameter, by its log (a search on a log scale) or by
// its value itself (a linear search, which may reach 0): the two values to evaluate at and the
// width that divides their difference.
#pragma once

#include <algorithm>
#include <cmath>

namespace kinefit {

struct ParameterStep {
    double down = 0.0, up = 0.0, width = 1.0;
};

// `relative`: the step of p, relative to it (or to 1, by value, where p is smaller than 1).
inline ParameterStep parameter_step(double p, bool byValue, double relative) {
    if (!byValue) return {p * (1.0 - relative), p * (1.0 + relative), 2.0 * relative};
    double h = relative * std::max(std::fabs(p), 1.0);
    return {p - h, p + h, 2.0 * h};
}

}  // namespace kinefit
