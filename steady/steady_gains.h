// How the steady state moves with what is held fixed, by the implicit-function theorem on the
// exact Jacobians: g(y*, q) = 0 gives dy*/dq = -(dg/dy)^-1 dg/dq, with dg/dy from usr_fjac and
// dg/dq from the -Q file's d f / d p (a parameter) or the law's row (a conserved total).
// Reported on log scales: d log y_i / d log q.
#pragma once

#include <Eigen/Dense>
#include <functional>
#include <string>
#include <vector>

#include "steady_system.h"

namespace kinesteady {

// A quantity the steady state depends on.
struct Independent {
    std::string name;        // "constantPlayer[2]" or "total of Kin.cyt"
    std::string tag;         // the PARAM row's tag, or the law as text
    bool gain = false;       // an independent variable (a constant or a total): a log gain
    int law = -1;            // a conserved total: its law
    int column = -1;         // a parameter: its -Q column,
    int slot = 0, element = 0;  // and its place in the parameter record
    double value = 0.0;
};

// The independents of a model: each law's total, then each -Q column, the constantPlayer
// elements marked as gains. `labels` by slot - 1, `tagOf(label, element)` the PARAM row's tag.
std::vector<Independent> list_independents(
    const ConservationLaws& laws, const kinesim::ParameterJacobianCode& code,
    const Parameter* record, const std::vector<std::string>& labels,
    const std::vector<std::string>& variableTags,
    const std::function<std::string(const std::string&, int)>& tagOf);

// Whether dg/dy at y is singular: false, or true with `rank` its numerical rank and `moving`
// the variables (from 0) the steady state can move along, the largest parts of its null space.
bool singular_jacobian(const Eigen::MatrixXd& a, const std::vector<double>& y, int& rank,
                       std::vector<int>* moving = nullptr);

// d log y_i / d log q_k at [i, k]; NaN where q_k is 0 or y_i is 0 (at most 1e-15 of the largest
// value): there is no log to take. 0, or -1 when the Jacobian cannot be factored.
// `slopes` gets d y_i / d log q_k, defined everywhere.
int steady_gains(SteadySystem& system, const std::vector<double>& y,
                 const std::vector<Independent>& independents, Eigen::MatrixXd& gains,
                 Eigen::MatrixXd& slopes);

}  // namespace kinesteady
