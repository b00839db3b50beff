#include "steady_search.h"

#include <algorithm>
#include <cmath>

#include "format.h"
#include "steady_state.h"

namespace kinesteady {

namespace {

using zymorax::format;

// A time course that has come to rest is this close to the steady state it approaches.
constexpr double kSameRelative = 1e-4;
constexpr double kSameAbsolute = 1e-8;
// A rate below this (times the scale) is at rest whatever its variable.
constexpr double kRestFloor = 1e-12;

// At rest, and the algebraic equations hold to the same tolerance: a state where a complex
// has no partner left can rest without satisfying its equation.
bool resting(SteadySystem& system, const SearchInputs& inputs, const std::vector<double>& y) {
    std::vector<double> rates;
    if (!kinesim::at_rest(system.model(), inputs.algebraicCount, y.data(), inputs.settings, -1,
                          rates, kRestFloor * inputs.scale))
        return false;
    const double rtol = std::max(inputs.settings.relativeTolerance, 1e-8),
                 atol = std::max(inputs.settings.absoluteTolerance, kRestFloor * inputs.scale);
    for (int i = 0; i < inputs.algebraicCount; ++i) {
        if (!(std::fabs(rates[i]) <= atol + rtol * std::fabs(y[i]))) return false;
    }
    return true;
}

// Whether the rates at `rest` have fallen to a millionth of those at the start: a time course
// that only slows relative to its growing variables (production without removal) has not.
bool settled_down(SteadySystem& system, const SearchInputs& inputs, const std::vector<double>& rest) {
    const size_t n = rest.size();
    std::vector<double> start(n), end(n);
    system.model().rhs(inputs.initial.data(), start.data());
    system.model().rhs(rest.data(), end.data());
    double initial = 0.0, last = 0.0;
    for (size_t i = inputs.algebraicCount; i < n; ++i) {
        if (std::isfinite(start[i])) initial = std::max(initial, std::fabs(start[i]));
        last = std::max(last, std::fabs(end[i]));
    }
    return last <= 1e-6 * initial;
}

// Newton from `y`; true when it stops at a state at rest (y then holds it). A line search that
// cannot lower a residual already at rounding level (at rest, and settled down) stops there too.
bool newton_to_rest(SteadySystem& system, const SearchInputs& inputs, std::vector<double>& y,
                    std::string& failure) {
    std::vector<double> iterate = y;
    const bool stopped = newton_solve(system, inputs.bounds, iterate, failure) == 0;
    if (!resting(system, inputs, iterate)) {
        if (stopped) failure = "it stopped at a state that is not at rest";
        return false;
    }
    if (!stopped && !settled_down(system, inputs, iterate)) return false;
    y = iterate;
    return true;
}

// The largest difference between two states, relative to the first, with the variable.
double difference(const std::vector<double>& a, const std::vector<double>& b, double scale,
                  int& at) {
    double largest = 0.0;
    at = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        const double d = std::fabs(a[i] - b[i]) /
                         (kSameAbsolute * scale + kSameRelative * std::fabs(a[i]));
        if (d > largest) largest = d, at = static_cast<int>(i);
    }
    return largest;
}

void measure_rates(SteadySystem& system, const SearchInputs& inputs, SteadyState& found) {
    std::vector<double> f(found.y.size());
    system.model().rhs(found.y.data(), f.data());
    for (size_t i = inputs.algebraicCount; i < f.size(); ++i) {
        if (std::fabs(f[i]) >= found.largestRate)
            found.largestRate = std::fabs(f[i]), found.largestRateOf = inputs.tags[i];
    }
}

}  // namespace

// The variable that changes fastest for its size at y, with its rate.
std::string fastest_change(SteadySystem& system, const SearchInputs& inputs,
                           const std::vector<double>& y) {
    std::vector<double> f(y.size());
    system.model().rhs(y.data(), f.data());
    size_t fastest = inputs.algebraicCount;
    double largest = -1.0;
    for (size_t i = inputs.algebraicCount; i < y.size(); ++i) {
        const double relative = std::fabs(f[i]) / std::max(std::fabs(y[i]), 1e-12 * inputs.scale);
        if (relative > largest) largest = relative, fastest = i;
    }
    return fastest < y.size() ? format(" (d %s / dt = %.3g there, at %s = %.3g)",
                                       inputs.tags[fastest].c_str(), f[fastest],
                                       inputs.tags[fastest].c_str(), y[fastest])
                              : "";
}

// Why the time course from the initial state says nothing about the steady state; `last` is
// its last state.
std::string course_note(SteadySystem& system, const SearchInputs& inputs, int settled,
                        double reached, const std::vector<double>& last) {
    return settled > 0 ? "the time course from the initial state comes to no rest by t = 1e10" +
                             fastest_change(system, inputs, last)
                       : format("the time course from the initial state was followed to t = %g "
                                "without coming to rest, where the solver stopped (its message "
                                "is in the log above)",
                                reached);
}

void set_scale(SearchInputs& inputs) {
    double largest = 0.0;
    for (double v : inputs.initial) largest = std::max(largest, std::fabs(v));
    inputs.scale = largest > 0.0 ? std::min(1.0, largest) : 1.0;
    inputs.settings.absoluteTolerance = 1e-10 * inputs.scale;
}

int find_steady_state(SteadySystem& system, const SearchInputs& inputs, SteadyState& found,
                      std::string& failure) {
    found = SteadyState{};
    std::string newtonFailure, polishFailure;
    std::vector<double> y = inputs.initial;
    const bool newton = newton_to_rest(system, inputs, y, newtonFailure);
    std::vector<double> rest, polished;
    double reached = 0.0;
    const int settled = kinesim::integrate_to_rest(system.model(), inputs.algebraicCount,
                                                   inputs.tags, inputs.initial, inputs.settings,
                                                   rest, &reached, kRestFloor * inputs.scale);
    if (newton) {
        found.y = y;
        found.route = "Newton's method from the initial state";
    } else if (polished = rest, newton_to_rest(system, inputs, polished, polishFailure)) {
        // From the rest, or from where a time course that never rests (an oscillation) ended.
        found.y = polished;
        found.route = std::string(settled == 0 ? "the time course to rest"
                                               : "the last state of the time course") +
                      ", then Newton's method (from the initial state it did not converge: " +
                      newtonFailure + ")";
    } else if (settled == 0 && settled_down(system, inputs, rest)) {
        found.y = rest;
        found.route = "the time course to rest (Newton's method did not converge, from the "
                      "initial state: " + newtonFailure + "; from the rest: " + polishFailure + ")";
    } else if (settled == 0) {
        failure = "Newton's method from the initial state did not converge (" + newtonFailure +
                  "), and the time course from the initial state does not settle: its rates "
                  "do not fall to a millionth of their initial size" +
                  fastest_change(system, inputs, rest);
        return -1;
    } else {
        failure = "Newton's method did not converge, from the initial state (" + newtonFailure +
                  ") nor from the time course's last state (" + polishFailure + "), and " +
                  course_note(system, inputs, settled, reached, rest);
        return -1;
    }
    int at = 0;
    if (settled != 0) {
        found.reachedNote = course_note(system, inputs, settled, reached, rest);
    } else if (difference(found.y, rest, inputs.scale, at) > 1.0) {
        found.reachedNote = format("the time course from the initial state comes to rest "
                                   "elsewhere (%s = %.10g there, %.10g here)",
                                   inputs.tags[at].c_str(), rest[at], found.y[at]);
    } else {
        found.reached = true;
    }
    found.scale = inputs.scale;
    measure_rates(system, inputs, found);
    return 0;
}

}  // namespace kinesteady
