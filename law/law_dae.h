// What kinelaw writes: a DAE file's sections, filled from an SBML model's own mathematics.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kinelaw {

// One element label[k] of the Parameters section, or constantPlayer[k].
struct DaeValue {
    std::string tag;              // the SBML id (a local parameter: reaction.id)
    std::optional<double> value;  // none: the model gives no value
};

// A label of the Used Parameters section and its elements, element k at index k-1.
struct DaeLabel {
    std::string label;
    std::string meaning;  // the "### label: meaning" comment line
    std::vector<DaeValue> elements;
};

struct DaeVariable {
    std::string name;             // y[name]
    std::optional<double> start;  // initial value
};

// A temporary (name = text) or a differential equation (dydt[name] = text).
struct DaeDefinition {
    std::string name;
    std::string text;
};

// How one SBML id reaches the DAE file, for the usage file.
struct SymbolUse {
    std::string id;
    std::string daeName;  // y[S1], x[A], par[2], constantPlayer[1]
    std::string kind;     // species, compartment, parameter, stoichiometry
    std::string compartment;  // of a species
    bool inAmount = false;    // a species whose symbol is its amount, not its concentration
};

// An SBML event: when its trigger turns true, each target (y[S], par[2], ...) takes its value.
struct DaeEvent {
    std::string id;
    std::string trigger;
    bool initialValue = true;     // the trigger's value before the start
    bool persistent = true;       // stays triggered when the trigger turns false before it fires
    bool fromTriggerTime = true;  // values computed when triggered rather than when fired
    std::string priority;         // empty: none
    std::string delay;            // empty: none
    std::vector<DaeDefinition> assignments;  // name: the target's DAE name
};

struct LawDae {
    std::string title;
    std::string info;
    std::vector<DaeValue> constants;  // constantPlayer[k]
    std::vector<DaeLabel> labels;
    std::vector<DaeVariable> algebraicVariables;  // x[name]: the targets of assignment rules
    std::vector<DaeVariable> variables;           // y[name]
    std::vector<DaeDefinition> temporaries;       // each after the ones it reads
    // x[name] = text for an assignment rule, 0 = text (no name) for an algebraic rule
    std::vector<DaeDefinition> algebraicEquations;
    std::vector<DaeDefinition> equations;  // dydt[name] = text, one per variable, in their order
    std::vector<SymbolUse> uses;
    std::vector<DaeEvent> events;
    // target = math of the initial values computed from other values, each after what it reads
    std::vector<DaeDefinition> startFormulas;
    std::vector<std::string> startsKept;  // why an initial value is kept as a number
};

// Writes the DAE file's text.
std::string dae_text(const LawDae& dae);

// The events file's text (docs/kinelaw.md): one block per event, in the model's order.
std::string events_text(const LawDae& dae);

// The initial-values file's text: one line "<target> = <math>" per formula, in their order.
std::string initial_values_text(const LawDae& dae);

}  // namespace kinelaw
