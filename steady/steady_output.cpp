#include "steady_output.h"

#include <cerrno>
#include <cmath>
#include <cstring>

#include "csv_writer.h"
#include "file_replace.h"
#include "format.h"
#include "log.h"

namespace kinesteady {

namespace {

using zymorax::format;

std::string row(const std::string& kind, const std::string& of, const std::string& by,
                double value) {
    value += 0.0;  // -0 is written as 0
    return kind + "," + kinesim::csv_field(of) + "," + kinesim::csv_field(by) +
           format(",%.17g\n", value);
}

// Gains below 1e-12 are rounding of 0 in the report; the CSV keeps every digit.
double shown_gain(double gain) {
    return std::fabs(gain) < 1e-12 ? 0.0 : gain;
}

std::string eigenvalue_text(const std::complex<double>& e) {
    if (e.imag() == 0.0) return format("%.6g", e.real());
    return format("%.6g %c %.6gi", e.real(), e.imag() < 0 ? '-' : '+', std::fabs(e.imag()));
}

std::string steady_section(const SteadyAnalysis& a) {
    std::string text = "Steady state\n  found by " + a.steady.route + "\n";
    text += a.steady.reached ? "  reached from the initial state: yes\n"
                             : "  reached from the initial state: no, " + a.steady.reachedNote +
                                   "\n";
    text += a.steady.largestRate < 1e-12 * a.steady.scale
                ? (a.steady.scale == 1.0 ? std::string("  largest rate left: below 1e-12\n")
                                         : format("  largest rate left: below %.3g\n",
                                                  1e-12 * a.steady.scale))
                : format("  largest rate left: %.3g (d %s / dt)\n", a.steady.largestRate,
                         a.steady.largestRateOf.c_str());
    text += format("  %-24s %20s %20s\n", "variable", "initial", "steady state");
    for (size_t i = 0; i < a.tags.size(); ++i) {
        text += format("  %-24s %20.10g %20.10g%s\n", a.tags[i].c_str(), a.initial[i],
                       a.steady.y[i], static_cast<int>(i) < a.algebraicCount ? "  (algebraic)" : "");
    }
    return text;
}

std::string conservation_section(const SteadyAnalysis& a) {
    if (a.laws.count() == 0) return "Conservation laws: none\n";
    std::string text = format("Conservation laws: %d, held fixed at their initial totals\n",
                              a.laws.count());
    for (int k = 0; k < a.laws.count(); ++k)
        text += "  " + describe_law(a.laws, k, a.tags) + "\n";
    return text;
}

std::string gains_section(const SteadyAnalysis& a, bool gains) {
    std::string text = gains ? "Log gains d log X / d log (independent)\n"
                             : "Sensitivities d log X / d log (parameter)\n";
    int shown = 0;
    for (size_t k = 0; k < a.independents.size(); ++k) {
        const Independent& q = a.independents[k];
        if (q.gain != gains) continue;
        ++shown;
        text += "  by " + q.name + (q.tag.empty() ? "" : "  (" + q.tag + ")") + "\n";
        for (size_t i = 0; i < a.tags.size(); ++i) {
            const double g = a.gains(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(k));
            text += std::isnan(g) ? format("    %-24s not defined (a value is 0)\n", a.tags[i].c_str())
                                  : format("    %-24s %14.6g\n", a.tags[i].c_str(), shown_gain(g));
        }
    }
    return shown > 0 ? text : text + "  none\n";
}

std::string flux_section(const SteadyAnalysis& a) {
    const FluxGains& f = a.fluxes;
    if (f.names.empty()) return "";
    std::string text = "Flux gains d log V / d log (independent or parameter)\n";
    for (size_t r = 0; r < f.names.size(); ++r) {
        text += format("  %s = %.10g\n", f.names[r].c_str(), f.values[r]);
        for (size_t k = 0; k < a.independents.size(); ++k) {
            const double g = f.gains(static_cast<Eigen::Index>(r), static_cast<Eigen::Index>(k));
            if (!std::isnan(g))
                text += format("    by %-22s %14.6g\n", a.independents[k].name.c_str(), shown_gain(g));
        }
    }
    return text + "\n";
}

std::string flux_rows(const SteadyAnalysis& a) {
    const FluxGains& f = a.fluxes;
    std::string text;
    for (size_t r = 0; r < f.names.size(); ++r) {
        text += row("flux", f.names[r], "", f.values[r]);
        for (size_t k = 0; k < a.independents.size(); ++k) {
            const double g = f.gains(static_cast<Eigen::Index>(r), static_cast<Eigen::Index>(k));
            if (!std::isnan(g)) text += row("flux_gain", f.names[r], a.independents[k].name, g);
        }
    }
    return text;
}

std::string stability_section(const SteadyAnalysis& a) {
    const Stability& s = a.stability;
    std::string text = format("Stability: %s\n", s.verdict.c_str());
    if (s.eigenvalues.empty()) return text + "  no dynamics remain once the laws are held\n";
    text += "  dominant eigenvalue: " + eigenvalue_text(s.eigenvalues.front()) + "\n";
    text += format("  eigenvalues (%zu, of the dynamics with the algebraic variables solved for "
                   "and each law's first variable expressed by the others):\n",
                   s.eigenvalues.size());
    for (const auto& e : s.eigenvalues) text += "    " + eigenvalue_text(e) + "\n";
    return text;
}

std::string ssystem_section(const SteadyAnalysis& a) {
    const SsystemResult& s = a.ssystem;
    if (!s.present) return "";
    std::string text = "S-system at the steady state\n";
    if (!s.missing.empty()) return text + "  no closed form: " + s.missing + "\n";
    text += format("  %-24s %14s %14s %20s %20s\n", "variable", "alpha", "beta", "closed form",
                   "Newton");
    for (int i = 0; i < s.form.n; ++i) {
        text += format("  %-24s %14.6g %14.6g %20.12g ", a.tags[i].c_str(), s.form.alpha[i],
                       s.form.beta[i], s.solution.x[i]);
        text += s.newton.empty() ? format("%20s\n", "-") : format("%20.12g\n", s.newton[i]);
    }
    text += s.newton.empty() ? "  Newton on the S-system: " + s.newtonNote + "\n"
                             : s.agreement < 1e-12
                                   ? "  closed form and Newton agree (relative difference below 1e-12)\n"
                                   : format("  closed form and Newton differ by %.2g (relative)\n",
                                            s.agreement);
    text += "  log gains by the constants (closed form, -A_D^-1 A_I):\n";
    for (int k = 0; k < s.form.constants; ++k) {
        text += format("    constantPlayer[%d]:", k + 1);
        for (int i = 0; i < s.form.n; ++i) text += format(" %.6g", shown_gain(s.solution.logGains(i, k)));
        text += "\n";
    }
    return text;
}

std::string ssystem_rows(const SteadyAnalysis& a) {
    const SsystemResult& s = a.ssystem;
    if (!s.present || !s.missing.empty()) return "";
    std::string text;
    for (int i = 0; i < s.form.n; ++i) {
        text += row("ssystem_steady_state", a.tags[i], "", s.solution.x[i]);
        if (!s.newton.empty()) text += row("ssystem_newton", a.tags[i], "", s.newton[i]);
    }
    for (int i = 0; i < s.form.n; ++i) {
        for (int k = 0; k < s.form.constants; ++k)
            text += row("ssystem_log_gain", a.tags[i], format("constantPlayer[%d]", k + 1),
                        s.solution.logGains(i, k));
        for (int k = 0; k < s.form.n; ++k) {
            text += row("ssystem_alpha_sensitivity", a.tags[i], "alpha of " + a.tags[k],
                        s.solution.byAlpha(i, k));
            text += row("ssystem_beta_sensitivity", a.tags[i], "beta of " + a.tags[k],
                        s.solution.byBeta(i, k));
        }
    }
    return text;
}

// Opens `path` as a staged file and writes `text` into it, uncommitted. false after logging.
bool stage(zymorax::StagedFile& file, const std::string& path, const std::string& text) {
    if (file.open(path) && std::fwrite(text.data(), 1, text.size(), file.stream()) == text.size())
        return true;
    log_sys("Cannot write %s: %s.\n", path.c_str(), std::strerror(errno));
    return false;
}

bool commit(zymorax::StagedFile& file, const std::string& path) {
    zymorax::ReplaceFailure failure;
    if (file.commit(failure)) return true;
    log_sys("Cannot write %s: %s.\n", path.c_str(), std::strerror(failure.error));
    return false;
}

}  // namespace

std::string report_text(const SteadyAnalysis& a) {
    std::string text = "kinesteady report" + (a.title.empty() ? "" : ": " + a.title) + "\n\n";
    text += steady_section(a) + "\n" + conservation_section(a) + "\n";
    text += gains_section(a, true) + "\n" + gains_section(a, false) + "\n";
    text += flux_section(a) + stability_section(a);
    const std::string ssystem = ssystem_section(a);
    return ssystem.empty() ? text : text + "\n" + ssystem;
}

std::string csv_text(const SteadyAnalysis& a) {
    std::string text = "kind,of,by,value\n";
    for (size_t i = 0; i < a.tags.size(); ++i) text += row("steady_state", a.tags[i], "", a.steady.y[i]);
    for (int k = 0; k < a.laws.count(); ++k)
        text += row("conservation", a.tags[a.laws.pivots[k]], describe_law(a.laws, k, a.tags),
                    a.laws.totals[k]);
    for (size_t k = 0; k < a.independents.size(); ++k) {
        const Independent& q = a.independents[k];
        for (size_t i = 0; i < a.tags.size(); ++i) {
            const double g = a.gains(static_cast<Eigen::Index>(i), static_cast<Eigen::Index>(k));
            if (!std::isnan(g)) text += row(q.gain ? "log_gain" : "sensitivity", a.tags[i], q.name, g);
        }
    }
    text += flux_rows(a);
    for (size_t k = 0; k < a.stability.eigenvalues.size(); ++k) {
        const std::string number = std::to_string(k + 1);
        text += row("eigenvalue", number, "real", a.stability.eigenvalues[k].real());
        text += row("eigenvalue", number, "imaginary", a.stability.eigenvalues[k].imag());
    }
    return text + ssystem_rows(a);
}

int write_outputs(const SteadyAnalysis& analysis, const std::string& reportFile,
                  const std::string& csvFile) {
    // Both are written whole before either replaces its target.
    zymorax::StagedFile report, csv;
    if (!stage(report, reportFile, report_text(analysis)) || !stage(csv, csvFile, csv_text(analysis)))
        return -1;
    return commit(report, reportFile) && commit(csv, csvFile) ? 0 : -1;
}

}  // namespace kinesteady
