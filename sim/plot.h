// Draws a CSV time course into a PNG with gnuplot.
#pragma once

#include <string>

#include "process_run.h"

namespace kinesim {

// Runs gnuplot on `csvFile` (columns: time, then `variableCount` variables) and writes
// `pngFile`. 0, or -1 after logging (gnuplot missing or failing).
int draw_plot(const std::string& csvFile, int variableCount, const std::string& pngFile,
              const std::string& title);

// The gnuplot script that draws it; exposed for the tests.
std::string plot_script(const std::string& csvFile, int variableCount, const std::string& pngFile,
                        const std::string& title);

// Runs gnuplot on `script` (kept in `scratch`), which draws `pngFile`. 0, or -1 after logging
// (gnuplot missing or failing).
int run_gnuplot(const ScratchDir& scratch, const std::string& script, const std::string& pngFile);

// A gnuplot string literal in single quotes: a quote is doubled, line ends are dropped.
std::string gnuplot_quoted(const std::string& text);

}  // namespace kinesim
