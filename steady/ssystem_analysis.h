// The S-system of a power-law model at its steady state, from symcode's -G file: each equation's
// positive and negative parts V+ and V- as alpha prod X^g and beta prod X^h, with the kinetic
// orders g = (dV+/dX) X / V+ there. Its steady state solves a linear system in log space,
// A_D log X_D = log(beta / alpha) - A_I log X_I with A = G - H, and from A_D^-1 follow its log
// gains L = -A_D^-1 A_I and its rate-constant sensitivities S(X, alpha) = -A_D^-1 and
// S(X, beta) = A_D^-1, all in closed form.
#pragma once

#include <Eigen/Dense>
#include <string>
#include <vector>

#include "code_build.h"
#include "compiled_model.h"
#include "kine.h"

namespace kinesteady {

// One kinetic order as get_GHdata numbers them: equation `row` (from 1), by variable or by
// constantPlayer `index` (from 1).
struct KineticOrder {
    int row = 0;
    bool constant = false;
    int index = 0;
};

// The kinetic orders of the -G file's text, g (the positive parts) and h, in their numbering.
void read_kinetic_orders(const std::string& code, std::vector<KineticOrder>& g,
                         std::vector<KineticOrder>& h);

struct SsystemForm {
    int n = 0, constants = 0;
    std::vector<double> alpha, beta;         // by equation, from 0
    std::vector<double> g, h;                // by kinetic-order number - 1
    Eigen::MatrixXd gD, hD, gI, hI;          // dense orders by variable and by constant
    std::vector<double> constantValues;      // constantPlayer, from 0
};

using GhData = void (*)(double** gd, double** gi, double** hd, double** hi, double* vPlus,
                        double* vMinus, double* y, Parameter* p);
using GhNum = void (*)(int* variables, int* constants);

// The S-system at y (every variable and constant above 0), from get_GHdata. 0, or -1 with
// `failure` naming the part or value that leaves no S-system there.
int fit_ssystem(GhData ghData, const std::vector<KineticOrder>& gOrders,
                const std::vector<KineticOrder>& hOrders, const std::vector<double>& y,
                const std::vector<double>& constants, Parameter* parameters,
                const std::vector<std::string>& tags, SsystemForm& form, std::string& failure);

struct SsystemSolution {
    std::vector<double> x;           // the closed-form steady state
    Eigen::MatrixXd logGains;        // [i, k]: by constant k
    Eigen::MatrixXd byAlpha, byBeta; // [i, k]: by alpha_k, beta_k
};

// 0, or -1 with `failure` saying why there is no closed form (A_D singular).
int solve_ssystem(const SsystemForm& form, SsystemSolution& solution, std::string& failure);

// The -S file's functions.
struct SsystemCode {
    kinesim::UsrFvec fvec = nullptr;
    kinesim::UsrFjac fjac = nullptr;
};

// The steady state of the S-system `form` (the -S file's code, reading constantPlayer, kplus,
// kminus, g, h) by the search kinesteady runs on the model, from `initial`, where a variable
// that starts at 0 starts at `steady` instead (a power law needs values above 0). 0 with `x`, or
// -1 with `note` saying why it found none.
int newton_on_ssystem(const SsystemCode& code, const SsystemForm& form,
                      const std::vector<double>& initial, const std::vector<double>& steady,
                      const std::vector<std::string>& tags, std::vector<double>& x,
                      std::string& note);

}  // namespace kinesteady
