#include "profile_output.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "file_replace.h"
#include "format.h"
#include "log.h"
#include "plot.h"

namespace kinefit {

namespace {

using zymorax::format;

// The PEtab parameterId, or the tag of the parameter file's row, else label[index].
std::string id_of(const EstimatedParameter& parameter) {
    return parameter.tag.empty() ? parameter.name() : parameter.tag;
}

std::string side_text(bool crossed, double crossing, double bound) {
    return crossed ? format("%.6g", crossing) : format("none above bound %.6g", bound);
}

}  // namespace

std::string profile_report(const FitSetup& setup, const std::vector<Profile>& profiles,
                           const std::vector<double>& bestValues, double bestNllh) {
    std::string text = format(
        "\nProfile likelihoods (95%% interval: where -log L rises by %.4f):\n  %-3s %-15s %-14s "
        "%-28s %-28s %s\n",
        kProfileThreshold, "", "parameter", "best", "lower", "upper", "tag");
    for (size_t j = 0; j < profiles.size(); ++j) {
        const Profile& p = profiles[j];
        const EstimatedParameter& parameter = setup.estimated[j];
        std::string lower = side_text(p.hasLower, p.lower, parameter.lower);
        std::string upper = side_text(p.hasUpper, p.upper, parameter.upper);
        if (!p.hasLower && !p.failure.empty()) lower = "search failed";
        if (!p.hasUpper && !p.failure.empty()) upper = "search failed";
        text += format("  %-3zu %-15s %-14.6g %-28s %-28s %s\n", j + 1, parameter.name().c_str(),
                       bestValues[j], lower.c_str(), upper.c_str(), parameter.tag.c_str());
        if (!p.failure.empty()) text += "      the profile stopped: " + p.failure + "\n";
        if (p.lowestNllh < bestNllh - 1e-6 * std::max(1.0, std::fabs(bestNllh))) {
            text += format("      its profile reaches -log L = %.10g, below the best fit's: the "
                           "fit has not found the optimum\n",
                           p.lowestNllh);
        }
    }
    return text;
}

int write_profile_table(const FitSetup& setup, const std::vector<Profile>& profiles,
                        const std::string& path) {
    auto fill = [&](FILE* out) {
        if (std::fputs("parameterId\tvalue\tnegativeLogLikelihood\n", out) == EOF) return false;
        for (size_t j = 0; j < profiles.size(); ++j) {
            for (const ProfilePoint& point : profiles[j].points) {
                std::string row = format("%s\t%.17g\t%.17g\n", id_of(setup.estimated[j]).c_str(),
                                         point.value, point.nllh);
                if (std::fputs(row.c_str(), out) == EOF) return false;
            }
        }
        return true;
    };
    zymorax::ReplaceFailure failure;
    if (zymorax::replace_file(path, fill, true, failure)) return 0;
    log_sys("Cannot write the profile table %s (%s).\n", path.c_str(),
            std::strerror(failure.error));
    return -1;
}

int draw_profile_plot(const FitSetup& setup, const std::vector<Profile>& profiles, double bestNllh,
                      const std::string& pngFile) {
    kinesim::ScratchDir scratch;
    if (!scratch.ok() || profiles.empty()) return -1;
    const size_t columns = std::min<size_t>(3, profiles.size());
    const size_t rows = (profiles.size() + columns - 1) / columns;
    std::string script = format(
        "set terminal pngcairo size %zu,%zu noenhanced\nset output %s\nset multiplot layout "
        "%zu,%zu\nset ylabel 'rise of -log L'\nset grid\nset key off\n",
        380 * columns, 40 + 300 * rows, kinesim::gnuplot_quoted(pngFile).c_str(), rows, columns);
    for (size_t j = 0; j < profiles.size(); ++j) {
        std::string data = scratch.file(format("profile%zu.dat", j));
        std::ofstream out(data);
        for (const ProfilePoint& point : profiles[j].points)
            out << format("%.17g %.17g\n", point.value, point.nllh - bestNllh);
        out.close();
        const EstimatedParameter& parameter = setup.estimated[j];
        // A log axis only where the points span a decade (it ticks decades alone); the axis
        // spans the points, where a log axis would widen to whole decades.
        double smallest = HUGE_VAL, largest = 0.0;
        for (const ProfilePoint& point : profiles[j].points) {
            smallest = std::min(smallest, point.value);
            largest = std::max(largest, point.value);
        }
        const bool logAxis = !parameter.linear && smallest > 0.0 && largest > 10.0 * smallest;
        script += format("set title %s\nset xlabel 'value'\n%s\nset autoscale xfix\nunset arrow\n"
                         "set arrow from graph 0, first %.10g to graph 1, first %.10g nohead "
                         "dashtype 2\nplot %s using 1:2 with linespoints pt 7 ps 0.6\n",
                         kinesim::gnuplot_quoted(id_of(parameter)).c_str(),
                         logAxis ? "set logscale x" : "unset logscale x",
                         kProfileThreshold, kProfileThreshold,
                         kinesim::gnuplot_quoted(data).c_str());
    }
    script += "unset multiplot\n";
    return kinesim::run_gnuplot(scratch, script, pngFile);
}

}  // namespace kinefit
