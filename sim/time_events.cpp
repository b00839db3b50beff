#include "time_events.h"

#include <algorithm>
#include <map>

#include "format.h"
#include "log.h"

namespace kinesim {

std::vector<TimeEvent> schedule_time_events(const ParameterFile& file) {
    std::map<std::string, int> slotOf;
    for (size_t i = 0; i < file.labels.size(); ++i)
        slotOf[file.labels[i]] = static_cast<int>(i) + 1;
    std::vector<TimeEvent> events;
    for (const EventRow& row : file.events) {
        events.push_back({row.line, row.time, slotOf[row.label], row.index, row.value});
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const TimeEvent& a, const TimeEvent& b) { return a.time < b.time; });
    return events;
}

int report_events_outside(const ParameterFile& file, const std::vector<TimeEvent>& events,
                          double start, double end) {
    int outside = 0;
    for (const TimeEvent& event : events) {
        if (event.time >= start && event.time <= end) continue;
        log_sys(
            "%s:%d: the T_EVENT at t = %s lies outside the simulated time %s to %s; it is "
            "not applied.\n",
            file.path.c_str(), event.line, zymorax::format("%.10g", event.time).c_str(),
            zymorax::format("%.10g", start).c_str(), zymorax::format("%.10g", end).c_str());
        ++outside;
    }
    return outside;
}

EventApplication::EventApplication(Parameter* record, const std::vector<TimeEvent>& events)
    : record_(record), events_(events) {
    for (const TimeEvent& event : events) {
        double* target = &record->val[event.slot][event.element];
        saved_.emplace_back(target, *target);
    }
}

EventApplication::~EventApplication() {
    // Backwards, so that a target set twice gets its first value.
    for (auto at = saved_.rbegin(); at != saved_.rend(); ++at) *at->first = at->second;
}

void EventApplication::skip_before(double start) {
    while (pending() && events_[next_].time < start) ++next_;
}

bool EventApplication::due(double time) const {
    return pending() && events_[next_].time <= time;
}

void EventApplication::apply_next(std::vector<double*>& changed) {
    changed.clear();
    double time = events_[next_].time;
    for (; next_ < events_.size() && events_[next_].time == time; ++next_) {
        double* target = &record_->val[events_[next_].slot][events_[next_].element];
        *target = events_[next_].value;
        changed.push_back(target);
    }
}

}  // namespace kinesim
