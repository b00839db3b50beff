#include "latin_hypercube.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <random>

namespace kinefit {

namespace {

// A number in [0, 1) from the top 53 bits of a draw.
double unit(std::mt19937_64& random) {
    return static_cast<double>(random() >> 11) * 0x1.0p-53;
}

// A whole number below `bound`, by rejection so that each is equally likely.
size_t below(std::mt19937_64& random, size_t bound) {
    std::uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
    std::uint64_t draw;
    do {
        draw = random();
    } while (draw >= limit);
    return static_cast<size_t>(draw % bound);
}

}  // namespace

std::vector<std::vector<double>> latin_hypercube(int count, int dimensions, unsigned long seed) {
    std::mt19937_64 random(seed);
    std::vector<std::vector<double>> points(count, std::vector<double>(dimensions));
    std::vector<size_t> slices(count);
    for (int d = 0; d < dimensions; ++d) {
        std::iota(slices.begin(), slices.end(), 0);
        for (size_t i = slices.size(); i > 1; --i)
            std::swap(slices[i - 1], slices[below(random, i)]);
        for (int p = 0; p < count; ++p) points[p][d] = (slices[p] + unit(random)) / count;
    }
    return points;
}

std::vector<std::vector<double>> start_points(const std::vector<EstimatedParameter>& estimated,
                                              int count, unsigned long seed) {
    int k = static_cast<int>(estimated.size());
    std::vector<std::vector<double>> points = latin_hypercube(count, k, seed);
    for (std::vector<double>& point : points) {
        for (int j = 0; j < k; ++j) {
            double low = estimated[j].search_lower(), high = estimated[j].search_upper();
            point[j] = low + point[j] * (high - low);
        }
    }
    for (int j = 0; j < k && count > 0; ++j) {
        if (!estimated[j].hasStart) continue;
        double low = estimated[j].search_lower(), high = estimated[j].search_upper();
        points[0][j] = std::min(std::max(estimated[j].search_of(estimated[j].start), low), high);
    }
    return points;
}

std::vector<double> fresh_start(const std::vector<EstimatedParameter>& estimated,
                                unsigned long seed, int start, int attempt) {
    std::seed_seq sequence{seed, static_cast<unsigned long>(start), static_cast<unsigned long>(attempt), 0x5eedUL};
    std::mt19937_64 random(sequence);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> point;
    for (const EstimatedParameter& p : estimated) {
        const double low = p.search_lower(), high = p.search_upper();
        point.push_back(low + unit(random) * (high - low));
    }
    return point;
}

}  // namespace kinefit
