// Running the starts: over the threads of this process, and over the processes of an MPI job,
// with the same results however they are spread, since each start depends only on its point.
#pragma once

#include <string>
#include <vector>

#include "fit_problem.h"
#include "least_squares.h"

namespace kinefit {

// The starts process `rank` of `processes` runs: start s goes to process s % processes.
std::vector<int> starts_of(int rank, int processes, int count);

// A start whose search fails (its integration fails) is searched again from a fresh point
// (fresh_start), up to this many times.
constexpr int kStartReplacements = 3;

// Runs `starts` (indices into `points`) on up to `threads` threads, each with its own
// FitProblem; the results come in the order of `starts`. `seed` draws the fresh points.
std::vector<StartResult> run_starts(const FitSetup& setup,
                                    const std::vector<std::vector<double>>& points,
                                    const std::vector<int>& starts, int threads, int maxIterations,
                                    unsigned long seed);

// Results as bytes, for sending between processes, and back. Numbers keep every bit.
std::string encode_results(const std::vector<StartResult>& results);
// False when the bytes are not results of `parameters` parameters.
bool decode_results(const std::string& bytes, int parameters, std::vector<StartResult>& results);

// The best usable result: the least chi2, and of equal ones the lowest start; -1 when none is
// usable.
int best_result(const std::vector<StartResult>& results);

}  // namespace kinefit
