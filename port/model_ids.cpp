#include "model_ids.h"

#include "sbml_ids.h"

namespace kineport {

const char* const kCompartmentId = "compartment";

namespace {

// Ids that formula readers of SBML and of parameter-estimation tables take for constants or
// functions.
const std::set<std::string>& reserved_ids() {
    static const std::set<std::string> reserved{
        kCompartmentId, "time", "avogadro", "pi",  "e",   "exponentiale", "true",
        "false",        "inf",  "infinity", "nan", "NaN", "notanumber",   "INF"};
    return reserved;
}

}  // namespace

std::string element_name(const DaeModel& model, int labelRow, int element) {
    const ParamLabel& label = model.paramLabels[labelRow];
    const std::string& tag = label.elements[element].tag;
    return tag.empty() ? label.label + "[" + std::to_string(element + 1) + "]" : tag;
}

ModelIds assign_model_ids(const DaeSource& source, const ModelValues& values,
                          const std::vector<std::string>& eventNames) {
    const DaeModel& model = source.model;
    std::vector<std::string> names;
    for (const VariableEntry& variable : model.variables) names.push_back(variable.name);
    for (const ElementValue& value : values.elements) {
        names.push_back(element_name(model, value.labelRow, value.element));
    }
    for (const ExprEntry& temporary : model.temporaries) names.push_back(temporary.name);
    for (size_t k = 0; k < values.events.size(); ++k)
        names.push_back("T_EVENT_" + std::to_string(k + 1));
    names.insert(names.end(), eventNames.begin(), eventNames.end());
    std::vector<std::string> unique = unique_ids(names, reserved_ids());

    ModelIds ids;
    auto next = unique.begin();
    ids.variables.assign(next, next + model.variables.size());
    next += model.variables.size();
    for (const ParamLabel& label : model.paramLabels) {
        ids.elements.emplace_back(label.elements.size());
    }
    for (const ElementValue& value : values.elements) {
        ids.elements[value.labelRow][value.element] = *next++;
    }
    ids.temporaries.assign(next, next + model.temporaries.size());
    ids.events.assign(next + model.temporaries.size(), unique.end());
    return ids;
}

std::set<std::string> taken_ids(const ModelIds& ids) {
    std::set<std::string> taken = reserved_ids();
    taken.insert(ids.variables.begin(), ids.variables.end());
    taken.insert(ids.temporaries.begin(), ids.temporaries.end());
    taken.insert(ids.events.begin(), ids.events.end());
    for (const std::vector<std::string>& label : ids.elements) {
        taken.insert(label.begin(), label.end());
    }
    taken.erase("");
    return taken;
}

std::string id_of_symbol(const ModelIds& ids, const Symbol& symbol) {
    switch (symbol.kind) {
        case SymbolKind::Variable:
            return ids.variables[symbol.row];
        case SymbolKind::Temporary:
            return ids.temporaries[symbol.row];
        case SymbolKind::Element:
            break;
    }
    return ids.elements[symbol.row][symbol.element];
}

}  // namespace kineport
