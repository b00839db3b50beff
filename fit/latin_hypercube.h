// The starts of the multistart search: a Latin hypercube over the bounds, in the logs of the
// parameters, the same for the same seed on every machine and in every process.
#pragma once

#include <vector>

#include "estimated_parameters.h"

namespace kinefit {

// `count` points in [0, 1)^dimensions with exactly one point in each of the `count` equal
// slices of every axis. Drawn from std::mt19937_64, whose sequence the C++ standard fixes, with
// our own conversions to numbers (the standard distributions may differ between libraries).
std::vector<std::vector<double>> latin_hypercube(int count, int dimensions, unsigned long seed);

// The starts in log p: the hypercube mapped onto [log GA_min, log GA_max] of each parameter;
// the first start takes val_start where a row gives one.
// A fresh point for a start whose search failed, drawn uniformly within the search bounds:
// the same for the same seed, start and attempt, on any process.
std::vector<double> fresh_start(const std::vector<EstimatedParameter>& estimated,
                                unsigned long seed, int start, int attempt);

std::vector<std::vector<double>> start_points(const std::vector<EstimatedParameter>& estimated,
                                              int count, unsigned long seed);

}  // namespace kinefit
