#include "flux_gains.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

namespace kinesteady {

namespace {

// The step in log q: small for the truncation error, large against rounding of the fluxes.
constexpr double kLogStep = 1e-5;

std::vector<double> evaluate(UsrFlux flux, int totalCount, int fluxCount, std::vector<double> y,
                             Parameter* record) {
    std::vector<double> total(totalCount + 2, 0.0), values(fluxCount + 1, 0.0), y1(y.size() + 1);
    std::copy(y.begin(), y.end(), y1.begin() + 1);
    flux(total.data(), values.data(), y1.data(), 1.0, record);
    return {values.begin() + 1, values.end()};
}

}  // namespace

std::vector<std::string> read_flux_names(const std::string& code) {
    std::vector<std::string> names;
    std::istringstream lines(code);
    std::string line;
    while (std::getline(lines, line)) {
        int k = 0, used = 0;
        if (std::sscanf(line.c_str(), "\tflux[%d] =%n", &k, &used) != 1 || used == 0 || k < 1)
            continue;
        if (static_cast<int>(names.size()) < k) names.resize(k);
        const size_t open = line.rfind("/* "), close = line.rfind(" */");
        names[k - 1] = open != std::string::npos && close != std::string::npos && close > open
                           ? line.substr(open + 3, close - open - 3)
                           : "";
    }
    for (size_t k = 0; k < names.size(); ++k) {
        if (names[k].empty()) names[k] = "flux " + std::to_string(k + 1);
    }
    return names;
}

int read_total_count(const std::string& code) {
    int largest = 0;
    std::istringstream lines(code);
    std::string line;
    while (std::getline(lines, line)) {
        int k = 0;
        if (std::sscanf(line.c_str(), "\ttotal[%d] =", &k) == 1) largest = std::max(largest, k);
    }
    return largest;
}

void flux_gains(UsrFlux flux, int totalCount, const std::vector<double>& y,
                const std::vector<Independent>& independents, const Eigen::MatrixXd& slopes,
                Parameter* record, FluxGains& result) {
    const int fluxes = static_cast<int>(result.names.size()), m = static_cast<int>(independents.size());
    result.values = evaluate(flux, totalCount, fluxes, y, record);
    result.gains.resize(fluxes, m);
    for (int k = 0; k < m; ++k) {
        const Independent& q = independents[k];
        double* value = q.column >= 0 ? &record->val[q.slot][q.element] : nullptr;
        std::vector<double> up = y, down = y;
        for (size_t i = 0; i < y.size(); ++i) {
            up[i] += kLogStep * slopes(static_cast<Eigen::Index>(i), k);
            down[i] -= kLogStep * slopes(static_cast<Eigen::Index>(i), k);
        }
        const double saved = value != nullptr ? *value : 0.0;
        if (value != nullptr) *value = saved * std::exp(kLogStep);
        const std::vector<double> above = evaluate(flux, totalCount, fluxes, up, record);
        if (value != nullptr) *value = saved * std::exp(-kLogStep);
        const std::vector<double> below = evaluate(flux, totalCount, fluxes, down, record);
        if (value != nullptr) *value = saved;
        for (int r = 0; r < fluxes; ++r) {
            const double v = result.values[r];
            result.gains(r, k) = v == 0.0 || q.value == 0.0
                                     ? std::numeric_limits<double>::quiet_NaN()
                                     : (above[r] - below[r]) / (2.0 * kLogStep * v);
        }
    }
}

}  // namespace kinesteady
