#include "steady_gains.h"

#include <cmath>
#include <limits>

namespace kinesteady {

namespace {

constexpr double kRoundingLevel = 1e-15;

// Below this reciprocal condition number of the scaled Jacobian no solve is trusted.
constexpr double kSingularCondition = 1e-13;

// dg/dy with each column on its variable's size and each row on its largest entry: the
// condition then measures the model, not its units.
Eigen::MatrixXd scaled(const Eigen::MatrixXd& a, const std::vector<double>& y) {
    double largest = 1e-300;
    for (double v : y) largest = std::max(largest, std::fabs(v));
    Eigen::MatrixXd s = a;
    for (Eigen::Index j = 0; j < s.cols(); ++j)
        s.col(j) *= std::max(std::fabs(y[j]), 1e-9 * largest);
    for (Eigen::Index i = 0; i < s.rows(); ++i) {
        const double row = s.row(i).cwiseAbs().maxCoeff();
        if (row > 0.0) s.row(i) /= row;
    }
    return s;
}

}  // namespace

std::vector<Independent> list_independents(
    const ConservationLaws& laws, const kinesim::ParameterJacobianCode& code,
    const Parameter* record, const std::vector<std::string>& labels,
    const std::vector<std::string>& variableTags,
    const std::function<std::string(const std::string&, int)>& tagOf) {
    std::vector<Independent> list;
    for (int k = 0; k < laws.count(); ++k) {
        Independent total;
        total.name = "total of " + variableTags[laws.pivots[k]];
        total.tag = describe_law(laws, k, variableTags);
        total.gain = true;
        total.law = k;
        total.value = laws.totals[k];
        list.push_back(total);
    }
    for (int c = 0; c < code.columns; ++c) {
        Independent parameter;
        const std::string& label = labels[code.label[c] - 1];
        parameter.name = label + "[" + std::to_string(code.element[c]) + "]";
        parameter.tag = tagOf(label, code.element[c]);
        parameter.gain = label == "constantPlayer";
        parameter.column = c;
        parameter.slot = code.label[c];
        parameter.element = code.element[c];
        parameter.value = record->val[code.label[c]][code.element[c]];
        list.push_back(parameter);
    }
    return list;
}

bool singular_jacobian(const Eigen::MatrixXd& a, const std::vector<double>& y, int& rank,
                       std::vector<int>* moving) {
    const Eigen::MatrixXd s = scaled(a, y);
    if (!s.allFinite()) {
        rank = 0;
        return true;
    }
    Eigen::PartialPivLU<Eigen::MatrixXd> lu(s);
    if (lu.rcond() >= kSingularCondition) return false;
    Eigen::FullPivLU<Eigen::MatrixXd> full(s);
    full.setThreshold(1e-11);
    rank = static_cast<int>(full.rank());
    if (moving != nullptr && rank < s.cols()) {
        const Eigen::MatrixXd kernel = full.kernel();
        for (Eigen::Index j = 0; j < kernel.rows(); ++j) {
            if (kernel.row(j).cwiseAbs().maxCoeff() > 1e-3 * kernel.cwiseAbs().maxCoeff())
                moving->push_back(static_cast<int>(j));
        }
    }
    return true;
}

int steady_gains(SteadySystem& system, const std::vector<double>& y,
                 const std::vector<Independent>& independents, Eigen::MatrixXd& gains,
                 Eigen::MatrixXd& slopes) {
    const int n = system.size(), m = static_cast<int>(independents.size());
    Eigen::MatrixXd a;
    system.jacobian(y.data(), a);
    int rank = n;
    if (singular_jacobian(a, y, rank)) return -1;
    kinesim::ModelFunctions& model = system.model();
    const kinesim::ParameterJacobianCode& code = model.parameter_jacobian_code();
    std::vector<double> values(code.nnz);
    if (code.nnz > 0) model.parameter_jacobian(y.data(), values.data());
    // dg/dq per independent: -e_pivot for a total, the -Q column off the laws' rows else.
    Eigen::MatrixXd dq = Eigen::MatrixXd::Zero(n, m);
    for (int k = 0; k < m; ++k) {
        const Independent& q = independents[k];
        if (q.law >= 0) {
            dq(system.laws().pivots[q.law], k) = -1.0;
            continue;
        }
        for (int at = code.colptr[q.column]; at < code.colptr[q.column + 1]; ++at) {
            const int row = code.rowidx[at];
            if (system.laws().law_of(row) < 0) dq(row, k) = values[at];
        }
    }
    const Eigen::MatrixXd dy = -a.partialPivLu().solve(dq);
    slopes = dy;
    for (int k = 0; k < m; ++k) slopes.col(k) *= independents[k].value;
    gains.resize(n, m);
    const double none = std::numeric_limits<double>::quiet_NaN();
    double largest = 0.0;
    for (double v : y) largest = std::max(largest, std::fabs(v));
    for (int i = 0; i < n; ++i) {
        // A value at rounding level of the others is a 0 the search did not reach exactly.
        const bool zero = std::fabs(y[i]) <= kRoundingLevel * largest;
        for (int k = 0; k < m; ++k) {
            const double q = independents[k].value;
            gains(i, k) = zero || q == 0.0 ? none : dy(i, k) * q / y[i];
        }
    }
    return 0;
}

}  // namespace kinesteady
