#include "state_events.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "format.h"
#include "log.h"
#include "own_kinetics.h"

namespace kinesim {
namespace {

// More firings than this at one time are events that keep triggering one another.
constexpr int kMaxFiringsAtOneTime = 10000;

int fault(const std::string& path, int line, const std::string& what) {
    log_sys("%s:%d: %s.\n", path.c_str(), line, what.c_str());
    return -1;
}

}  // namespace

NameResolver model_name_resolver(const std::vector<std::string>& tags, int algebraicCount,
                                 const ParameterFile& file, Parameter* record,
                                 const RateSource* rates) {
    std::map<std::string, int> variables;
    for (size_t i = 0; i < tags.size(); ++i) variables.emplace(tags[i], static_cast<int>(i));
    std::map<std::string, int> slots;
    for (size_t i = 0; i < file.labels.size(); ++i)
        slots.emplace(file.labels[i], static_cast<int>(i) + 1);
    std::map<std::string, std::pair<int, int>> elements;
    for (const ParamValueRow& row : file.params) {
        auto slot = slots.find(row.label);
        if (slot != slots.end()) {
            elements[row.label + "[" + std::to_string(row.index) + "]"] = {slot->second, row.index};
        }
    }
    return [variables, elements, record, rates, algebraicCount](
               const std::string& name, NameTarget& target, std::string& problem) {
        if (name.rfind("rate.", 0) == 0) {
            auto found = variables.find(name.substr(5));
            if (found == variables.end() || found->second < algebraicCount) {
                problem = name + " is the rate of no differential variable of the model";
                return -1;
            }
            target.variable = found->second;
            target.rates = rates;
            return 0;
        }
        size_t open = name.find('[');
        std::string label = name.substr(0, open);
        if (label == "y" || label == "x") {
            auto found = variables.find(name.substr(open + 1, name.size() - open - 2));
            if (found != variables.end()) {
                target.variable = found->second;
                return 0;
            }
            problem = name + " is no variable of the model";
            return -1;
        }
        auto found = elements.find(name);
        if (found == elements.end()) {
            problem = name + " is no variable and no parameter element with a PARAM row";
            return -1;
        }
        target.value = &record->val[found->second.first][found->second.second];
        return 0;
    };
}

StateEvents::~StateEvents() {
    for (auto at = saved_.rbegin(); at != saved_.rend(); ++at) *at->first = at->second;
}

int StateEvents::load(const std::string& path, const std::vector<EventDefinition>& definitions,
                      const std::vector<std::string>& tags, int algebraicCount,
                      const ParameterFile& file, Parameter* record, RateSource rates) {
    rates_ = std::move(rates);
    NameResolver resolve = model_name_resolver(tags, algebraicCount, file, record, &rates_);
    for (const EventDefinition& definition : definitions) {
        if (compile(path, definition, resolve, algebraicCount) != 0) return -1;
    }
    for (size_t e = 0; e < events_.size(); ++e) {
        const Compiled& event = events_[e];
        for (const MathNode* relation : event.trigger.relations()) {
            relations_.push_back(relation);
            rootEvents_.push_back(e);
        }
        for (const Assignment& a : event.assignments) {
            if (a.target.value != nullptr) saved_.emplace_back(a.target.value, *a.target.value);
        }
    }
    auto time = std::find(tags.begin(), tags.end(), zymorax::kModelTimeTag);
    timeVariable_ = time == tags.end() ? -1 : static_cast<int>(time - tags.begin());
    return 0;
}

int StateEvents::compile(const std::string& path, const EventDefinition& definition,
                         const NameResolver& resolve, int algebraicCount) {
    Compiled event;
    event.definition = definition;
    std::string problem;
    if (event.trigger.parse(definition.trigger, resolve, problem) != 0) {
        return fault(path, definition.triggerLine,
                     "the trigger of event " + definition.id + ": " + problem);
    }
    if (!definition.delay.empty()) {
        if (event.delay.parse(definition.delay, resolve, problem) != 0) {
            return fault(path, definition.delayLine,
                         "the delay of event " + definition.id + ": " + problem);
        }
        event.hasDelay = true;
    }
    if (!definition.priority.empty()) {
        if (event.priority.parse(definition.priority, resolve, problem) != 0) {
            return fault(path, definition.priorityLine,
                         "the priority of event " + definition.id + ": " + problem);
        }
        event.hasPriority = true;
    }
    for (const EventAssignmentText& set : definition.assignments) {
        Assignment assignment;
        if (resolve(set.target, assignment.target, problem) != 0) {
            return fault(path, set.line, "event " + definition.id + ": " + problem);
        }
        if (assignment.target.rates != nullptr) {
            return fault(path, set.line,
                         "event " + definition.id + " sets " + set.target + ", a rate");
        }
        if (assignment.target.variable >= 0 && assignment.target.variable < algebraicCount) {
            return fault(path, set.line,
                         "event " + definition.id + " sets " + set.target +
                             ", an algebraic variable, which its equation determines");
        }
        if (assignment.math.parse(set.math, resolve, problem) != 0) {
            return fault(
                path, set.line,
                "the value event " + definition.id + " sets " + set.target + " to: " + problem);
        }
        event.assignments.push_back(std::move(assignment));
    }
    events_.push_back(std::move(event));
    return 0;
}

void StateEvents::roots(const double* y, double* g) const {
    for (size_t k = 0; k < relations_.size(); ++k) g[k] = relation_gap(relations_[k], y);
}

bool StateEvents::triggered(size_t event, const double* y) const {
    return events_[event].trigger.value(y, overrides_) != 0.0;
}

std::vector<double> StateEvents::values_of(const Compiled& event, const double* y) const {
    std::vector<double> values;
    for (const Assignment& a : event.assignments) values.push_back(a.math.value(y));
    return values;
}

StateEvents::Pending StateEvents::pend(size_t event, const double* y) const {
    Pending pending{event, {}, 0.0, {}};
    if (events_[event].definition.fromTriggerTime) pending.values = values_of(events_[event], y);
    if (observer_ != nullptr) pending.kept = observer_->on_trigger(event, y);
    return pending;
}

// The pending event of the highest priority now (one without a priority comes last); of equal
// ones, one drawn at random, as SBML leaves their order to chance.
size_t StateEvents::highest(const std::vector<Pending>& pending, const double* y) {
    std::vector<size_t> best;
    double bestPriority = -std::numeric_limits<double>::infinity();
    for (size_t k = 0; k < pending.size(); ++k) {
        const Compiled& event = events_[pending[k].event];
        double priority =
            event.hasPriority ? event.priority.value(y) : -std::numeric_limits<double>::infinity();
        if (best.empty() || priority > bestPriority) {
            best.assign(1, k);
            bestPriority = priority;
        } else if (priority == bestPriority) {
            best.push_back(k);
        }
    }
    if (best.size() == 1) return best[0];
    return best[std::uniform_int_distribution<size_t>(0, best.size() - 1)(random_)];
}

void StateEvents::assign(const Compiled& event, const std::vector<double>& values, double* y) {
    for (size_t k = 0; k < event.assignments.size(); ++k) {
        const NameTarget& target = event.assignments[k].target;
        if (target.variable >= 0) {
            y[target.variable] = values[k];
        } else {
            *target.value = values[k];
        }
    }
}

// A relation found at its root keeps the value its crossing gave while what it reads moved by
// no more than the rounding of settling the algebraic variables again.
void StateEvents::keep_overrides_still_at_root(const double* y) {
    for (size_t k = overrides_.size(); k-- > 0;) {
        double moved = std::fabs(relation_gap(overrides_[k].relation, y) - overrideGaps_[k]);
        if (moved <= 1e-9 * relation_scale(overrides_[k].relation, y) + 1e-300) continue;
        overrides_.erase(overrides_.begin() + static_cast<long>(k));
        overrideGaps_.erase(overrideGaps_.begin() + static_cast<long>(k));
    }
}

double StateEvents::next_scheduled() const {
    double next = std::numeric_limits<double>::infinity();
    for (const Pending& p : scheduled_) next = std::min(next, p.due);
    return next;
}

// A triggered event is pending now, or, with a delay (from the values now), scheduled.
void StateEvents::trigger_now(size_t event, const double* y, double time,
                              std::vector<Pending>& pending) {
    Pending p = pend(event, y);
    double delay = events_[event].hasDelay ? events_[event].delay.value(y) : 0.0;
    if (!(delay > 0.0)) {
        pending.push_back(std::move(p));
        return;
    }
    p.due = time + delay;
    scheduled_.push_back(std::move(p));
}

// Delayed events whose time has come join the pending ones.
void StateEvents::release_due(double time, std::vector<Pending>& pending) {
    for (size_t k = 0; k < scheduled_.size();) {
        if (scheduled_[k].due <= time) {
            pending.push_back(std::move(scheduled_[k]));
            scheduled_.erase(scheduled_.begin() + static_cast<long>(k));
        } else {
            ++k;
        }
    }
}

void StateEvents::look_again(const double* y, double time, std::vector<Pending>& pending) {
    for (size_t i = 0; i < events_.size(); ++i) {
        bool now = triggered(i, y);
        if (!events_[i].previous && now) trigger_now(i, y, time, pending);
        if (events_[i].previous && !now && !events_[i].definition.persistent) {
            auto same = [i](const Pending& p) { return p.event == i; };
            pending.erase(std::remove_if(pending.begin(), pending.end(), same), pending.end());
            scheduled_.erase(std::remove_if(scheduled_.begin(), scheduled_.end(), same),
                             scheduled_.end());
        }
        events_[i].previous = now;
    }
}

int StateEvents::fire(double* y, double time, const int* directions, const Settle& settle) {
    std::vector<Pending> pending;
    int fired = 0;
    if (timeVariable_ >= 0) y[timeVariable_] = time;
    release_due(time, pending);
    if (observer_ != nullptr) {
        std::vector<const std::vector<double>*> released;
        for (const Pending& p : pending) released.push_back(&p.kept);
        observer_->begin(y, directions, released);
    }
    look_again(y, time, pending);
    while (!pending.empty()) {
        if (++fired > kMaxFiringsAtOneTime) {
            log_sys(
                "At t = %s the events fired more than %d times: they keep triggering one "
                "another (event %s among them).\n",
                zymorax::format("%.10g", time).c_str(), kMaxFiringsAtOneTime,
                events_[pending.front().event].definition.id.c_str());
            return -1;
        }
        size_t next = highest(pending, y);
        Pending chosen = pending[next];
        pending.erase(pending.begin() + static_cast<long>(next));
        const Compiled& event = events_[chosen.event];
        if (observer_ != nullptr) observer_->on_fire(chosen.event, chosen.kept, y);
        assign(event, event.definition.fromTriggerTime ? chosen.values : values_of(event, y), y);
        if (settle(y) != 0) return -1;
        keep_overrides_still_at_root(y);
        look_again(y, time, pending);
    }
    return fired;
}

int StateEvents::start(double* y, double time, const Settle& settle) {
    for (Compiled& event : events_) event.previous = event.definition.initialValue;
    scheduled_.clear();
    overrides_.clear();
    overrideGaps_.clear();
    random_.seed(kSeed);
    return fire(y, time, nullptr, settle);
}

int StateEvents::after_change(double* y, double time, const int* directions, const Settle& settle) {
    overrides_.clear();
    overrideGaps_.clear();
    for (size_t k = 0; directions != nullptr && k < relations_.size(); ++k) {
        if (directions[k] == 0) continue;
        overrides_.push_back(
            {relations_[k], relation_after_crossing(relations_[k], directions[k])});
        overrideGaps_.push_back(relation_gap(relations_[k], y));
    }
    int fired = fire(y, time, directions, settle);
    overrides_.clear();
    overrideGaps_.clear();
    return fired;
}

}  // namespace kinesim
