// The parameter file's T_EVENT rows as a schedule: at its time, each sets one parameter element
// to its value. Integrators stop at each time, apply the events of that time in file order, make
// the algebraic variables consistent again and restart.
#pragma once

#include <algorithm>
#include <vector>

#include "kine.h"
#include "param_reader.h"

namespace kinesim {

struct TimeEvent {
    int line = 0;  // of the T_EVENT row
    double time = 0.0;
    int slot = 0;  // p->val[slot][element], both from 1
    int element = 0;
    double value = 0.0;
};

// The events by time, file order kept at equal times.
std::vector<TimeEvent> schedule_time_events(const ParameterFile& file);

// Logs each event whose time lies outside [start, end]: it is not applied. The number logged.
int report_events_outside(const ParameterFile& file, const std::vector<TimeEvent>& events,
                          double start, double end);

// Sets, for the time of one integration, the parameters the events change, and puts the values
// they had back when it ends: the record is shared with the next integration.
class EventApplication {
  public:
    EventApplication(Parameter* record, const std::vector<TimeEvent>& events);
    EventApplication(const EventApplication&) = delete;
    EventApplication& operator=(const EventApplication&) = delete;
    ~EventApplication();

    // Passes over the events before `start`, which are not applied.
    void skip_before(double start);
    // Whether an event is due at or before `time`; the time of the next one in `next`.
    bool due(double time) const;
    bool pending() const { return next_ < events_.size(); }
    double next_time() const { return events_[next_].time; }
    // Where an integration to `end` has to stop first: the next event, or else `end`.
    double stop_before(double end) const { return pending() ? std::min(next_time(), end) : end; }
    // Applies every event of the next event time; the targets set, in `changed`.
    void apply_next(std::vector<double*>& changed);

  private:
    Parameter* record_;
    const std::vector<TimeEvent>& events_;
    size_t next_ = 0;
    std::vector<std::pair<double*, double>> saved_;
};

}  // namespace kinesim
