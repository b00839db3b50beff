// The forward sensitivities across the events of an events file. At an event time tau the state
// jumps; tau itself moves with the parameters where a trigger's relation g(y, p) crosses 0
// (d tau = -(g_y s + g_p) / (g_y y')) or a delay does. Along the jump the state's total
// derivative by log p_j (by p_j itself for a linear search) is D = s- + y'- dtau at first; each firing replaces the rows it assigns
// by the total derivative of its values (h_y D + h_p), taken when the values are computed
// (the trigger time or the firing time, as the event says); afterwards s+ = D - f(y+) dtau.
// The partial derivatives of the events' math are exact (EventMath::gradient), but for math that
// reads a rate, whose derivatives run through the whole right-hand side: central differences
// there. The algebraic rows of s+ are made consistent by the solver.
#pragma once

#include <vector>

#include "parameter_jacobian.h"
#include "state_events.h"

namespace kinefit {

class EventJumps : public kinesim::FiringObserver {
  public:
    // `parameters`: the values of the estimated parameters in the record the events read.
    // `byValue`: per parameter, whether its derivatives are by its value rather than its log.
    // `aliases`: per parameter, the other elements that carry its value.
    EventJumps(const kinesim::StateEvents& events, const std::vector<double*>& parameters,
               const std::vector<char>& byValue, const kinesim::ParameterAliases& aliases,
               int size, int algebraicCount);

    // The sensitivities s[j] (size values each) and the slopes y' just before events may fire.
    void prepare(const std::vector<const double*>& sensitivities, const double* slopes);
    // The sensitivities just after the events fired, from the right-hand side f(y+) there.
    void finish(const double* rates, const std::vector<double*>& sensitivities) const;

    void begin(const double* y, const int* directions,
               const std::vector<const std::vector<double>*>& released) override;
    std::vector<double> on_trigger(size_t event, const double* y) override;
    void on_fire(size_t event, const std::vector<double>& kept, const double* y) override;

  private:
    // dE / dy_i over the variables E reads and dE / dlog p_j, at y.
    struct Gradient {
        std::vector<std::pair<int, double>> variables;
        std::vector<double> parameters;
    };
    // From the partials by reads' variables and values, the values scaled to log p_j.
    Gradient from_partials(const kinesim::MathReads& reads, const std::vector<double>& byVariables,
                           const std::vector<double>& byValues) const;
    Gradient of_math(const kinesim::EventMath& math, const double* y);
    // By central differences in every variable and parameter (math that reads a rate).
    template <typename Function>
    Gradient by_differences(const Function& value, const double* y);
    // The total derivatives d E / dlog p_j along the jump, into out[j].
    void total(const Gradient& g, double* out) const;
    void root_time_derivative(int root, const double* y);

    const kinesim::StateEvents& events_;
    const std::vector<double*>& parameters_;
    std::vector<char> byValue_;
    kinesim::ParameterAliases aliases_;
    int size_, algebraicCount_, count_;
    std::vector<double> total_;      // D: [j * size + i]
    std::vector<double> slopes_;     // y' before the jump
    std::vector<double> timeShift_;  // d tau / dlog p_j
    std::vector<double> work_;
};

}  // namespace kinefit
