#include "steady_plots.h"

#include <cmath>
#include <fstream>

#include "format.h"
#include "plot.h"

namespace kinesteady {

namespace {

using kinesim::gnuplot_quoted;
using zymorax::format;

std::string tics(const char* axis, const std::vector<std::string>& names) {
    std::string text = format("set %stics (", axis);
    for (size_t i = 0; i < names.size(); ++i)
        text += (i ? ", " : "") + gnuplot_quoted(names[i]) + format(" %zu", i);
    return text + ")\n";
}

std::string title_of(const SteadyAnalysis& a, const std::string& what) {
    return gnuplot_quoted(a.title.empty() ? what : a.title + ": " + what);
}

}  // namespace

int draw_gains(const SteadyAnalysis& a, const std::string& pngFile) {
    kinesim::ScratchDir scratch;
    const std::string data = scratch.file("gains.dat");
    std::ofstream out(data);
    std::vector<std::string> columns;
    for (const Independent& q : a.independents) columns.push_back(q.name);
    double largest = 1e-12;
    for (Eigen::Index i = 0; i < a.gains.rows(); ++i) {
        for (Eigen::Index k = 0; k < a.gains.cols(); ++k) {
            const double g = a.gains(i, k);
            if (!std::isnan(g)) largest = std::max(largest, std::fabs(g));
            out << k << ' ' << i << ' ' << (std::isnan(g) ? std::string("NaN") : format("%.10g", g))
                << '\n';
        }
        out << '\n';
    }
    out.close();
    const int width = 400 + 40 * static_cast<int>(columns.size()),
              height = 240 + 24 * static_cast<int>(a.tags.size());
    std::string script = format("set terminal pngcairo size %d,%d noenhanced\n",
                                std::min(width, 4000), std::min(height, 4000));
    script += "set output " + gnuplot_quoted(pngFile) + "\n";
    script += "set title " + title_of(a, "log gains and sensitivities at the steady state") + "\n";
    script += tics("x", columns) + tics("y", a.tags);
    script += "set xtics rotate by 60 right\nset yrange [] reverse\nset view map\n";
    script += format("set cbrange [%.6g:%.6g]\n", -largest, largest);
    script += "set palette defined (-1 'blue', 0 'white', 1 'red')\nset cblabel 'd log X / d log q'\n";
    script += "set datafile missing 'NaN'\n";
    script += "plot " + gnuplot_quoted(data) + " using 1:2:3 with image notitle\n";
    return kinesim::run_gnuplot(scratch, script, pngFile);
}

int draw_eigenvalues(const SteadyAnalysis& a, const std::string& pngFile) {
    kinesim::ScratchDir scratch;
    const std::string data = scratch.file("eigenvalues.dat");
    std::ofstream out(data);
    for (const auto& e : a.stability.eigenvalues) out << format("%.10g %.10g\n", e.real(), e.imag());
    out.close();
    std::string script = "set terminal pngcairo size 800,640 noenhanced\n";
    script += "set output " + gnuplot_quoted(pngFile) + "\n";
    script += "set title " + title_of(a, "eigenvalues at the steady state (" +
                                             a.stability.verdict + ")") + "\n";
    script += "set xlabel 'real part'\nset ylabel 'imaginary part'\nset grid\n";
    script += "set xzeroaxis lt -1\nset yzeroaxis lt -1\nset offsets graph 0.1, graph 0.1, graph 0.1, graph 0.1\n";
    script += a.stability.eigenvalues.empty()
                  ? "set label 'no dynamics remain' at graph 0.4, graph 0.5\nplot [-1:1][-1:1] NaN notitle\n"
                  : "plot " + gnuplot_quoted(data) + " using 1:2 with points pt 7 ps 1.5 notitle\n";
    return kinesim::run_gnuplot(scratch, script, pngFile);
}

}  // namespace kinesteady
