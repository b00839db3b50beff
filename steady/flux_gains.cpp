#include "flux_gains.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <sstream>

namespace kinesteady {

namespace {

// The step in log q: small for the truncation error, large against rounding of the fluxes.
constexpr double kLogStep = 1e-4;
// The gains' error is about 1e-11: a gain below this is 0 in all the digits it has.
constexpr double kDifferenceError = 1e-9;

std::vector<double> evaluate(UsrFlux flux, int totalCount, int fluxCount, std::vector<double> y,
                             Parameter* record) {
    std::vector<double> total(totalCount + 2, 0.0), values(fluxCount + 1, 0.0), y1(y.size() + 1);
    std::copy(y.begin(), y.end(), y1.begin() + 1);
    flux(total.data(), values.data(), y1.data(), 1.0, record);
    return {values.begin() + 1, values.end()};
}

// d V / d log q along the slopes of independent k, q's value at `value` (nullptr for a total).
std::vector<double> central_difference(UsrFlux flux, int totalCount, int fluxes,
                                       const std::vector<double>& y, const Eigen::MatrixXd& slopes,
                                       int k, double* value, double step, Parameter* record) {
    std::vector<double> up = y, down = y;
    for (size_t i = 0; i < y.size(); ++i) {
        up[i] += step * slopes(static_cast<Eigen::Index>(i), k);
        down[i] -= step * slopes(static_cast<Eigen::Index>(i), k);
    }
    const double saved = value != nullptr ? *value : 0.0;
    if (value != nullptr) *value = saved * std::exp(step);
    std::vector<double> difference = evaluate(flux, totalCount, fluxes, up, record);
    if (value != nullptr) *value = saved * std::exp(-step);
    const std::vector<double> below = evaluate(flux, totalCount, fluxes, down, record);
    if (value != nullptr) *value = saved;
    for (int r = 0; r < fluxes; ++r) difference[r] = (difference[r] - below[r]) / (2.0 * step);
    return difference;
}

}  // namespace

std::vector<std::string> read_flux_names(const std::string& code) {
    std::vector<std::string> names;
    std::istringstream lines(code);
    std::string line;
    while (std::getline(lines, line)) {
        int k = 0, used = 0;
        // A number beyond the text's length is no flux this file writes.
        if (std::sscanf(line.c_str(), "\tflux[%d] =%n", &k, &used) != 1 || used == 0 || k < 1 ||
            static_cast<size_t>(k) > code.size())
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
        if (std::sscanf(line.c_str(), "\ttotal[%d] =", &k) == 1 && static_cast<size_t>(k) <= code.size())
            largest = std::max(largest, k);
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
        // Richardson's extrapolation of two central differences: error of order step^4.
        const std::vector<double> wide = central_difference(flux, totalCount, fluxes, y, slopes, k,
                                                            value, kLogStep, record),
                                  narrow = central_difference(flux, totalCount, fluxes, y, slopes,
                                                              k, value, kLogStep / 2, record);
        for (int r = 0; r < fluxes; ++r) {
            const double v = result.values[r];
            const double gain = (4.0 * narrow[r] - wide[r]) / 3.0 / v;
            result.gains(r, k) = v == 0.0 || q.value == 0.0
                                     ? std::numeric_limits<double>::quiet_NaN()
                                     : std::fabs(gain) < kDifferenceError ? 0.0 : gain;
        }
    }
}

}  // namespace kinesteady
