// The report (text for the modeller) and the CSV (every number, for other programs) of an
// analysis; both replace their targets only once written whole.
#pragma once

#include <string>

#include "steady_analysis.h"

namespace kinesteady {

std::string report_text(const SteadyAnalysis& analysis);

// Rows "kind,of,by,value": steady_state, conservation, log_gain, sensitivity,
// flux and flux_gain (with -T), eigenvalue (by real or imaginary), and with the S-system ssystem_steady_state, ssystem_newton,
// ssystem_log_gain, ssystem_alpha_sensitivity, ssystem_beta_sensitivity. A gain that is not
// defined (a variable or quantity at 0) has no row. Values at full precision.
std::string csv_text(const SteadyAnalysis& analysis);

// Writes both. 0, or -1 after logging; a file not written whole is left as it was.
int write_outputs(const SteadyAnalysis& analysis, const std::string& reportFile,
                  const std::string& csvFile);

}  // namespace kinesteady
