// Everything kinesteady found about one model, as the report, the CSV and the plots show it.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

#include "conservation.h"
#include "flux_gains.h"
#include "ssystem_analysis.h"
#include "stability.h"
#include "steady_gains.h"
#include "steady_search.h"

namespace kinesteady {

struct SsystemResult {
    bool present = false;      // -G and -S were given
    std::string missing;       // why there is no closed form, when there is none
    SsystemForm form;
    SsystemSolution solution;
    std::vector<double> newton;  // the S-system's steady state by the search, empty if none
    std::string newtonNote;      // why none
    double agreement = 0.0;      // max |closed - newton| / |closed|
};

struct SteadyAnalysis {
    std::string title;
    std::vector<std::string> tags;
    std::vector<double> initial;
    int algebraicCount = 0;
    ConservationLaws laws;
    SteadyState steady;
    std::vector<Independent> independents;
    Eigen::MatrixXd gains;  // [variable, independent], NaN where not defined
    Eigen::MatrixXd slopes;  // [variable, independent]: d y / d log q
    FluxGains fluxes;        // with -T: names empty without
    Stability stability;
    SsystemResult ssystem;
};

}  // namespace kinesteady
