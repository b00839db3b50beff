#include "start_values.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "log.h"
#include "math_value.h"

namespace kinelaw {
namespace {

using Values = std::map<std::string, double>;

// A value still to be found: `compute` gives it once its inputs are known.
struct Pending {
    std::string id;
    std::string element;  // named in a message
    std::function<MathValue(const SymbolValue&)> compute;
    // A reaction's rate is found if it can be; the kinetic laws are checked on their own.
    bool optional = false;
    // An assignment rule's value is only the guess its algebraic variable is solved from: one
    // that cannot be evaluated here (rateOf) is left to that, a division by zero is not.
    bool guessable = false;
};

SymbolValue lookup(const Values& values) {
    return [&values](const std::string& id) -> std::optional<double> {
        auto it = values.find(id);
        if (it == values.end()) return std::nullopt;
        return it->second;
    };
}

bool assigned(const Model& model, const std::string& id);

// A species' value from its initial amount or concentration, converted to its symbol's units.
Pending species_start(const Model& model, const Species& s) {
    const bool amount = counted_in_amount(model, s);
    const std::string compartment = s.getCompartment();
    const bool givenAmount = s.isSetInitialAmount();
    const double given = givenAmount ? s.getInitialAmount() : s.getInitialConcentration();
    return {s.getId(), "species " + s.getId(), [=](const SymbolValue& values) {
                MathValue result;
                std::optional<double> size = values(compartment);
                if (amount == givenAmount) {
                    result.value = given;
                } else if (size) {
                    result.value = givenAmount ? given / *size : given * *size;
                }
                return result;
            }};
}

// The rate of a species from the rates of the reactions it stands in, in its symbol's units.
std::optional<double> species_rate(const Model& model, const Species& s, const SymbolValue& values) {
    if (s.getBoundaryCondition() || s.getConstant()) return 0.0;
    double sum = 0.0;
    for (unsigned i = 0; i < model.getNumReactions(); ++i) {
        const Reaction& r = *model.getReaction(i);
        for (int side = 0; side < 2; ++side) {
            const ListOf* list = side == 0 ? r.getListOfReactants() : r.getListOfProducts();
            for (unsigned j = 0; j < list->size(); ++j) {
                const auto& ref = static_cast<const SpeciesReference&>(*list->get(j));
                if (ref.getSpecies() != s.getId()) continue;
                std::optional<double> rate = values(r.getId());
                std::optional<double> stoichiometry =
                    ref.isSetId() ? values(ref.getId()) : std::optional<double>(ref.getStoichiometry());
                if (!rate || !stoichiometry || ref.isSetStoichiometryMath()) return std::nullopt;
                sum += (side == 0 ? -1.0 : 1.0) * *stoichiometry * *rate;
            }
        }
    }
    const std::string& factor = s.isSetConversionFactor() ? s.getConversionFactor()
                                                           : model.getConversionFactor();
    if (!factor.empty()) {
        std::optional<double> f = values(factor);
        if (!f) return std::nullopt;
        sum *= *f;
    }
    if (counted_in_amount(model, s)) return sum;
    // A size that changes would add its dilution: not evaluated here.
    const std::string& c = s.getCompartment();
    if (model.getRateRule(c) != nullptr || model.getAssignmentRule(c) != nullptr) return std::nullopt;
    std::optional<double> size = values(c);
    return size ? std::optional<double>(sum / *size) : std::nullopt;
}

// rateOf at the start: a rate rule's value, a species' from its reactions, 0 for what stays.
SymbolValue rates_at_start(const Model& model, const SymbolValue& values) {
    return [&model, values](const std::string& id) -> std::optional<double> {
        if (const RateRule* rule = model.getRateRule(id)) {
            return rule->getMath() != nullptr ? math_value(*rule->getMath(), values, model).value
                                              : std::nullopt;
        }
        if (model.getAssignmentRule(id) != nullptr) return std::nullopt;
        if (const Species* s = model.getSpecies(id)) return species_rate(model, *s, values);
        return 0.0;
    };
}

Pending math_start(const Model& model, const std::string& id, const std::string& element,
                   const ASTNode* math) {
    return {id, element, [&model, math](const SymbolValue& values) {
                if (math == nullptr) return MathValue{};
                SymbolValue rates = rates_at_start(model, values);
                return math_value(*math, values, model, &rates);
            }};
}

// A reaction's id stands for its rate: the kinetic law, its local parameters first.
Pending rate_start(const Model& model, const Reaction& r) {
    const KineticLaw* law = r.getKineticLaw();
    return {r.getId(), "the kinetic law of reaction " + r.getId(),
            [&model, law](const SymbolValue& values) {
                if (law == nullptr || law->getMath() == nullptr) return MathValue{};
                auto withLocals = [&](const std::string& id) -> std::optional<double> {
                    const Parameter* local = law->getParameter(id);
                    if (local != nullptr) {
                        return local->isSetValue() ? std::optional<double>(local->getValue())
                                                   : std::nullopt;
                    }
                    return values(id);
                };
                return math_value(*law->getMath(), withLocals, model);
            },
            true};
}

// The pending values: species without an initial assignment, every initial assignment and
// assignment rule, and the rates of reactions, which math may name.
std::vector<Pending> pending_values(const Model& model) {
    std::vector<Pending> pending;
    for (unsigned i = 0; i < model.getNumSpecies(); ++i) {
        const Species& s = *model.getSpecies(i);
        if (!assigned(model, s.getId()) && (s.isSetInitialAmount() || s.isSetInitialConcentration())) {
            pending.push_back(species_start(model, s));
        }
    }
    for (unsigned i = 0; i < model.getNumInitialAssignments(); ++i) {
        const InitialAssignment& a = *model.getInitialAssignment(i);
        pending.push_back(math_start(model, a.getSymbol(), "the initial assignment to " + a.getSymbol(),
                                     a.getMath()));
    }
    for (unsigned i = 0; i < model.getNumRules(); ++i) {
        const Rule& r = *model.getRule(i);
        if (r.isAssignment()) {
            pending.push_back(math_start(model, r.getVariable(), "the assignment rule of " + r.getVariable(),
                                         r.getMath()));
            pending.back().guessable = true;
        }
    }
    for (unsigned i = 0; i < model.getNumReactions(); ++i) {
        if (model.getReaction(i)->isSetKineticLaw()) {
            pending.push_back(rate_start(model, *model.getReaction(i)));
        }
    }
    return pending;
}

bool assigned(const Model& model, const std::string& id) {
    return model.getInitialAssignment(id) != nullptr || model.getAssignmentRule(id) != nullptr;
}

// The values given as attributes; an id that an assignment sets waits for it instead, so that
// nothing is computed from the value it replaces.
void fixed_values(const Model& model, Values& values) {
    for (unsigned i = 0; i < model.getNumSpecies(); ++i) {
        const Species& s = *model.getSpecies(i);
        if (s.isSetInitialAmount() || s.isSetInitialConcentration() || assigned(model, s.getId())) {
            continue;
        }
        // Nothing gives its value; it is left to no guess of the user's, but said.
        log_sys("species %s has no initial amount or concentration: it starts at 0.\n",
                s.getId().c_str());
        values[s.getId()] = 0.0;
    }
    for (unsigned i = 0; i < model.getNumCompartments(); ++i) {
        const Compartment& c = *model.getCompartment(i);
        if (c.isSetSize() && !assigned(model, c.getId())) values[c.getId()] = c.getSize();
    }
    for (unsigned i = 0; i < model.getNumParameters(); ++i) {
        const Parameter& p = *model.getParameter(i);
        if (p.isSetValue() && !assigned(model, p.getId())) values[p.getId()] = p.getValue();
    }
    for (unsigned i = 0; i < model.getNumReactions(); ++i) {
        const Reaction& r = *model.getReaction(i);
        for (const ListOf* list : {r.getListOfReactants(), r.getListOfProducts()}) {
            for (unsigned j = 0; j < list->size(); ++j) {
                const auto& ref = static_cast<const SpeciesReference&>(*list->get(j));
                if (ref.isSetId() && !assigned(model, ref.getId())) {
                    values[ref.getId()] = ref.getStoichiometry();
                }
            }
        }
    }
}

// Why a value stays unknown: a function that is not evaluated, or inputs that never get one.
int unsettled(const Pending& p, const Values& values, std::string& problem) {
    MathValue result = p.compute(lookup(values));
    problem = "the value of " + p.element + " cannot be found at the start";
    if (!result.unsupported.empty()) problem += ": the function '" + result.unsupported + "' is not supported";
    return -1;
}

// Settles pending values in rounds until none is left or a round settles none.
int settle(std::vector<Pending> pending, Values& values, std::string& problem) {
    while (!pending.empty()) {
        std::vector<Pending> waiting;
        for (Pending& p : pending) {
            MathValue result = p.compute(lookup(values));
            if (!result.divisionByZero.empty() && !p.optional) {
                problem = p.element + " divides by " + result.divisionByZero + ", which is 0 at the start";
                return -1;
            }
            if (result.value) {
                values[p.id] = *result.value;
            } else {
                waiting.push_back(std::move(p));
            }
        }
        if (waiting.size() == pending.size()) {
            auto needed = std::find_if(waiting.begin(), waiting.end(), [](const Pending& p) {
                return !p.optional && !p.guessable;
            });
            if (needed == waiting.end()) return 0;
            return unsettled(*needed, values, problem);
        }
        pending = std::move(waiting);
    }
    return 0;
}

}  // namespace

bool counted_in_amount(const Model& model, const Species& species) {
    if (species.getHasOnlySubstanceUnits()) return true;
    const Compartment* c = model.getCompartment(species.getCompartment());
    return c != nullptr && c->isSetSpatialDimensions() && c->getSpatialDimensionsAsDouble() == 0.0;
}

int start_values(const Model& model, Values& values, std::string& problem) {
    values.clear();
    fixed_values(model, values);
    return settle(pending_values(model), values, problem);
}

}  // namespace kinelaw
