#include "fit_report.h"

#include <algorithm>
#include <cmath>

#include "format.h"

namespace kinefit {

namespace {

using zymorax::format;

// Up to this many parameters the whole correlation matrix is printed; beyond it the pairs that
// are strongly correlated.
constexpr int kFullMatrixUpTo = 12;
constexpr double kStrongCorrelation = 0.9;

std::string heading(const FitSetup& setup, const FitSummary& summary) {
    return format(
        "kinefit: %zu starts (seed %lu), %d estimated parameters, %zu experiments, %d "
        "measured values\n\n",
        summary.results.size(), summary.seed, setup.parameter_count(), setup.experiments.size(),
        setup.residual_count());
}

std::string start_table(const FitSetup& setup, const FitSummary& summary) {
    std::string text =
        "start  outcome          chi2                      -log L            iterations\n";
    for (const StartResult& r : summary.results) {
        std::string chi2 = r.usable() ? format("%.17g", r.chi2) : "";
        std::string nll = r.usable() ? format("%.10g", negative_log_likelihood(setup, r.chi2)) : "";
        text += format("%5d  %-15s  %-24s  %-16s  %10d", r.start + 1, outcome_name(r.outcome),
                       chi2.c_str(), nll.c_str(), r.iterations);
        text += r.usable() ? "\n" : "  " + r.message + "\n";
        if (r.replaced > 0) {
            text += format("       from a fresh point after %d failed search%s: %s\n", r.replaced,
                           r.replaced == 1 ? "" : "es", r.replacedBecause.c_str());
        }
    }
    return text;
}

// How many searches failed and were searched again from fresh points; empty when none.
std::string replacement_line(const FitSummary& summary) {
    int replaced = 0;
    for (const StartResult& r : summary.results) replaced += r.replaced;
    if (replaced == 0) return std::string();
    return format("Failed searches replaced by fresh starts: %d\n", replaced);
}

std::string best_lines(const FitSetup& setup, const FitSummary& summary) {
    const StartResult& best = summary.results[summary.best];
    int reached = 0;
    for (const StartResult& r : summary.results) {
        reached += r.usable() && reaches_best(r.chi2, best.chi2, setup.data_sum_of_squares());
    }
    if (setup.petab_problem()) {
        return format(
            "\nBest: start %d\nbest negative log-likelihood: %.12g\nchi2 of the measurements: "
            "%.17g\nStarts that reached it: %d of %zu\n",
            best.start + 1, negative_log_likelihood(setup, best.chi2), summary.measurementChi2,
            reached, summary.results.size());
    }
    return format(
        "\nBest: start %d, chi2 = %.17g, -log L = %.10g (Gaussian; sd 1 where none is "
        "given)\nStarts that reached it: %d of %zu\n",
        best.start + 1, best.chi2, negative_log_likelihood(setup, best.chi2), reached,
        summary.results.size());
}

// The width of the parameter column: the longest name, at least that of the heading.
int name_width(const FitSetup& setup) {
    size_t width = 9;
    for (const EstimatedParameter& p : setup.estimated) width = std::max(width, p.name().size());
    return static_cast<int>(width);
}

std::string parameter_table(const FitSetup& setup, const FitSummary& summary) {
    int width = name_width(setup);
    std::string text = format(
        "\nEstimated parameters:\n line  %-*s  value                     "
        "standard error            tag\n",
        width, "parameter");
    for (int j = 0; j < setup.parameter_count(); ++j) {
        const EstimatedParameter& p = setup.estimated[j];
        double se = summary.uncertainty.standardErrors[j];
        std::string error = std::isfinite(se) ? format("%.6g", se) : "not determined";
        text += format("%5d  %-*s  %-24.17g  %-24s  %s\n", p.line, width, p.name().c_str(),
                       summary.values[j], error.c_str(), p.tag.c_str());
    }
    const Uncertainty& u = summary.uncertainty;
    if (u.rank < setup.parameter_count()) {
        text += format("The data do not determine every parameter: J'J has rank %d of %d.\n",
                       u.rank, setup.parameter_count());
    }
    if (u.scaled) {
        text +=
            "Not every value has an sd: the standard errors are scaled by chi2 / (values - "
            "parameters).\n";
    }
    return text;
}

std::string correlation_cell(double value) {
    return std::isnan(value) ? format("%8s", "-") : format("%8.3f", value);
}

std::string correlations(const FitSetup& setup, const FitSummary& summary) {
    int k = setup.parameter_count();
    const std::vector<std::vector<double>>& c = summary.uncertainty.correlations;
    std::string text;
    if (k <= kFullMatrixUpTo) {
        // Columns by number, rows by number and name: names are too long for columns.
        int width = name_width(setup) + 5;
        text = format("\nCorrelations:\n%-*s", width, "");
        for (int b = 0; b < k; ++b) text += format(" %8d", b + 1);
        for (int a = 0; a < k; ++a) {
            std::string row = format("%3d  %s", a + 1, setup.estimated[a].name().c_str());
            text += format("\n%-*s", width, row.c_str());
            for (int b = 0; b < k; ++b) text += " " + correlation_cell(c[a][b]);
        }
        return text + "\n";
    }
    text = format("\nCorrelations beyond %.1f in size:\n", kStrongCorrelation);
    int pairs = 0;
    for (int a = 0; a < k; ++a) {
        for (int b = a + 1; b < k; ++b) {
            if (!(std::fabs(c[a][b]) > kStrongCorrelation)) continue;
            text += format("  %s, %s: %.3f\n", setup.estimated[a].name().c_str(),
                           setup.estimated[b].name().c_str(), c[a][b]);
            ++pairs;
        }
    }
    return pairs > 0 ? text : text + "  none\n";
}

}  // namespace

bool reaches_best(double chi2, double best, double dataScale) {
    return chi2 - best <= 1e-6 * best + 1e-9 * dataScale;
}

double negative_log_likelihood(const FitSetup& setup, double chi2) {
    if (setup.petab_problem()) return 0.5 * chi2 + setup.petab.offset;
    const double kLogTwoPi = std::log(2.0 * M_PI);
    return 0.5 * chi2 + setup.log_sd_sum() + 0.5 * setup.residual_count() * kLogTwoPi;
}

std::string fit_report(const FitSetup& setup, const FitSummary& summary) {
    return heading(setup, summary) + start_table(setup, summary) + replacement_line(summary) +
           best_lines(setup, summary) + parameter_table(setup, summary) +
           correlations(setup, summary);
}

}  // namespace kinefit
