#include "jacobian_check.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "format.h"

namespace kinesim {

namespace {

constexpr double kStepFactor = 6e-6;      // about the cube root of the machine epsilon
constexpr double kRoundingFactor = 50.0;  // rounding of a sum of terms, generously
constexpr double kTruncationFactor = 4.0;

// One column of differences, at steps h and 2h, with the size of the equations' values there.
struct DifferenceColumn {
    std::vector<double> atStep, atDoubleStep, magnitude;
    double step = 0.0;
};

class DifferenceSampler {
  public:
    DifferenceSampler(ModelFunctions& model, const std::vector<double>& state)
        : model_(model), y_(state), up_(state.size()), down_(state.size()) {
        double largest = 0.0;
        for (double v : state) largest = std::max(largest, std::fabs(v));
        floor_ = std::max(1e-3 * largest, 1e-6);
    }

    DifferenceColumn column(int j) {
        size_t n = y_.size();
        DifferenceColumn result{std::vector<double>(n), std::vector<double>(n),
                                std::vector<double>(n, 0.0)};
        result.step = kStepFactor * std::max(std::fabs(y_[j]), floor_);
        central(j, result.step, result.atStep, result.magnitude);
        central(j, 2 * result.step, result.atDoubleStep, result.magnitude);
        return result;
    }

  private:
    void central(int j, double h, std::vector<double>& out, std::vector<double>& magnitude) {
        double saved = y_[j];
        y_[j] = saved + h;
        model_.rhs(y_.data(), up_.data());
        y_[j] = saved - h;
        model_.rhs(y_.data(), down_.data());
        y_[j] = saved;
        for (size_t i = 0; i < out.size(); ++i) {
            out[i] = (up_[i] - down_[i]) / (2 * h);
            magnitude[i] = std::max({magnitude[i], std::fabs(up_[i]), std::fabs(down_[i])});
        }
    }

    ModelFunctions& model_;
    std::vector<double> y_, up_, down_;
    double floor_ = 0.0;
};

// Per equation, the size of its terms: |f_i| and sum_k |df_i/dy_k * y_k|, which bound the
// terms of a mass-action or power-law rate (each term times its order).
std::vector<double> term_sizes(ModelFunctions& model, const std::vector<double>& state,
                               const std::vector<double>& generated) {
    int n = model.size();
    std::vector<double> f(n), sizes(n);
    model.rhs(state.data(), f.data());
    for (int i = 0; i < n; ++i) {
        double sum = std::fabs(f[i]);
        for (int k = 0; k < n; ++k) {
            double term = std::fabs(generated[static_cast<size_t>(i) * n + k] * state[k]);
            if (std::isfinite(term)) sum += term;
        }
        sizes[i] = sum;
    }
    return sizes;
}

// Scores one entry into `result` when it is the worst so far.
void judge(int i, int j, double g, double d, double allowance, JacobianComparison& result) {
    double error = std::fabs(g - d);
    double larger = std::max(std::fabs(g), std::fabs(d));
    double allowed = kJacobianTolerance * larger + allowance;
    double score = error == 0.0 ? 0.0 : allowed > 0.0 ? error / allowed : HUGE_VAL;
    if (score > result.score || (result.row == 0 && larger > 0.0)) {
        result.score = score;
        result.largestError = larger > 0.0 ? error / larger : 0.0;
        result.row = i + 1;
        result.column = j + 1;
        result.generated = g;
        result.difference = d;
        result.allowance = allowance;
    }
}

}  // namespace

JacobianComparison compare_jacobian(ModelFunctions& model, const std::vector<double>& state) {
    int n = model.size();
    std::vector<double> generated(static_cast<size_t>(n) * n);
    model.mend_non_finite_jacobian(false);  // usr_fjac itself is what is checked
    model.jacobian(state.data(), generated.data());
    model.mend_non_finite_jacobian(true);
    std::vector<double> sizes = term_sizes(model, state, generated);
    DifferenceSampler sampler(model, state);
    JacobianComparison result;
    for (int j = 0; j < n; ++j) {
        DifferenceColumn column = sampler.column(j);
        for (int i = 0; i < n; ++i) {
            double g = generated[static_cast<size_t>(i) * n + j], d = column.atStep[i];
            if (!std::isfinite(g) || !std::isfinite(d) || !std::isfinite(column.atDoubleStep[i])) {
                ++result.nonFiniteEntries;
                continue;
            }
            double rounding = kRoundingFactor * DBL_EPSILON *
                              std::max(sizes[i], column.magnitude[i]) / column.step;
            double truncation = kTruncationFactor * std::fabs(d - column.atDoubleStep[i]);
            judge(i, j, g, d, rounding + truncation, result);
        }
    }
    return result;
}

std::string describe_comparison(const JacobianComparison& result,
                                const std::vector<std::string>& tags) {
    std::string text;
    if (result.row == 0) {
        text = "usr_fjac agrees with finite differences of usr_fvec: largest relative error 0\n";
    } else {
        text = zymorax::format(
            "Largest relative error of usr_fjac: %.3e at fjac[%d][%d] (equation of %s, by %s): "
            "usr_fjac %.10g, finite differences %.10g (+/- %.3e)\n",
            result.largestError, result.row, result.column, tags[result.row - 1].c_str(),
            tags[result.column - 1].c_str(), result.generated, result.difference, result.allowance);
    }
    if (result.nonFiniteEntries > 0) {
        text += zymorax::format("%d entries are not numbers (inf or nan) and were not compared\n",
                                result.nonFiniteEntries);
    }
    return text;
}

}  // namespace kinesim
