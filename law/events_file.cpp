#include "law_dae.h"

namespace kinelaw {
namespace {

const char* flag(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::string events_text(const LawDae& dae) {
    std::string out = "# events of " + dae.title +
                      ": one block per SBML event, in the model's order (kinesim -E reads it)\n";
    for (const DaeEvent& event : dae.events) {
        out += "EVENT " + event.id + "\n";
        out += "TRIGGER " + event.trigger + "\n";
        out += std::string("INITIAL_VALUE ") + flag(event.initialValue) + "\n";
        out += std::string("PERSISTENT ") + flag(event.persistent) + "\n";
        out += std::string("VALUES_FROM_TRIGGER_TIME ") + flag(event.fromTriggerTime) + "\n";
        if (!event.priority.empty()) out += "PRIORITY " + event.priority + "\n";
        if (!event.delay.empty()) out += "DELAY " + event.delay + "\n";
        for (const DaeDefinition& set : event.assignments) {
            out += "SET " + set.name + " = " + set.text + "\n";
        }
        out += "END\n";
    }
    return out;
}

}  // namespace kinelaw
