#include "fit_plots.h"

#include <algorithm>
#include <fstream>
#include <map>

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

// Panels side by side in a row, each with its own axis, so that a small species does not lie
// flat beside a large one.
constexpr size_t kPanelColumns = 3;

bool has_data(const ExperimentPlan& plan, int variable, bool& weighted) {
    bool any = false;
    weighted = false;
    for (const DataPoint& point : plan.points) {
        if (point.variable != variable) continue;
        any = true;
        weighted = weighted || point.sd > 0.0;
    }
    return any;
}

// gnuplot's line type of each observed variable, in order of first appearance over the
// experiments, so that a variable has one colour in every panel.
std::map<int, int> variable_colours(const std::vector<ExperimentPlan>& plans) {
    std::map<int, int> colours;
    for (const ExperimentPlan& plan : plans) {
        for (int variable : plan.observed) {
            colours.emplace(variable, static_cast<int>(colours.size()) + 1);
        }
    }
    return colours;
}

std::string panel(const ExperimentPlan& plan, size_t column, const std::string& tag, int colour,
                  const PlotFiles& files) {
    int variable = plan.observed[column];
    std::string script = "set title " + gnuplot_quoted(plan.path + ": " + tag) + "\n";
    script += format("plot %s using 1:%zu with lines lw 2 lc %d notitle",
                     gnuplot_quoted(files.curves).c_str(), column + 2, colour);
    bool weighted = false;
    if (has_data(plan, variable, weighted)) {
        script += format(", %s index %zu using 1:2%s with %s pt 7 lc %d notitle",
                         gnuplot_quoted(files.points).c_str(), column, weighted ? ":3" : "",
                         weighted ? "yerrorbars" : "points", colour);
    }
    return script + "\n";
}

size_t rows_of(size_t panels, size_t columns) { return (panels + columns - 1) / columns; }

}  // namespace

std::string fit_plot_script(const std::vector<ExperimentPlan>& plans,
                            const std::vector<std::string>& tags,
                            const std::vector<PlotFiles>& files, const std::string& pngFile) {
    size_t columns = 1;
    for (const ExperimentPlan& plan : plans) columns = std::max(columns, plan.observed.size());
    columns = std::min(columns, kPanelColumns);
    size_t rows = 0;
    for (const ExperimentPlan& plan : plans) rows += rows_of(plan.observed.size(), columns);
    std::string script = format(
        "set terminal pngcairo size %zu,%zu noenhanced\nset output %s\nset multiplot layout "
        "%zu,%zu\nset xlabel 'time'\nset ylabel 'amount'\nset grid\nset key off\n",
        420 * columns, 40 + 300 * rows, gnuplot_quoted(pngFile).c_str(), rows, columns);
    std::map<int, int> colours = variable_colours(plans);
    for (size_t e = 0; e < plans.size(); ++e) {
        const ExperimentPlan& plan = plans[e];
        size_t count = plan.observed.size();
        for (size_t i = 0; i < count; ++i) {
            int variable = plan.observed[i];
            script += panel(plan, i, tags[variable], colours[variable], files[e]);
        }
        // Each experiment starts a row of its own.
        for (size_t i = count; i < rows_of(count, columns) * columns; ++i) {
            script += "set multiplot next\n";
        }
    }
    return script + "unset multiplot\n";
}

int draw_fit_plot(FitProblem& problem, const std::vector<double>& logValues,
                  const std::string& pngFile) {
    const FitSetup& setup = problem.setup();
    kinesim::ScratchDir scratch;
    if (!scratch.ok()) return -1;
    std::vector<PlotFiles> files;
    for (size_t e = 0; e < setup.experiments.size(); ++e) {
        const ExperimentPlan& plan = setup.experiments[e];
        std::vector<double> times = curve_times(plan);
        Course course;
        std::string failure;
        if (!problem.simulate(static_cast<int>(e), logValues.data(), times, course, failure)) {
            log_sys("The fitted curves of %s cannot be drawn: %s.\n", plan.path.c_str(),
                    failure.c_str());
            return -1;
        }
        files.push_back({scratch.file(format("curves%zu.dat", e)),
                         scratch.file(format("points%zu.dat", e))});
        write_curves(files.back().curves, plan, times, course);
        write_points(files.back().points, plan);
    }
    return kinesim::run_gnuplot(
        scratch, fit_plot_script(setup.experiments, setup.inputs.tags, files, pngFile), pngFile);
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
