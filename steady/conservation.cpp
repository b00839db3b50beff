#include "conservation.h"

#include <Eigen/Dense>
#include <Eigen/SVD>
#include <cmath>

#include "dense_jacobian.h"
#include "format.h"

namespace kinesteady {

namespace {

constexpr double kRoundingSingular = 1e-13;
// Coefficients this close to a multiple of 1/12 (halves, thirds, quarters) are that multiple.
constexpr double kFractions = 12.0;
constexpr double kSnapDistance = 1e-9;
// The Jacobians sampled beside the rates.
constexpr int kJacobianSamples = 3;

// Coefficients this small against the largest of their law are rounding left by the
// elimination, not part of the law.
constexpr double kNegligibleCoefficient = 1e-10;

// A state near `initial`: each variable scaled by e^u, u uniform in [-1, 1]; one that starts at
// 0 gets a value of the typical size of the others.
std::vector<double> sample_state(const std::vector<double>& initial, std::mt19937& random) {
    double typical = 0.0;
    int nonZero = 0;
    for (double v : initial) {
        if (v != 0.0) typical += std::log(std::fabs(v)), ++nonZero;
    }
    typical = nonZero > 0 ? std::exp(typical / nonZero) : 1.0;
    std::uniform_real_distribution<double> spread(-1.0, 1.0);
    std::vector<double> y(initial.size());
    for (size_t i = 0; i < y.size(); ++i) {
        const double base = initial[i] != 0.0 ? initial[i] : typical;
        y[i] = base * std::exp(spread(random));
    }
    return y;
}

// Reduced row echelon form of the rows of `basis` (a law per row): the pivots are the first
// variables, in their order, that a law can stand for. That form depends on the laws alone, not
// on the basis the samples gave, so the same model always gets the same laws.
void reduce(Eigen::MatrixXd& basis, std::vector<int>& pivots) {
    const Eigen::Index m = basis.rows(), n = basis.cols();
    const double zero = 1e-8 * basis.cwiseAbs().maxCoeff();
    Eigen::Index r = 0;
    for (Eigen::Index j = 0; j < n && r < m; ++j) {
        Eigen::Index best = r;
        for (Eigen::Index i = r + 1; i < m; ++i) {
            if (std::fabs(basis(i, j)) > std::fabs(basis(best, j))) best = i;
        }
        if (std::fabs(basis(best, j)) <= zero) continue;
        basis.row(r).swap(basis.row(best));
        basis.row(r) /= basis(r, j);
        for (Eigen::Index other = 0; other < m; ++other) {
            if (other != r) basis.row(other) -= basis(other, j) * basis.row(r);
        }
        pivots.push_back(static_cast<int>(j));
        ++r;
    }
    for (Eigen::Index r = 0; r < m; ++r) {
        const double largest = basis.row(r).cwiseAbs().maxCoeff();
        for (Eigen::Index j = 0; j < n; ++j) {
            double& c = basis(r, j);
            if (std::fabs(c) < kNegligibleCoefficient * largest) c = 0.0;
            // Stoichiometric coefficients are simple fractions; the samples give them to about
            // 1e-10.
            const double fraction = std::round(c * kFractions) / kFractions;
            if (std::fabs(c - fraction) < kSnapDistance * std::max(1.0, std::fabs(c))) c = fraction;
        }
    }
}

// The algebraic variables of y made consistent with its differential ones by Newton's method on
// the algebraic rows: a law of the dynamics may hold only where they are (a quasi-steady
// complex keeps its free partner's amount fixed). False where it does not converge.
bool make_consistent(kinesim::ModelFunctions& model, int algebraicCount, std::vector<double>& y) {
    const int n = model.size(), na = algebraicCount;
    std::vector<double> f(n);
    for (int iteration = 0; iteration < 50; ++iteration) {
        model.rhs(y.data(), f.data());
        Eigen::Map<const Eigen::VectorXd> residual(f.data(), na);
        double size = 1e-300;
        for (int i = 0; i < na; ++i) size = std::max(size, std::fabs(y[i]));
        if (!residual.allFinite()) return false;
        const Eigen::MatrixXd j = dense_jacobian(model, y.data());
        const Eigen::VectorXd step = j.topLeftCorner(na, na).partialPivLu().solve(residual);
        if (!step.allFinite()) return false;
        for (int i = 0; i < na; ++i) y[i] -= step(i);
        if (step.cwiseAbs().maxCoeff() <= 1e-14 * size) return true;
    }
    return false;
}

// The columns of the Jacobian of the differential rates at a sample, each scaled to length 1,
// as rows below `rows`; with algebraic variables, of the dynamics with them solved for. Nothing
// is added where the sample gives no finite Jacobian.
void append_columns(kinesim::ModelFunctions& model, int algebraicCount,
                    const std::vector<double>& initial, std::mt19937& random, Eigen::MatrixXd& rows) {
    const int na = algebraicCount, nd = model.size() - na;
    std::vector<double> y = sample_state(initial, random);
    if (na > 0 && !make_consistent(model, na, y)) return;
    Eigen::MatrixXd reduced;
    if (!reduced_jacobian(dense_jacobian(model, y.data()), na, reduced) || !reduced.allFinite())
        return;
    const Eigen::Index first = rows.rows();
    rows.conservativeResize(first + nd, Eigen::NoChange);
    for (int c = 0; c < nd; ++c) {
        const double length = reduced.col(c).norm();
        rows.row(first + c) = length > 0.0 ? (reduced.col(c) / length).transpose().eval()
                                           : Eigen::RowVectorXd::Zero(nd);
    }
}

}  // namespace

int ConservationLaws::law_of(int variable) const {
    for (int k = 0; k < count(); ++k) {
        if (pivots[k] == variable) return k;
    }
    return -1;
}

double ConservationLaws::amount(int law, const double* y) const {
    double sum = 0.0;
    for (size_t j = 0; j < coefficients[law].size(); ++j) sum += coefficients[law][j] * y[j];
    return sum;
}

int find_conservation_laws(kinesim::ModelFunctions& model, int algebraicCount,
                           const std::vector<double>& initial, std::mt19937& random,
                           ConservationLaws& laws, std::string& failure) {
    const int n = model.size(), differential = n - algebraicCount;
    laws = ConservationLaws{};
    if (differential == 0) return 0;
    // Rows: samples, each a rate vector scaled to length 1; the laws are its null space.
    const int wanted = differential + 10;
    Eigen::MatrixXd rates(wanted, differential);
    std::vector<double> f(n);
    int samples = 0;
    for (int attempt = 0; attempt < 4 * wanted && samples < wanted; ++attempt) {
        std::vector<double> y = sample_state(initial, random);
        // Where the algebraic block cannot be solved, the sample still carries the laws that
        // hold at every state.
        if (algebraicCount > 0) {
            std::vector<double> consistent = y;
            if (make_consistent(model, algebraicCount, consistent)) y = consistent;
        }
        model.rhs(y.data(), f.data());
        Eigen::Map<const Eigen::VectorXd> row(f.data() + algebraicCount, differential);
        const double length = row.norm();
        if (!std::isfinite(length)) continue;
        if (length > 0.0) rates.row(samples) = row / length;
        else rates.row(samples).setZero();
        ++samples;
    }
    if (samples < wanted) {
        failure = "the rates are not finite at states around the initial one";
        return -1;
    }
    // A law is orthogonal to every column of the Jacobian as well (c' f = 0 everywhere, so
    // c' df/dy = 0). A column holds only the reactions of its variable, so a slow reaction, lost
    // beside fast ones in the rates, stands out in the column of a variable it alone changes.
    Eigen::MatrixXd rows = rates;
    for (int k = 0; k < kJacobianSamples; ++k) append_columns(model, algebraicCount, initial, random, rows);
    // The laws are the directions the samples do not reach: singular values at rounding level.
    // Slow dynamics reach 1e-11 of the largest and more; rounding stays near 1e-16.
    Eigen::BDCSVD<Eigen::MatrixXd> svd(rows, Eigen::ComputeFullV);
    const Eigen::VectorXd& values = svd.singularValues();
    int rank = 0;
    while (rank < values.size() && values(rank) > kRoundingSingular * values(0)) ++rank;
    if (rank == differential) return 0;
    Eigen::MatrixXd basis = svd.matrixV().rightCols(differential - rank).transpose();
    reduce(basis, laws.pivots);
    for (int k = 0; k < basis.rows(); ++k) {
        std::vector<double> row(n, 0.0);
        for (int j = 0; j < differential; ++j) row[algebraicCount + j] = basis(k, j);
        laws.pivots[k] += algebraicCount;
        laws.coefficients.push_back(row);
        laws.totals.push_back(laws.amount(k, initial.data()));
    }
    return 0;
}

std::string describe_law(const ConservationLaws& laws, int law,
                         const std::vector<std::string>& tags) {
    std::string text;
    const std::vector<double>& c = laws.coefficients[law];
    for (size_t j = 0; j < c.size(); ++j) {
        if (c[j] == 0.0) continue;
        const double size = std::fabs(c[j]);
        text += text.empty() ? (c[j] < 0 ? "-" : "") : (c[j] < 0 ? " - " : " + ");
        if (std::fabs(size - 1.0) > 1e-12) text += zymorax::format("%.6g ", size);
        text += tags[j];
    }
    return text + zymorax::format(" = %.10g", laws.totals[law]);
}

}  // namespace kinesteady
