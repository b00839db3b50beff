#include "profile_likelihood.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "fit_report.h"
#include "least_squares.h"

namespace kinefit {

namespace {

// Steps on the search scale: the first a 1/100 of the bounds' span, doubled while the profile is
// flat, and a step that raises -log L by more than half the threshold is taken again at a quarter
// of its length, so that the crossing is interpolated between close points; never above a tenth
// of the span. A side ends past the threshold, at the bound, or after kMaxPoints.
constexpr double kFirstStep = 0.01, kLargestStep = 0.1, kSmallestStep = 1e-12;
constexpr int kMaxPoints = 40;

struct ProfileSide {
    std::vector<ProfilePoint> points;  // outward from the best
    bool crossed = false;
    double crossing = 0.0;
};

// Walks from the best fit towards one bound (direction -1 or +1) with parameter j held.
ProfileSide walk(FitProblem& problem, int j, const std::vector<double>& best, double bestNllh,
                 int direction, int maxIterations, std::string& failure) {
    const EstimatedParameter& parameter = problem.setup().estimated[j];
    const double bound = direction < 0 ? parameter.search_lower() : parameter.search_upper();
    const double span = parameter.search_upper() - parameter.search_lower();
    double step = kFirstStep * span, previousNllh = bestNllh;
    std::vector<double> x = best, before = best;
    ProfileSide side;
    for (int tries = 0; tries < 4 * kMaxPoints &&
                        static_cast<int>(side.points.size()) < kMaxPoints && x[j] != bound;
         ++tries) {
        const double from = x[j];
        x[j] = direction < 0 ? std::max(bound, from - step) : std::min(bound, from + step);
        double chi2 = 0.0;
        if (!search_holding(problem, x, {j}, maxIterations, chi2, failure)) break;
        const double nllh = negative_log_likelihood(problem.setup(), chi2);
        if (nllh - previousNllh > 0.5 * kProfileThreshold && step > kSmallestStep * span) {
            x = before;
            step *= 0.25;
            continue;
        }
        before = x;
        side.points.push_back({parameter.value_at(x[j]), nllh});
        if (nllh - bestNllh >= kProfileThreshold) {
            // Linear between the two points that straddle the threshold, on the search scale.
            const double share = (bestNllh + kProfileThreshold - previousNllh) / (nllh - previousNllh);
            side.crossed = true;
            side.crossing = parameter.value_at(from + share * (x[j] - from));
            break;
        }
        const double rise = std::fabs(nllh - previousNllh);
        if (rise < 0.05 * kProfileThreshold) step = std::min(2.0 * step, kLargestStep * span);
        if (rise > 0.3 * kProfileThreshold) step *= 0.5;
        previousNllh = nllh;
    }
    return side;
}

Profile profile_of(const FitSetup& setup, int j, const std::vector<double>& best, double bestNllh,
                   int maxIterations) {
    FitProblem problem(setup);
    Profile profile;
    ProfileSide down = walk(problem, j, best, bestNllh, -1, maxIterations, profile.failure);
    ProfileSide up = walk(problem, j, best, bestNllh, +1, maxIterations, profile.failure);
    for (auto point = down.points.rbegin(); point != down.points.rend(); ++point)
        profile.points.push_back(*point);
    profile.points.push_back({setup.estimated[j].value_at(best[j]), bestNllh});
    profile.points.insert(profile.points.end(), up.points.begin(), up.points.end());
    profile.hasLower = down.crossed;
    profile.lower = down.crossing;
    profile.hasUpper = up.crossed;
    profile.upper = up.crossing;
    profile.lowestNllh = bestNllh;
    for (const ProfilePoint& point : profile.points)
        profile.lowestNllh = std::min(profile.lowestNllh, point.nllh);
    return profile;
}

}  // namespace

std::vector<Profile> profile_likelihoods(const FitSetup& setup, const std::vector<double>& best,
                                         double bestNllh, int maxIterations, int threads) {
    const int k = setup.parameter_count();
    std::vector<Profile> profiles(k);
    std::atomic<int> next{0};
    auto work = [&] {
        for (int j = next++; j < k; j = next++)
            profiles[j] = profile_of(setup, j, best, bestNllh, maxIterations);
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < std::min(threads, k); ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
    return profiles;
}

}  // namespace kinefit
