#include "ssystem_analysis.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "format.h"
#include "model_inputs.h"
#include "steady_search.h"

namespace kinesteady {

namespace {

using zymorax::format;

// A 1-based matrix in get_GHdata's row-pointer layout.
struct RowPointers {
    std::vector<std::vector<double>> rows;
    std::vector<double*> pointers;
    RowPointers(int rowCount, int columnCount)
        : rows(rowCount + 1, std::vector<double>(columnCount + 1, 0.0)), pointers(rowCount + 1) {
        for (int i = 0; i <= rowCount; ++i) pointers[i] = rows[i].data();
    }
};

// One part's orders and rate constants: order = dV/dX X / V, rate = V / prod X^order.
int fit_part(const std::vector<KineticOrder>& orders, const std::vector<double>& rates,
             const RowPointers& byVariable, const RowPointers& byConstant,
             const std::vector<double>& y, const std::vector<double>& constants,
             std::vector<double>& kinetic, std::vector<double>& rateConstants,
             Eigen::MatrixXd& dense, Eigen::MatrixXd& denseConstant) {
    for (size_t e = 0; e < rateConstants.size(); ++e) rateConstants[e] = rates[e + 1];
    kinetic.assign(orders.size(), 0.0);
    for (size_t m = 0; m < orders.size(); ++m) {
        const KineticOrder& o = orders[m];
        const double v = rates[o.row];
        const double x = o.constant ? constants[o.index - 1] : y[o.index - 1];
        const double d = (o.constant ? byConstant : byVariable).rows[o.row][o.index];
        kinetic[m] = d * x / v;
        rateConstants[o.row - 1] /= std::pow(x, kinetic[m]);
        (o.constant ? denseConstant(o.row - 1, o.index - 1) : dense(o.row - 1, o.index - 1)) +=
            kinetic[m];
    }
    for (double k : kinetic) {
        if (!std::isfinite(k)) return -1;
    }
    return 0;
}

}  // namespace

void read_kinetic_orders(const std::string& code, std::vector<KineticOrder>& g,
                         std::vector<KineticOrder>& h) {
    std::istringstream lines(code);
    std::string line;
    while (std::getline(lines, line)) {
        char array[3] = {0};
        KineticOrder order;
        if (std::sscanf(line.c_str(), "\t%2[ghdi][%d][%d] =", array, &order.row, &order.index) != 3)
            continue;
        if ((array[0] != 'g' && array[0] != 'h') || (array[1] != 'd' && array[1] != 'i')) continue;
        order.constant = array[1] == 'i';
        (array[0] == 'g' ? g : h).push_back(order);
    }
}

int fit_ssystem(GhData ghData, const std::vector<KineticOrder>& gOrders,
                const std::vector<KineticOrder>& hOrders, const std::vector<double>& y,
                const std::vector<double>& constants, Parameter* parameters,
                const std::vector<std::string>& tags, SsystemForm& form, std::string& failure) {
    const int n = static_cast<int>(y.size()), c = static_cast<int>(constants.size());
    for (int i = 0; i < n; ++i) {
        if (!(y[i] > 0.0)) {
            failure = format("%s is %g at the steady state; an S-system needs every variable "
                             "above 0", tags[i].c_str(), y[i]);
            return -1;
        }
    }
    RowPointers gd(n, n), gi(n, c), hd(n, n), hi(n, c);
    std::vector<double> vPlus(n + 1, 0.0), vMinus(n + 1, 0.0), y1(n + 1, 0.0);
    std::copy(y.begin(), y.end(), y1.begin() + 1);
    ghData(gd.pointers.data(), gi.pointers.data(), hd.pointers.data(), hi.pointers.data(),
           vPlus.data(), vMinus.data(), y1.data(), parameters);
    for (int i = 1; i <= n; ++i) {
        if (!(vPlus[i] > 0.0) || !(vMinus[i] > 0.0)) {
            failure = format("the %s part of the equation of %s is %g at the steady state; an "
                             "S-system needs both parts above 0",
                             vPlus[i] > 0.0 ? "negative" : "positive", tags[i - 1].c_str(),
                             vPlus[i] > 0.0 ? vMinus[i] : vPlus[i]);
            return -1;
        }
    }
    for (const auto* orders : {&gOrders, &hOrders}) {
        for (const KineticOrder& o : *orders) {
            if (o.row < 1 || o.row > n || o.index < 1 || o.index > (o.constant ? c : n)) {
                failure = format("the G/H data name %s[%d] of equation %d, which the model does "
                                 "not have", o.constant ? "constantPlayer" : "y", o.index, o.row);
                return -1;
            }
            if (o.constant && !(constants[o.index - 1] > 0.0)) {
                failure = format("constantPlayer[%d] is not above 0; an S-system needs every "
                                 "constant it reads above 0", o.index);
                return -1;
            }
        }
    }
    form.n = n;
    form.constants = c;
    form.constantValues = constants;
    form.alpha.assign(n, 0.0);
    form.beta.assign(n, 0.0);
    form.gD = form.hD = Eigen::MatrixXd::Zero(n, n);
    form.gI = form.hI = Eigen::MatrixXd::Zero(n, c);
    if (fit_part(gOrders, vPlus, gd, gi, y, constants, form.g, form.alpha, form.gD, form.gI) != 0 ||
        fit_part(hOrders, vMinus, hd, hi, y, constants, form.h, form.beta, form.hD, form.hI) != 0) {
        failure = "a kinetic order is not a number at the steady state";
        return -1;
    }
    return 0;
}

int solve_ssystem(const SsystemForm& form, SsystemSolution& solution, std::string& failure) {
    const Eigen::MatrixXd aD = form.gD - form.hD, aI = form.gI - form.hI;
    Eigen::FullPivLU<Eigen::MatrixXd> lu(aD);
    lu.setThreshold(1e-12);
    if (!lu.isInvertible()) {
        failure = format("its matrix of kinetic orders A_D = G_D - H_D has rank %d of %d (a "
                         "conservation law, or equations that repeat one another)",
                         static_cast<int>(lu.rank()), form.n);
        return -1;
    }
    Eigen::VectorXd b(form.n), logConstants(form.constants);
    for (int k = 0; k < form.constants; ++k) logConstants(k) = std::log(form.constantValues[k]);
    for (int i = 0; i < form.n; ++i) b(i) = std::log(form.beta[i] / form.alpha[i]);
    b -= aI * logConstants;
    const Eigen::MatrixXd inverse = lu.inverse();
    const Eigen::VectorXd logX = inverse * b;
    solution.x.resize(form.n);
    for (int i = 0; i < form.n; ++i) solution.x[i] = std::exp(logX(i));
    solution.logGains = -inverse * aI;
    solution.byAlpha = -inverse;
    solution.byBeta = inverse;
    return 0;
}

int newton_on_ssystem(const SsystemCode& code, const SsystemForm& form,
                      const std::vector<double>& initial, const std::vector<double>& steady,
                      const std::vector<std::string>& tags, std::vector<double>& x,
                      std::string& note) {
    const int n = form.n;
    kinesim::ParameterValues values;
    values.resize({form.constants, n, n, static_cast<int>(form.g.size()),
                   static_cast<int>(form.h.size())});
    for (int k = 0; k < form.constants; ++k) values.at(1, k + 1) = form.constantValues[k];
    for (int i = 0; i < n; ++i) values.at(2, i + 1) = form.alpha[i], values.at(3, i + 1) = form.beta[i];
    for (size_t k = 0; k < form.g.size(); ++k) values.at(4, static_cast<int>(k) + 1) = form.g[k];
    for (size_t k = 0; k < form.h.size(); ++k) values.at(5, static_cast<int>(k) + 1) = form.h[k];
    kinesim::ModelFunctions model(code.fvec, code.fjac, values.record(), n);
    SteadySystem system(model, ConservationLaws{});
    SearchInputs inputs;
    inputs.tags = tags;
    inputs.initial = initial;
    for (int i = 0; i < n; ++i) {
        if (!(inputs.initial[i] > 0.0)) inputs.initial[i] = steady[i];
    }
    inputs.bounds.assign(n, Bound::Positive);
    set_scale(inputs);
    SteadyState found;
    if (find_steady_state(system, inputs, found, note) != 0) return -1;
    x = found.y;
    return 0;
}

}  // namespace kinesteady
