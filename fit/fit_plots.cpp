#include "fit_plots.h"

#include <algorithm>
#include <fstream>

#include "format.h"
#include "log.h"
#include "plot.h"
#include "process_run.h"

namespace kinefit {

namespace {

using kinesim::gnuplot_quoted;
using zymorax::format;

// Points of each fitted curve.
constexpr int kCurvePoints = 400;

std::vector<double> curve_times(const ExperimentPlan& plan) {
    double end = plan.times.back();
    std::vector<double> times;
    for (int i = 0; i <= kCurvePoints && (i == 0 || end > 0.0); ++i) {
        times.push_back(end * i / kCurvePoints);
    }
    return times;
}

// time, then the course of each observed variable.
void write_curves(const std::string& path, const ExperimentPlan& plan,
                  const std::vector<double>& times, const Course& course) {
    std::ofstream out(path);
    for (size_t k = 0; k < times.size(); ++k) {
        out << format("%.10g", times[k]);
        for (int variable : plan.observed) {
            out << format(" %.10g", course.state(static_cast<int>(k), variable));
        }
        out << "\n";
    }
}

// One block per observed variable (time, value, sd), blocks two blank lines apart.
void write_points(const std::string& path, const ExperimentPlan& plan) {
    std::ofstream out(path);
    for (int variable : plan.observed) {
        for (const DataPoint& point : plan.points) {
            if (point.variable != variable) continue;
            out << format("%.10g %.10g %.10g\n", plan.times[point.time], point.value, point.sd);
        }
        out << "\n\n";
    }
}

std::string panel(const ExperimentPlan& plan, const std::vector<std::string>& tags,
                  const std::string& curves, const std::string& points) {
    std::string script = "set title " + gnuplot_quoted(plan.path) + "\nplot ";
    for (size_t i = 0; i < plan.observed.size(); ++i) {
        int variable = plan.observed[i];
        bool any = false, weighted = false;
        for (const DataPoint& point : plan.points) {
            any = any || point.variable == variable;
            weighted = weighted || (point.variable == variable && point.sd > 0.0);
        }
        script += format("%s%s using 1:%zu with lines lw 2 lc %zu title %s", i > 0 ? ", " : "",
                         gnuplot_quoted(curves).c_str(), i + 2, i + 1,
                         gnuplot_quoted(tags[variable]).c_str());
        if (any) {
            script += format(", %s index %zu using 1:2%s with %s pt 7 lc %zu notitle",
                             gnuplot_quoted(points).c_str(), i, weighted ? ":3" : "",
                             weighted ? "yerrorbars" : "points", i + 1);
        }
    }
    return script + "\n";
}

}  // namespace

int draw_fit_plot(FitProblem& problem, const std::vector<double>& logValues,
                  const std::string& pngFile) {
    const FitSetup& setup = problem.setup();
    kinesim::ScratchDir scratch;
    if (!scratch.ok()) return -1;
    size_t panels = setup.experiments.size();
    std::string script = format(
        "set terminal pngcairo size 1000,%zu noenhanced\nset output %s\nset multiplot layout "
        "%zu,1\nset xlabel 'time'\nset ylabel 'amount'\nset grid\nset key outside right top\n",
        40 + 360 * panels, gnuplot_quoted(pngFile).c_str(), panels);
    for (size_t e = 0; e < panels; ++e) {
        const ExperimentPlan& plan = setup.experiments[e];
        std::vector<double> times = curve_times(plan);
        Course course;
        std::string failure;
        if (!problem.simulate(static_cast<int>(e), logValues.data(), times, course, failure)) {
            log_sys("The fitted curves of %s cannot be drawn: %s.\n", plan.path.c_str(),
                    failure.c_str());
            return -1;
        }
        std::string curves = scratch.file(format("curves%zu.dat", e));
        std::string points = scratch.file(format("points%zu.dat", e));
        write_curves(curves, plan, times, course);
        write_points(points, plan);
        script += panel(plan, setup.inputs.tags, curves, points);
    }
    return kinesim::run_gnuplot(scratch, script + "unset multiplot\n", pngFile);
}

int draw_starts_plot(const std::vector<StartResult>& results, const std::string& pngFile) {
    kinesim::ScratchDir scratch;
    if (!scratch.ok()) return -1;
    std::vector<double> chi2;
    for (const StartResult& result : results) {
        if (result.usable()) chi2.push_back(std::max(result.chi2, 1e-300));  // a log scale
    }
    std::sort(chi2.begin(), chi2.end());
    std::string values = scratch.file("chi2.dat");
    std::ofstream out(values);
    for (size_t i = 0; i < chi2.size(); ++i) out << format("%zu %.17g\n", i + 1, chi2[i]);
    out.close();
    std::string script = format(
        "set terminal pngcairo size 800,500 noenhanced\nset output %s\nset title 'Final chi2 of "
        "%zu starts (%zu usable), best first'\nset xlabel 'start, by final chi2'\nset ylabel "
        "'chi2'\nset logscale y\nset grid\nset key off\nplot %s using 1:2 with linespoints pt 7\n",
        gnuplot_quoted(pngFile).c_str(), results.size(), chi2.size(),
        gnuplot_quoted(values).c_str());
    return kinesim::run_gnuplot(scratch, script, pngFile);
}

}  // namespace kinefit
