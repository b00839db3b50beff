#include "steady_state.h"

#include <algorithm>
#include <cmath>

namespace kinesim {

std::vector<double> steady_times() {
    std::vector<double> times;
    for (int power = -2; power <= 10; ++power) times.push_back(std::pow(10.0, power));
    return times;
}

bool at_rest(ModelFunctions& model, int algebraicCount, const double* y,
             const SolverSettings& settings, int skipped, std::vector<double>& rates,
             double floor) {
    const double rtol = std::max(settings.relativeTolerance, 1e-8),
                 atol = std::max(settings.absoluteTolerance, floor);
    rates.resize(model.size());
    model.rhs(y, rates.data());
    for (int i = algebraicCount; i < model.size(); ++i) {
        if (i != skipped && !(std::fabs(rates[i]) <= atol + rtol * std::fabs(y[i]))) return false;
    }
    return true;
}

int integrate_to_rest(ModelFunctions& model, int algebraicCount,
                      const std::vector<std::string>& tags, const std::vector<double>& initial,
                      const SolverSettings& settings, std::vector<double>& rest,
                      double* reachedTime, double floor) {
    std::vector<double> rates;
    rest = initial;
    double reached = 0.0;
    if (reachedTime != nullptr) *reachedTime = 0.0;
    // One decade at a time, each from where the last ended: the model reads no time, so a
    // restart changes nothing but spares recording what is not looked at.
    for (double time : steady_times()) {
        const double span = time - reached;
        std::vector<double> state;
        int solved = integrate_dae(model, algebraicCount, tags, rest, TimeGrid{reached, time, span},
                                   settings, [&state](double, const std::vector<double>& y) {
                                       state = y;
                                       return 0;
                                   });
        if (solved != 0) return -1;
        rest = state;
        reached = time;
        if (reachedTime != nullptr) *reachedTime = time;
        if (at_rest(model, algebraicCount, rest.data(), settings, -1, rates, floor)) return 0;
    }
    return 1;
}

}  // namespace kinesim
