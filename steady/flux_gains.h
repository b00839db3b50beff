// Flux gains: how each flux of symcode's -T file (usr_flux) moves with the independents at the
// steady state, d log V / d log q = (dV/dy dy/dlog q + dV/dlog q) / V. The -T file holds no
// derivatives, so they are central differences of usr_flux along the exact steady-state slopes,
// extrapolated (Richardson) from two steps.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

#include "steady_gains.h"

namespace kinesteady {

using UsrFlux = void (*)(double total[], double flux[], double y[], double Gene, Parameter* p);

// The names of the fluxes the -T file's text writes, by flux number - 1 ("flux <k>" where a line
// carries no name).
std::vector<std::string> read_flux_names(const std::string& code);

// The number of totals it writes (the largest k of total[k]).
int read_total_count(const std::string& code);

struct FluxGains {
    std::vector<std::string> names;
    std::vector<double> values;  // at the steady state
    Eigen::MatrixXd gains;       // [flux, independent], NaN where the flux is 0
};

// `slopes` from steady_gains; `record` the model's parameters, restored on return.
void flux_gains(UsrFlux flux, int totalCount, const std::vector<double>& y,
                const std::vector<Independent>& independents, const Eigen::MatrixXd& slopes,
                Parameter* record, FluxGains& result);

}  // namespace kinesteady
