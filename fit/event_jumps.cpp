#include "event_jumps.h"

#include <algorithm>
#include <cmath>

#include "parameter_step.h"

namespace kinefit {

namespace {

// The relative step of the central differences for math that reads a rate; a variable near 0
// is stepped as if it were 1e-4, which keeps the rounding error of the difference small.
constexpr double kStep = 6e-6;
constexpr double kVariableFloor = 1e-4;

}  // namespace

EventJumps::EventJumps(const kinesim::StateEvents& events, const std::vector<double*>& parameters,
                       const std::vector<char>& byValue, const kinesim::ParameterAliases& aliases,
                       int size, int algebraicCount)
    : events_(events),
      parameters_(parameters),
      byValue_(byValue),
      aliases_(aliases),
      size_(size),
      algebraicCount_(algebraicCount),
      count_(static_cast<int>(parameters.size())),
      total_(static_cast<size_t>(size) * parameters.size()),
      slopes_(size),
      timeShift_(parameters.size()),
      work_(size) {}

void EventJumps::prepare(const std::vector<const double*>& sensitivities, const double* slopes) {
    for (int j = 0; j < count_; ++j)
        std::copy_n(sensitivities[j], size_, total_.begin() + static_cast<size_t>(j) * size_);
    std::copy_n(slopes, size_, slopes_.begin());
}

void EventJumps::finish(const double* rates, const std::vector<double*>& sensitivities) const {
    for (int j = 0; j < count_; ++j) {
        const double* d = total_.data() + static_cast<size_t>(j) * size_;
        for (int i = 0; i < size_; ++i) {
            sensitivities[j][i] = i < algebraicCount_ ? d[i] : d[i] - rates[i] * timeShift_[j];
        }
    }
}

EventJumps::Gradient EventJumps::from_partials(const kinesim::MathReads& reads,
                                               const std::vector<double>& byVariables,
                                               const std::vector<double>& byValues) const {
    Gradient g;
    for (size_t k = 0; k < reads.variables.size(); ++k)
        g.variables.emplace_back(reads.variables[k], byVariables[k]);
    g.parameters.assign(count_, 0.0);
    for (int j = 0; j < count_; ++j) {
        double partial = 0.0;
        for (size_t w = 0; w < reads.values.size(); ++w) {
            const double* value = reads.values[w];
            const std::vector<double*>& others = aliases_[j];
            if (value == parameters_[j] ||
                std::find(others.begin(), others.end(), value) != others.end())
                partial += byValues[w];
        }
        g.parameters[j] = byValue_[j] != 0 ? partial : partial * *parameters_[j];
    }
    return g;
}

EventJumps::Gradient EventJumps::of_math(const kinesim::EventMath& math, const double* y) {
    if (math.reads().rates)
        return by_differences([&math](const double* at) { return math.value(at); }, y);
    std::vector<double> byVariables, byValues;
    math.gradient(y, byVariables, byValues);
    return from_partials(math.reads(), byVariables, byValues);
}

template <typename Function>
EventJumps::Gradient EventJumps::by_differences(const Function& value, const double* y) {
    Gradient g;
    std::copy_n(y, size_, work_.begin());
    auto by_variable = [&](int i) {
        double keep = work_[i], h = kStep * std::max(std::fabs(keep), kVariableFloor);
        work_[i] = keep + h;
        double up = value(work_.data());
        work_[i] = keep - h;
        double down = value(work_.data());
        work_[i] = keep;
        g.variables.emplace_back(i, (up - down) / (2.0 * h));
    };
    for (int i = 0; i < size_; ++i) by_variable(i);
    g.parameters.assign(count_, 0.0);
    for (int j = 0; j < count_; ++j) {
        double* p = parameters_[j];
        const double keep = *p;
        const ParameterStep step = parameter_step(keep, byValue_[j] != 0, kStep);
        auto set_all = [&](double to) {
            *p = to;
            for (double* alias : aliases_[j]) *alias = to;
        };
        set_all(step.up);
        double up = value(work_.data());
        set_all(step.down);
        double down = value(work_.data());
        set_all(keep);
        g.parameters[j] = (up - down) / step.width;
    }
    return g;
}

void EventJumps::total(const Gradient& g, double* out) const {
    for (int j = 0; j < count_; ++j) {
        const double* d = total_.data() + static_cast<size_t>(j) * size_;
        double sum = g.parameters[j];
        for (const auto& [i, dy] : g.variables) sum += dy * d[i];
        out[j] = sum;
    }
}

// g(y(tau), p) = 0 moves tau by -(g_y s + g_p) / (g_y y'); a crossing the state only grazes
// (g_y y' = 0) gives no shift that could be trusted, and none is taken.
void EventJumps::root_time_derivative(int root, const double* y) {
    const kinesim::MathNode* relation = events_.relation(root);
    const kinesim::MathReads& reads = events_.trigger_of_root(root).reads();
    Gradient g;
    if (reads.rates) {
        g = by_differences(
            [relation](const double* at) { return kinesim::relation_gap(relation, at); }, y);
    } else {
        std::vector<double> byVariables, byValues;
        kinesim::relation_gradient(relation, y, reads, byVariables, byValues);
        g = from_partials(reads, byVariables, byValues);
    }
    double speed = 0.0;
    for (const auto& [i, dy] : g.variables) speed += dy * slopes_[i];
    total(g, timeShift_.data());
    for (double& shift : timeShift_) {
        shift = std::isfinite(speed) && std::fabs(speed) > 1e-300 ? -shift / speed : 0.0;
        if (!std::isfinite(shift)) shift = 0.0;
    }
}

void EventJumps::begin(const double* y, const int* directions,
                       const std::vector<const std::vector<double>*>& released) {
    std::fill(timeShift_.begin(), timeShift_.end(), 0.0);
    int root = -1;
    for (int k = 0; directions != nullptr && k < events_.root_count() && root < 0; ++k) {
        if (directions[k] != 0) root = k;
    }
    if (root >= 0) {
        root_time_derivative(root, y);
    } else if (!released.empty() && released.front()->size() >= static_cast<size_t>(count_)) {
        // A delayed event keeps its firing time's derivative last.
        std::copy(released.front()->end() - count_, released.front()->end(), timeShift_.begin());
    }
    for (int j = 0; j < count_; ++j) {
        double* d = total_.data() + static_cast<size_t>(j) * size_;
        for (int i = 0; i < size_; ++i) d[i] += slopes_[i] * timeShift_[j];
    }
}

std::vector<double> EventJumps::on_trigger(size_t event, const double* y) {
    std::vector<double> kept;
    std::vector<double> row(count_);
    if (events_.definition(event).fromTriggerTime) {
        for (const kinesim::StateEvents::Assignment& a : events_.assignments(event)) {
            total(of_math(a.math, y), row.data());
            kept.insert(kept.end(), row.begin(), row.end());
        }
    }
    if (const kinesim::EventMath* delay = events_.delay(event)) {
        total(of_math(*delay, y), row.data());
        for (int j = 0; j < count_; ++j) kept.push_back(timeShift_[j] + row[j]);
    }
    return kept;
}

void EventJumps::on_fire(size_t event, const std::vector<double>& kept, const double* y) {
    const std::vector<kinesim::StateEvents::Assignment>& assignments = events_.assignments(event);
    std::vector<double> rows(assignments.size() * count_);
    for (size_t a = 0; a < assignments.size(); ++a) {
        double* row = rows.data() + a * count_;
        if (events_.definition(event).fromTriggerTime) {
            std::copy_n(kept.begin() + static_cast<long>(a * count_), count_, row);
        } else {
            total(of_math(assignments[a].math, y), row);
        }
    }
    // Every value is computed before any is assigned.
    for (size_t a = 0; a < assignments.size(); ++a) {
        int variable = assignments[a].target.variable;
        if (variable < 0) continue;  // kinefit refuses events that set parameter elements
        for (int j = 0; j < count_; ++j)
            total_[static_cast<size_t>(j) * size_ + variable] = rows[a * count_ + j];
    }
}

}  // namespace kinefit
