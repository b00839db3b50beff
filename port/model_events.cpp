#include "model_events.h"

#include <sbml/SBMLTypes.h>

#include "expr_node.h"
#include "log.h"
#include "model_rules.h"

namespace kineport {
namespace {

int fault(const ModelEvents& events, int line, const std::string& what) {
    log_sys("%s:%d: %s.\n", events.path.c_str(), line, what.c_str());
    return -1;
}

// The math of one text of the file, its names the model's ids; null after logging.
std::unique_ptr<ASTNode> event_math(const DaeSource& source, const ModelIds& ids,
                                    const ModelEvents& events, const std::string& text, int line,
                                    const std::string& what) {
    if (text.find("rate.") != std::string::npos) {
        fault(events, line,
              what + " reads the rate of a variable, which an exported model cannot say");
        return nullptr;
    }
    ExprNode* tree = nullptr;
    if (Make_node(&tree, text) != 0) {
        fault(events, line, what + " cannot be parsed");
        return nullptr;
    }
    return dae_math(source, ids, tree,
                    what + " (" + events.path + " line " + std::to_string(line) + ")");
}

// The id an event's SET line assigns; "" after logging.
std::string target_id(Model& model, const DaeSource& source, const ModelIds& ids,
                      const ModelEvents& events, const std::string& event,
                      const kinesim::EventAssignmentText& set) {
    Symbol symbol;
    std::string problem;
    if (resolve_name(source.model, set.target, symbol, problem) != 0) {
        fault(events, set.line, "event " + event + ": " + problem);
        return "";
    }
    if (symbol.kind == SymbolKind::Temporary) {
        fault(events, set.line,
              "event " + event + " sets " + set.target + ", which an assignment rule gives");
        return "";
    }
    std::string id = id_of_symbol(ids, symbol);
    if (id.empty()) {
        fault(events, set.line,
              "event " + event + " sets " + set.target + ", which has no PARAM row");
        return "";
    }
    if (Parameter* parameter = model.getParameter(id)) parameter->setConstant(false);
    return id;
}

int add_event(Model& model, const DaeSource& source, const ModelIds& ids, const ModelEvents& events,
              const kinesim::EventDefinition& definition, const std::string& id) {
    const std::string& name = definition.id;
    Event* event = model.createEvent();
    event->setId(id);
    event->setUseValuesFromTriggerTime(definition.fromTriggerTime);
    Trigger* trigger = event->createTrigger();
    trigger->setInitialValue(definition.initialValue);
    trigger->setPersistent(definition.persistent);
    auto math = event_math(source, ids, events, definition.trigger, definition.triggerLine,
                           "the trigger of event " + name);
    if (!math) return -1;
    trigger->setMath(math.get());
    if (!definition.priority.empty()) {
        math = event_math(source, ids, events, definition.priority, definition.priorityLine,
                          "the priority of event " + name);
        if (!math) return -1;
        event->createPriority()->setMath(math.get());
    }
    if (!definition.delay.empty()) {
        math = event_math(source, ids, events, definition.delay, definition.delayLine,
                          "the delay of event " + name);
        if (!math) return -1;
        event->createDelay()->setMath(math.get());
    }
    for (const kinesim::EventAssignmentText& set : definition.assignments) {
        std::string target = target_id(model, source, ids, events, name, set);
        if (target.empty()) return -1;
        math = event_math(source, ids, events, set.math, set.line,
                          "the value event " + name + " sets " + set.target + " to");
        if (!math) return -1;
        EventAssignment* assignment = event->createEventAssignment();
        assignment->setVariable(target);
        assignment->setMath(math.get());
    }
    return 0;
}

}  // namespace

int add_model_events(Model& model, const DaeSource& source, const ModelIds& ids,
                     const ModelEvents& events) {
    const size_t first = ids.events.size() - events.definitions.size();
    for (size_t k = 0; k < events.definitions.size(); ++k) {
        if (add_event(model, source, ids, events, events.definitions[k], ids.events[first + k]) !=
            0) {
            return -1;
        }
    }
    return 0;
}

}  // namespace kineport
