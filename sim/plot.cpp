#include "plot.h"

#include <fstream>

#include "format.h"
#include "log.h"
#include "process_run.h"

namespace kinesim {

std::string gnuplot_quoted(const std::string& text) {
    std::string result = "'";
    for (char c : text) {
        if (c == '\n' || c == '\r') continue;
        result += c;
        if (c == '\'') result += '\'';
    }
    return result + "'";
}

namespace {

std::string last_lines(const std::string& path) {
    std::ifstream in(path);
    std::string line, text;
    while (std::getline(in, line)) text += line + "\n";
    return text.size() > 2000 ? text.substr(text.size() - 2000) : text;
}

}  // namespace

std::string plot_script(const std::string& csvFile, int variableCount, const std::string& pngFile,
                        const std::string& title) {
    std::string script =
        "set terminal pngcairo size 1000,640 noenhanced\n"
        "set output " +
        gnuplot_quoted(pngFile) +
        "\n"
        "set datafile separator ','\n"
        "set title " +
        gnuplot_quoted(title) +
        "\n"
        "set xlabel 'time'\nset ylabel 'amount'\nset grid\n";
    // A key for a thousand curves would hide the plot.
    script +=
        variableCount <= 20 ? "set key outside right top autotitle columnhead\n" : "set key off\n";
    script +=
        zymorax::format("plot for [i=2:%d] %s using 1:i with lines lw 2%s\n", variableCount + 1,
                        gnuplot_quoted(csvFile).c_str(), variableCount <= 20 ? "" : " notitle");
    return script;
}

int run_gnuplot(const ScratchDir& scratch, const std::string& script, const std::string& pngFile) {
    if (find_on_path("gnuplot").empty()) {
        log_sys("No plot drawn: gnuplot is not installed (Debian package gnuplot-nox).\n");
        return -1;
    }
    std::string scriptFile = scratch.file("plot.gp");
    std::ofstream(scriptFile) << script;
    int status = run_and_wait("gnuplot", {scriptFile}, scratch.file("gnuplot.log"));
    if (status != 0) {
        if (status > 0) {
            log_sys("gnuplot cannot draw %s (exit status %d):\n%s", pngFile.c_str(), status,
                    last_lines(scratch.file("gnuplot.log")).c_str());
        }
        return -1;
    }
    return 0;
}

int draw_plot(const std::string& csvFile, int variableCount, const std::string& pngFile,
              const std::string& title) {
    ScratchDir scratch;
    if (!scratch.ok()) return -1;
    return run_gnuplot(scratch, plot_script(csvFile, variableCount, pngFile, title), pngFile);
}

}  // namespace kinesim
