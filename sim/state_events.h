// The events of an events file on a running simulation: their triggers watched through root
// functions (one per relation), and at a crossing, or when a time event changes a parameter,
// every event whose trigger turned from false to true fires: by priority, the highest first,
// its values computed when it was triggered or when it fires as the event says, each event's
// values all computed before any is assigned, and the triggers looked at again after each one
// (a trigger that turned true fires too; a non-persistent event whose trigger turned false is
// dropped).
#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "event_file.h"
#include "event_math.h"
#include "kine.h"
#include "param_reader.h"

namespace kinesim {

// The names of an events or initial-values file: y[tag] and x[tag] a variable (by `tags`),
// rate.<tag> a differential variable's rate (from `rates`), label[k] the parameter element of a
// PARAM row of `file` in `record`.
NameResolver model_name_resolver(const std::vector<std::string>& tags, int algebraicCount,
                                 const ParameterFile& file, Parameter* record,
                                 const RateSource* rates);

// What a caller that carries sensitivities across the events sees of them (kinefit): when a
// cascade of firings begins, each trigger and each firing.
class FiringObserver {
  public:
    virtual ~FiringObserver() = default;
    // Firings may follow at y: after a root (`directions` from the root finder), at a stop where
    // delayed events are due (`released`: what on_trigger returned for each), or at the start or
    // a change of parameters (neither).
    virtual void begin(const double* y, const int* directions,
                       const std::vector<const std::vector<double>*>& released) = 0;
    // Event `event` was triggered at y; what this returns is kept with it until it fires.
    virtual std::vector<double> on_trigger(size_t event, const double* y) = 0;
    // Event `event` is about to assign at y; `kept` is what on_trigger returned.
    virtual void on_fire(size_t event, const std::vector<double>& kept, const double* y) = 0;
};

class StateEvents {
  public:
    StateEvents() = default;
    StateEvents(const StateEvents&) = delete;
    StateEvents& operator=(const StateEvents&) = delete;
    ~StateEvents();  // puts back the parameters the events set

    // Compiles the events against the state (`tags`, the first `algebraicCount` algebraic) and
    // the parameter record filled from `file`; `rates` gives rate.<id> (the right-hand side).
    // 0, or -1 after logging the file, line and fault.
    int load(const std::string& path, const std::vector<EventDefinition>& definitions,
             const std::vector<std::string>& tags, int algebraicCount, const ParameterFile& file,
             Parameter* record, RateSource rates);

    struct Assignment {
        NameTarget target;
        EventMath math;
    };

    bool empty() const { return events_.empty(); }
    size_t event_count() const { return events_.size(); }
    const EventDefinition& definition(size_t event) const { return events_[event].definition; }
    const std::vector<Assignment>& assignments(size_t event) const {
        return events_[event].assignments;
    }
    // The delay of an event, null when it has none.
    const EventMath* delay(size_t event) const {
        return events_[event].hasDelay ? &events_[event].delay : nullptr;
    }
    // Root k's relation and the trigger it stands in.
    const MathNode* relation(int k) const { return relations_[static_cast<size_t>(k)]; }
    const EventMath& trigger_of_root(int k) const {
        return events_[rootEvents_[static_cast<size_t>(k)]].trigger;
    }
    void set_observer(FiringObserver* observer) { observer_ = observer; }

    // When the next delayed event is due (infinity when none is): the solver stops there and
    // calls after_change.
    double next_scheduled() const;
    int root_count() const { return static_cast<int>(relations_.size()); }
    // The gaps of the relations at y, into g[root_count()].
    void roots(const double* y, double* g) const;

    // Makes the algebraic variables of y consistent again after an assignment; 0 or -1.
    using Settle = std::function<int(double* y)>;

    // At the start: each trigger takes its initial value, then what is true fires. The number of
    // events fired, or -1 after logging (events that keep triggering one another, or algebraic
    // variables that cannot be settled after an assignment).
    int start(double* y, double time, const Settle& settle);
    // After a crossing (`directions` from the root finder: +1, -1 or 0 per root) or a change
    // of parameters (`directions` null, y settled). As start().
    int after_change(double* y, double time, const int* directions, const Settle& settle);

  private:
    struct Compiled {
        EventDefinition definition;
        EventMath trigger;
        EventMath priority;
        bool hasPriority = false;
        EventMath delay;
        bool hasDelay = false;
        std::vector<Assignment> assignments;
        bool previous = false;
    };
    struct Pending {
        size_t event;
        std::vector<double> values;  // computed when triggered, where the event says so
        double due = 0.0;            // of a delayed event: when it fires
        std::vector<double> kept;    // what the observer keeps with it
    };

    int compile(const std::string& path, const EventDefinition& definition,
                const NameResolver& resolve, int algebraicCount);
    bool triggered(size_t event, const double* y) const;
    Pending pend(size_t event, const double* y) const;
    void trigger_now(size_t event, const double* y, double time, std::vector<Pending>& pending);
    void release_due(double time, std::vector<Pending>& pending);
    std::vector<double> values_of(const Compiled& event, const double* y) const;
    size_t highest(const std::vector<Pending>& pending, const double* y);
    void assign(const Compiled& event, const std::vector<double>& values, double* y);
    void keep_overrides_still_at_root(const double* y);
    void look_again(const double* y, double time, std::vector<Pending>& pending);
    int fire(double* y, double time, const int* directions, const Settle& settle);

    RateSource rates_;
    std::vector<Compiled> events_;
    std::vector<const MathNode*> relations_;
    std::vector<size_t> rootEvents_;  // the event of each relation
    int timeVariable_ = -1;           // the model's time, set to the event time exactly
    FiringObserver* observer_ = nullptr;
    std::vector<Pending> scheduled_;           // delayed events triggered, not yet fired
    std::vector<RelationOverride> overrides_;  // relations at their root just now
    std::vector<double> overrideGaps_;
    std::vector<std::pair<double*, double>> saved_;
    std::mt19937 random_{kSeed};  // a fixed seed: a run gives the same course every time
    static constexpr unsigned kSeed = 20201;
};

}  // namespace kinesim
