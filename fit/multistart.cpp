#include "multistart.h"

#include <atomic>
#include <cstring>
#include <thread>

#include "latin_hypercube.h"

namespace kinefit {

std::vector<int> starts_of(int rank, int processes, int count) {
    std::vector<int> starts;
    for (int s = rank; s < count; s += processes) starts.push_back(s);
    return starts;
}

std::vector<StartResult> run_starts(const FitSetup& setup,
                                    const std::vector<std::vector<double>>& points,
                                    const std::vector<int>& starts, int threads,
                                    int maxIterations, unsigned long seed) {
    std::vector<StartResult> results(starts.size());
    std::atomic<size_t> next{0};
    auto work = [&]() {
        FitProblem problem(setup);
        for (size_t i = next++; i < starts.size(); i = next++) {
            const int start = starts[i];
            StartResult result = search_from(problem, points[start], start, maxIterations);
            for (int attempt = 1; !result.usable() && attempt <= kStartReplacements; ++attempt) {
                StartResult fresh = search_from(
                    problem, fresh_start(setup.estimated, seed, start, attempt), start,
                    maxIterations);
                fresh.replaced = result.replaced + 1;
                fresh.replacedBecause =
                    result.replacedBecause.empty() ? result.message : result.replacedBecause;
                result = std::move(fresh);
            }
            results[i] = std::move(result);
        }
    };
    size_t count = std::min<size_t>(std::max(threads, 1), starts.size());
    std::vector<std::thread> pool;
    for (size_t t = 1; t < count; ++t) pool.emplace_back(work);
    work();
    for (std::thread& thread : pool) thread.join();
    return results;
}

namespace {

template <typename T>
void put(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

template <typename T>
bool take(const std::string& bytes, size_t& at, T& value) {
    if (bytes.size() - at < sizeof value) return false;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    at += sizeof value;
    return true;
}

bool take_result(const std::string& bytes, size_t& at, int parameters, StartResult& result) {
    int outcome = 0;
    std::uint32_t length = 0;
    result.logValues.assign(parameters, 0.0);
    bool ok = take(bytes, at, result.start) && take(bytes, at, outcome) &&
              take(bytes, at, result.chi2) && take(bytes, at, result.iterations);
    for (double& value : result.logValues) ok = ok && take(bytes, at, value);
    if (!ok || !take(bytes, at, length) || bytes.size() - at < length || outcome < 0 ||
        outcome > static_cast<int>(StartOutcome::AtBound))
        return false;
    result.outcome = static_cast<StartOutcome>(outcome);
    result.message = bytes.substr(at, length);
    at += length;
    if (!take(bytes, at, result.replaced) || !take(bytes, at, length) ||
        bytes.size() - at < length || result.replaced < 0)
        return false;
    result.replacedBecause = bytes.substr(at, length);
    at += length;
    return true;
}

}  // namespace

std::string encode_results(const std::vector<StartResult>& results) {
    std::string bytes;
    for (const StartResult& result : results) {
        put(bytes, result.start);
        put(bytes, static_cast<int>(result.outcome));
        put(bytes, result.chi2);
        put(bytes, result.iterations);
        for (double value : result.logValues) put(bytes, value);
        put(bytes, static_cast<std::uint32_t>(result.message.size()));
        bytes += result.message;
        put(bytes, result.replaced);
        put(bytes, static_cast<std::uint32_t>(result.replacedBecause.size()));
        bytes += result.replacedBecause;
    }
    return bytes;
}

bool decode_results(const std::string& bytes, int parameters, std::vector<StartResult>& results) {
    for (size_t at = 0; at < bytes.size();) {
        results.emplace_back();
        if (!take_result(bytes, at, parameters, results.back())) return false;
    }
    return true;
}

int best_result(const std::vector<StartResult>& results) {
    int best = -1;
    for (size_t i = 0; i < results.size(); ++i) {
        const StartResult& r = results[i];
        if (!r.usable()) continue;
        if (best < 0 || r.chi2 < results[best].chi2 ||
            (r.chi2 == results[best].chi2 && r.start < results[best].start)) {
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace kinefit
