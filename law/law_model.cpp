#include "law_model.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "format.h"
#include "math_text.h"
#include "math_value.h"
#include "start_formulas.h"
#include "start_values.h"
#include "temporary_order.h"

namespace kinelaw {
namespace {

// Labels of the Parameters section, in the order they are written.
enum LabelIndex { kParameters, kSizes, kStoichiometries, kLocals, kLabelCount };

struct Builder {
    Builder(const Model& m, LawDae& d, std::string& p) : model(m), dae(d), problem(p) {}

    const Model& model;
    LawDae& dae;
    std::string& problem;
    std::map<std::string, double> start;
    std::map<std::string, std::string> symbols;  // SBML id -> DAE text
    std::set<std::string> rateRuled;
    std::set<std::string> assigned;
    std::set<std::string> solvedByAlgebraicRules;
    std::set<std::string> ratesRead;  // variables whose rate math reads (rateOf)
    // What events assign and otherwise would be a value: a variable that stays put between
    // events (d/dt = 0), so that kinesim can set it and writes it with the state.
    std::set<std::string> eventAssigned;
    std::set<std::string> heldBetweenEvents;
    const std::map<std::string, std::string>* localsInScope = nullptr;  // of the law being written
    std::map<std::string, std::string> amountOf;    // amount variable -> its species
    std::map<std::string, std::string> amountText;  // species -> the DAE text of its amount
    bool needsTime = false;

    int fail(const std::string& what) {
        problem = what;
        return -1;
    }

    std::optional<double> start_of(const std::string& id) const {
        auto it = start.find(id);
        if (it == start.end()) return std::nullopt;
        return it->second;
    }

    // The rate of a differential variable is a temporary its equation gives; a constant's is 0.
    std::string rate_symbol(const std::string& id) {
        if (localsInScope != nullptr && localsInScope->count(id)) return "0";
        const std::string text = symbol(id);
        if (text.rfind("y[", 0) == 0) {
            ratesRead.insert(id);
            return "rate." + id;
        }
        if (text.rfind("x[", 0) == 0 || text.empty()) return std::string();
        return "0";
    }

    std::string symbol(const std::string& id) const {
        auto it = symbols.find(id);
        return it == symbols.end() ? std::string() : it->second;
    }

    // The DAE text of `math`; `where` names the element in a message.
    int text_of(const ASTNode* math, const std::string& where, std::string& text,
                const SymbolText& lookup) {
        if (math == nullptr) return fail(where + " has no math");
        std::string why;
        SymbolText rateOf = [this](const std::string& id) { return rate_symbol(id); };
        if (math_text(*math, lookup, model, text, why, &rateOf) != 0) {
            return fail("in " + where + ": " + why);
        }
        // Time may come in through a function definition's body: the text tells.
        if (text.find(std::string("y[") + kTimeVariable + "]") != std::string::npos) needsTime = true;
        return 0;
    }

    int text_of(const ASTNode* math, const std::string& where, std::string& text) {
        return text_of(math, where, text, [this](const std::string& id) { return symbol(id); });
    }

    // The target of an assignment rule: an algebraic variable, so that it is solved with the
    // state and written with it.
    void add_algebraic(const std::string& id) {
        symbols[id] = "x[" + id + "]";
        std::optional<double> start = start_of(id);
        // What an algebraic or assignment rule solves for needs only a guess: the consistent
        // value is found from it before integrating.
        if (!start && (solvedByAlgebraicRules.count(id) || assigned.count(id))) start = 0.0;
        dae.algebraicVariables.push_back({id, start});
    }

    void add_variable(const std::string& id) {
        symbols[id] = "y[" + id + "]";
        dae.variables.push_back({id, start_of(id)});
    }

    void add_value(LabelIndex label, const std::string& id, const std::string& tag) {
        std::vector<DaeValue>& elements = dae.labels[label].elements;
        elements.push_back({tag, start_of(id)});
        symbols[id] = dae.labels[label].label + "[" + std::to_string(elements.size()) + "]";
    }

    void add_constant(const std::string& id) {
        dae.constants.push_back({id, start_of(id)});
        symbols[id] = "constantPlayer[" + std::to_string(dae.constants.size()) + "]";
    }

    // Where a species stands in the reactions: built once, in reaction order, reactants of a
    // reaction before its products.
    struct Reference {
        const Reaction* reaction;
        const SpeciesReference* ref;
        bool reactant;
    };
    std::map<std::string, std::vector<Reference>> referencesOf;

    void index_references() {
        for (unsigned i = 0; i < model.getNumReactions(); ++i) {
            const Reaction& r = *model.getReaction(i);
            for (int side = 0; side < 2; ++side) {
                const ListOf* list = side == 0 ? r.getListOfReactants() : r.getListOfProducts();
                for (unsigned j = 0; j < list->size(); ++j) {
                    const auto* ref = static_cast<const SpeciesReference*>(list->get(j));
                    referencesOf[ref->getSpecies()].push_back({&r, ref, side == 0});
                }
            }
        }
    }

    bool in_reaction(const std::string& species) const {
        return referencesOf.count(species) > 0;
    }

    // A symbol that no rule changes: a parameter element of `label`, or its rule's kind.
    void record_use(const std::string& id, const char* kind, const Species* s = nullptr) {
        SymbolUse use{id, symbol(id), kind, "", false};
        if (s != nullptr) {
            use.compartment = s->getCompartment();
            use.inAmount = counted_in_amount(model, *s);
        }
        dae.uses.push_back(use);
    }

    void add_held(const std::string& id) {
        add_variable(id);
        heldBetweenEvents.insert(id);
    }

    void classify(const std::string& id, LabelIndex label, const char* kind) {
        if (assigned.count(id) || solvedByAlgebraicRules.count(id)) {
            add_algebraic(id);
        } else if (rateRuled.count(id)) {
            add_variable(id);
        } else if (eventAssigned.count(id)) {
            add_held(id);
        } else {
            add_value(label, id, id);
        }
        record_use(id, kind);
    }

    bool changed_by_reactions(const Species& s) const {
        return !s.getBoundaryCondition() && in_reaction(s.getId());
    }

    // A concentration in a compartment whose size changes changes with it, whatever else does:
    // what nothing changes (constant species among them) is the amount.
    bool diluted(const Species& s) const {
        return !counted_in_amount(model, s) && rateRuled.count(s.getCompartment());
    }

    // A concentration in a compartment whose size an assignment rule sets: its amount is
    // followed (no rate of the size is at hand to dilute with) and the concentration is the
    // amount over the size, an algebraic variable.
    bool amount_tracked(const Species& s) const {
        const std::string& id = s.getId();
        return !counted_in_amount(model, s) && assigned.count(s.getCompartment()) &&
               !rateRuled.count(id) && !assigned.count(id) && !solvedByAlgebraicRules.count(id);
    }

    void add_amount_tracked(const Species& s) {
        const std::string& id = s.getId();
        const std::string amount = id + ".amount";
        std::optional<double> concentration = start_of(id), size = start_of(s.getCompartment());
        if (concentration && size) start[amount] = *concentration * *size;
        if (!s.getConstant() && changed_by_reactions(s)) {
            add_variable(amount);
            amountOf[amount] = id;
        } else {
            add_constant(amount);
        }
        amountText[id] = symbol(amount);
        add_algebraic(id);
    }

    void classify_species(const Species& s) {
        const std::string& id = s.getId();
        if (amount_tracked(s)) {
            add_amount_tracked(s);
        } else if (assigned.count(id) || solvedByAlgebraicRules.count(id)) {
            add_algebraic(id);
        } else if (rateRuled.count(id) || (!s.getConstant() && changed_by_reactions(s)) ||
                   diluted(s) || eventAssigned.count(id)) {
            add_variable(id);
        } else {
            add_constant(id);
        }
        record_use(id, "species", &s);
    }

    void classify_symbols() {
        for (unsigned i = 0; i < model.getNumCompartments(); ++i) {
            classify(model.getCompartment(i)->getId(), kSizes, "compartment");
        }
        for (unsigned i = 0; i < model.getNumParameters(); ++i) {
            classify(model.getParameter(i)->getId(), kParameters, "parameter");
        }
        for (unsigned i = 0; i < model.getNumReactions(); ++i) {
            const Reaction& r = *model.getReaction(i);
            symbols[r.getId()] = r.getId();  // its rate, a temporary
            for (const ListOf* list : {r.getListOfReactants(), r.getListOfProducts()}) {
                for (unsigned j = 0; j < list->size(); ++j) {
                    const auto& ref = static_cast<const SpeciesReference&>(*list->get(j));
                    if (ref.isSetId()) classify(ref.getId(), kStoichiometries, "stoichiometry");
                }
            }
        }
        for (unsigned i = 0; i < model.getNumSpecies(); ++i) classify_species(*model.getSpecies(i));
    }

    void collect_event_targets() {
        for (unsigned i = 0; i < model.getNumEvents(); ++i) {
            const Event& e = *model.getEvent(i);
            for (unsigned j = 0; j < e.getNumEventAssignments(); ++j)
                eventAssigned.insert(e.getEventAssignment(j)->getVariable());
        }
    }

    void collect_rule_targets() {
        for (unsigned i = 0; i < model.getNumRules(); ++i) {
            const Rule& r = *model.getRule(i);
            if (!r.isAlgebraic()) (r.isRate() ? rateRuled : assigned).insert(r.getVariable());
        }
    }

    // Whether nothing but an algebraic rule can fix the value of `id` over time.
    bool free_symbol(const std::string& id) const {
        if (rateRuled.count(id) || assigned.count(id)) return false;
        if (const Species* s = model.getSpecies(id)) {
            return !s->getConstant() && !changed_by_reactions(*s) && !diluted(*s);
        }
        if (const Parameter* p = model.getParameter(id)) return !p->getConstant();
        if (const Compartment* c = model.getCompartment(id)) return !c->getConstant();
        return false;
    }

    static void names_in(const ASTNode* math, std::set<std::string>& names) {
        if (math == nullptr) return;
        if (math->getType() == AST_NAME && math->getName() != nullptr) names.insert(math->getName());
        for (unsigned i = 0; i < math->getNumChildren(); ++i) names_in(math->getChild(i), names);
    }

    // The variables the algebraic rules determine: the free symbols their math names, as many
    // as there are rules.
    int collect_algebraic_unknowns() {
        std::set<std::string> named;
        unsigned rules = 0;
        for (unsigned i = 0; i < model.getNumRules(); ++i) {
            const Rule& r = *model.getRule(i);
            if (!r.isAlgebraic()) continue;
            ++rules;
            names_in(r.getMath(), named);
        }
        for (const std::string& id : named) {
            if (free_symbol(id)) solvedByAlgebraicRules.insert(id);
        }
        if (solvedByAlgebraicRules.size() == rules) return 0;
        return fail(std::to_string(rules) + " algebraic rule(s) name " +
                    std::to_string(solvedByAlgebraicRules.size()) +
                    " symbol(s) that nothing else determines: which variable a rule solves for "
                    "cannot be told");
    }

    int algebraic_rule_equations() {
        for (unsigned i = 0; i < model.getNumRules(); ++i) {
            const Rule& r = *model.getRule(i);
            if (!r.isAlgebraic()) continue;
            std::string text;
            if (text_of(r.getMath(), "algebraic rule " + std::to_string(i + 1), text) != 0) return -1;
            dae.algebraicEquations.push_back({"", text});
        }
        return 0;
    }

    // One equation per assignment rule, in the order of their variables.
    int assignment_equations() {
        for (const DaeVariable& v : dae.algebraicVariables) {
            auto amount = amountText.find(v.name);
            if (amount != amountText.end()) {
                const Species& s = *model.getSpecies(v.name);
                dae.algebraicEquations.push_back({v.name, amount->second + "/" + symbol(s.getCompartment())});
                continue;
            }
            if (!assigned.count(v.name)) continue;
            const std::string where = "the assignment rule of " + v.name;
            std::string text;
            if (text_of(model.getAssignmentRule(v.name)->getMath(), where, text) != 0) return -1;
            dae.algebraicEquations.push_back({v.name, text});
        }
        return 0;
    }

    // The kinetic law with its local parameters, which hide global ids of the same name.
    int reaction_temporary(const Reaction& r) {
        const std::string where = "the kinetic law of reaction " + r.getId();
        if (!r.isSetKineticLaw()) return fail("reaction " + r.getId() + " has no kinetic law");
        const KineticLaw& law = *r.getKineticLaw();
        std::map<std::string, std::string> locals;
        for (unsigned i = 0; i < law.getNumParameters(); ++i) {
            const Parameter& p = *law.getParameter(i);
            const std::string tag = r.getId() + "." + p.getId();
            std::vector<DaeValue>& elements = dae.labels[kLocals].elements;
            elements.push_back({tag, p.isSetValue() ? std::optional<double>(p.getValue()) : std::nullopt});
            locals[p.getId()] = dae.labels[kLocals].label + "[" + std::to_string(elements.size()) + "]";
        }
        std::string text;
        auto lookup = [&](const std::string& id) {
            auto it = locals.find(id);
            return it != locals.end() ? it->second : symbol(id);
        };
        localsInScope = &locals;
        int written = text_of(law.getMath(), where, text, lookup);
        localsInScope = nullptr;
        if (written != 0) return -1;
        dae.temporaries.push_back({r.getId(), text});
        return check_at_start(*law.getMath(), where, locals_at_start(law));
    }

    std::map<std::string, double> locals_at_start(const KineticLaw& law) const {
        std::map<std::string, double> values;
        for (unsigned i = 0; i < law.getNumParameters(); ++i) {
            const Parameter& p = *law.getParameter(i);
            if (p.isSetValue()) values[p.getId()] = p.getValue();
        }
        return values;
    }

    // A rate that divides by zero at the start would make the first step fail with no hint why.
    int check_at_start(const ASTNode& math, const std::string& where,
                       const std::map<std::string, double>& locals = {}) {
        MathValue result = math_value(math, [&](const std::string& id) -> std::optional<double> {
            auto local = locals.find(id);
            if (local != locals.end()) return local->second;
            return start_of(id);
        }, model);
        if (result.divisionByZero.empty()) return 0;
        return fail(where + " divides by " + result.divisionByZero + ", which is 0 at the start");
    }

    // The stoichiometry of a species reference as a factor: a number, its id's symbol, or the
    // text of its stoichiometryMath.
    int stoichiometry(const SpeciesReference& ref, const std::string& reaction, std::string& text) {
        if (ref.isSetStoichiometryMath()) {
            return text_of(ref.getStoichiometryMath()->getMath(),
                           "the stoichiometryMath of " + ref.getSpecies() + " in reaction " + reaction,
                           text);
        }
        if (ref.isSetId()) {
            text = symbol(ref.getId());
            return 0;
        }
        text = zymorax::shortest_number_text(ref.getStoichiometry());
        return 0;
    }

    // The sum over reactions of the species' stoichiometry times the rate, in amount per time.
    int reaction_sum(const std::string& species, std::string& sum) {
        auto found = referencesOf.find(species);
        if (found != referencesOf.end()) {
            for (const Reference& place : found->second) {
                const std::string& id = place.reaction->getId();
                std::string factor;
                if (stoichiometry(*place.ref, id, factor) != 0) return -1;
                if (sum == "0") sum.clear();
                std::string term = factor == "1" ? id : "(" + factor + ")*" + id;
                sum += std::string(place.reactant ? "-" : (sum.empty() ? "" : "+")) + term;
            }
        }
        if (sum.empty()) sum = "0";
        return 0;
    }

    std::string conversion_factor(const Species& s) const {
        if (s.isSetConversionFactor()) return symbol(s.getConversionFactor());
        if (model.isSetConversionFactor()) return symbol(model.getConversionFactor());
        return std::string();
    }

    int amount_equation(const Species& s, std::string& text) {
        text.clear();
        if (reaction_sum(s.getId(), text) != 0) return -1;
        std::string factor = conversion_factor(s);
        if (!factor.empty()) text = factor + "*(" + text + ")";
        return 0;
    }

    // d(symbol)/dt of a species that reactions change: amounts directly, concentrations divided
    // by the size, less the dilution when the size follows a rate rule.
    int species_equation(const Species& s, std::string& text) {
        std::string sum = "0";
        if (changed_by_reactions(s) && reaction_sum(s.getId(), sum) != 0) return -1;
        std::string factor = conversion_factor(s);
        if (!factor.empty()) sum = factor + "*(" + sum + ")";
        if (counted_in_amount(model, s)) {
            text = sum;
            return 0;
        }
        const std::string& c = s.getCompartment();
        const std::string size = symbol(c);
        if (assigned.count(c)) {
            return fail("species " + s.getId() + " is in compartment " + c +
                        ", whose size an assignment rule changes: its concentration cannot be "
                        "followed yet");
        }
        text = "(" + sum + ")/" + size;
        if (rateRuled.count(c)) text += "-y[" + s.getId() + "]*rate." + c + "/" + size;
        return 0;
    }

    int rate_rule_text(const std::string& id, std::string& text) {
        const RateRule* rule = model.getRateRule(id);
        const std::string where = "the rate rule of " + id;
        if (text_of(rule->getMath(), where, text) != 0) return -1;
        return check_at_start(*rule->getMath(), where);
    }

    int equations() {
        for (const DaeVariable& v : dae.variables) {
            std::string text;
            const Species* s = model.getSpecies(v.name);
            auto tracked = amountOf.find(v.name);
            if (tracked != amountOf.end()) {
                if (amount_equation(*model.getSpecies(tracked->second), text) != 0) return -1;
            } else if (heldBetweenEvents.count(v.name)) {
                text = "0";
            } else if (rateRuled.count(v.name)) {
                if (rate_rule_text(v.name, text) != 0) return -1;
                // a compartment's rate dilutes the concentrations in it
                if (model.getCompartment(v.name) != nullptr) ratesRead.insert(v.name);
            } else if (species_equation(*s, text) != 0) {
                return -1;
            }
            dae.equations.push_back({v.name, text});
        }
        // Rates that math reads are temporaries, known only now that every equation is.
        for (DaeDefinition& equation : dae.equations) {
            if (!ratesRead.count(equation.name)) continue;
            dae.temporaries.push_back({"rate." + equation.name, equation.text});
            equation.text = "rate." + equation.name;
        }
        return 0;
    }

    // Event math reads the state and the parameters, which kinesim evaluates it on, and the
    // rates of variables (rate.<id>, from the right-hand side); reactions' rates are computed
    // inside the model's code only.
    int event_text(const ASTNode* math, const std::string& where, std::string& text) {
        std::string temporary;
        auto lookup = [&](const std::string& id) {
            if (model.getReaction(id) != nullptr) temporary = "the rate of reaction " + id;
            return symbol(id);
        };
        if (text_of(math, where, text, lookup) != 0) return -1;
        if (temporary.empty()) return 0;
        return fail(where + " reads " + temporary + ", which events cannot read");
    }

    // The DAE name an event assigns to, or -1: a variable of the state that no rule determines.
    int event_target(const std::string& event, const std::string& id, std::string& target) {
        target = symbol(id);
        if (target.empty()) {
            return fail("event " + event + " assigns to " + id + ", which the model does not define");
        }
        if (amountText.count(id) || target.rfind("x[", 0) == 0) {
            return fail("event " + event + " assigns to " + id +
                        ", which a rule determines: such events are not supported");
        }
        if (target.rfind("y[", 0) != 0) {
            return fail("event " + event + " assigns to " + id + ", which is no model variable");
        }
        return 0;
    }

    // A compartment's new size leaves the amounts in it as they were: each concentration it
    // holds is scaled by old size / new size, a value the event gives it included (that value
    // fixes the amount at the old size). Every value of the event is computed before any is
    // assigned, so the old size is the one the texts read.
    void keep_amounts(const std::string& compartment, const std::string& newSize, DaeEvent& ev) {
        const std::string scale = "*" + symbol(compartment) + "/(" + newSize + ")";
        for (unsigned i = 0; i < model.getNumSpecies(); ++i) {
            const Species& s = *model.getSpecies(i);
            if (s.getCompartment() != compartment || s.getConstant() || counted_in_amount(model, s)) continue;
            const std::string target = symbol(s.getId());
            if (target.rfind("y[", 0) != 0) continue;  // a rule gives it
            auto set = std::find_if(ev.assignments.begin(), ev.assignments.end(),
                                    [&](const DaeDefinition& a) { return a.name == target; });
            if (set != ev.assignments.end()) {
                set->text = "(" + set->text + ")" + scale;
            } else {
                ev.assignments.push_back({target, target + scale});
            }
        }
    }

    int build_event(const Event& e, int number) {
        const std::string id = e.isSetId() ? e.getId() : "number " + std::to_string(number);
        const std::string where = "event " + id;
        if (!e.isSetTrigger() || !e.getTrigger()->isSetMath()) return fail(where + " has no trigger");
        DaeEvent ev;
        ev.id = e.isSetId() ? e.getId() : "event_" + std::to_string(number);
        const Trigger& trigger = *e.getTrigger();
        if (event_text(trigger.getMath(), "the trigger of " + where, ev.trigger) != 0) return -1;
        // Level 2 triggers fire only on a change after the start, persist, and use the values
        // of their trigger time: Level 3's defaults where unset.
        ev.initialValue = !trigger.isSetInitialValue() || trigger.getInitialValue();
        ev.persistent = !trigger.isSetPersistent() || trigger.getPersistent();
        ev.fromTriggerTime = !e.isSetUseValuesFromTriggerTime() || e.getUseValuesFromTriggerTime();
        if (e.isSetDelay() && e.getDelay()->isSetMath() &&
            event_text(e.getDelay()->getMath(), "the delay of " + where, ev.delay) != 0) {
            return -1;
        }
        if (e.isSetPriority() && e.getPriority()->isSetMath() &&
            event_text(e.getPriority()->getMath(), "the priority of " + where, ev.priority) != 0) {
            return -1;
        }
        std::vector<std::pair<std::string, std::string>> resized;
        for (unsigned i = 0; i < e.getNumEventAssignments(); ++i) {
            const EventAssignment& a = *e.getEventAssignment(i);
            if (!a.isSetMath()) continue;  // says nothing
            std::string target, text;
            if (event_target(ev.id, a.getVariable(), target) != 0 ||
                event_text(a.getMath(), "the assignment to " + a.getVariable() + " of " + where, text) != 0) {
                return -1;
            }
            ev.assignments.push_back({target, text});
            if (model.getCompartment(a.getVariable()) != nullptr) resized.emplace_back(a.getVariable(), text);
        }
        for (const auto& [compartment, size] : resized) keep_amounts(compartment, size, ev);
        dae.events.push_back(std::move(ev));
        return 0;
    }

    bool read_by_equations(const std::string& text) const {
        for (const auto* list : {&dae.temporaries, &dae.algebraicEquations, &dae.equations}) {
            for (const DaeDefinition& d : *list) {
                if (d.text.find(text) != std::string::npos) return true;
            }
        }
        return false;
    }

    // A value only events read has no place in the parameter file (symcode writes the values of
    // the elements the equations read, 1 for the others): it is held as a variable instead.
    void hold_values_only_events_read() {
        std::set<std::string> read;
        for (unsigned i = 0; i < model.getNumEvents(); ++i) {
            const Event& e = *model.getEvent(i);
            if (e.isSetTrigger()) names_in(e.getTrigger()->getMath(), read);
            if (e.isSetPriority()) names_in(e.getPriority()->getMath(), read);
            if (e.isSetDelay()) names_in(e.getDelay()->getMath(), read);
            for (unsigned j = 0; j < e.getNumEventAssignments(); ++j)
                names_in(e.getEventAssignment(j)->getMath(), read);
        }
        for (const std::string& id : read) {
            const std::string text = symbol(id);
            bool value = text.rfind("par[", 0) == 0 || text.rfind("size[", 0) == 0 ||
                         text.rfind("stoich[", 0) == 0 || text.rfind("constantPlayer[", 0) == 0;
            if (!value || read_by_equations(text)) continue;
            add_held(id);
            dae.equations.push_back({id, "0"});
            for (SymbolUse& use : dae.uses) {
                if (use.id == id) use.daeName = symbol(id);
            }
        }
    }

    // After the events, which may turn values into variables held between them.
    int initial_formulas() {
        StartSymbols symbols{[this](const std::string& id) { return symbol(id); },
                             [this](const std::string& id) -> const ASTNode* {
                                 const AssignmentRule* rule = model.getAssignmentRule(id);
                                 return rule != nullptr ? rule->getMath() : nullptr;
                             }};
        if (start_formulas(model, symbols, dae.startFormulas, dae.startsKept, problem) != 0)
            return -1;
        settle_unread_values(dae, [this](const std::string& name) { return has_row(name); });
        return 0;
    }

    // Whether symcode gives the element label[k] a PARAM row: every element of a label the
    // equations read, and constantPlayer up to the last one they read.
    bool has_row(const std::string& name) const {
        const size_t open = name.find('[');
        const std::string label = name.substr(0, open);
        if (label != "constantPlayer") return read_by_equations(label + "[");
        const size_t k = std::strtoul(name.c_str() + open + 1, nullptr, 10);
        for (size_t j = std::max<size_t>(k, 1); j <= dae.constants.size(); ++j) {
            if (read_by_equations("constantPlayer[" + std::to_string(j) + "]")) return true;
        }
        return false;
    }

    int build_events() {
        hold_values_only_events_read();
        for (unsigned i = 0; i < model.getNumEvents(); ++i) {
            if (build_event(*model.getEvent(i), static_cast<int>(i) + 1) != 0) return -1;
        }
        return 0;
    }

    void add_time() {
        start[kTimeVariable] = 0.0;
        symbols[kTimeVariable] = std::string("y[") + kTimeVariable + "]";
        dae.variables.push_back({kTimeVariable, 0.0});
        dae.equations.push_back({kTimeVariable, "1"});
    }

    // The DAE and parameter files hold decimal numbers only.
    int check_finite(const std::string& id, const std::optional<double>& value) {
        if (!value || std::isfinite(*value)) return 0;
        return fail("the value of " + id + " at the start is " +
                    zymorax::shortest_number_text(*value) + ", which no DAE file can hold");
    }

    int check_finite_values() {
        for (const auto* list : {&dae.constants}) {
            for (const DaeValue& v : *list) {
                if (check_finite(v.tag, v.value) != 0) return -1;
            }
        }
        for (const DaeLabel& label : dae.labels) {
            for (const DaeValue& v : label.elements) {
                if (check_finite(v.tag, v.value) != 0) return -1;
            }
        }
        for (const auto* list : {&dae.algebraicVariables, &dae.variables}) {
            for (const DaeVariable& v : *list) {
                if (check_finite(v.name, v.start) != 0) return -1;
            }
        }
        return 0;
    }

    int run() {
        dae.labels = {{"par", "parameter", {}},
                      {"size", "compartment size", {}},
                      {"stoich", "stoichiometry", {}},
                      {"local", "local parameter", {}}};
        if (start_values(model, start, problem) != 0) return -1;
        index_references();
        collect_rule_targets();
        collect_event_targets();
        if (collect_algebraic_unknowns() != 0) return -1;
        classify_symbols();
        if (assignment_equations() != 0 || algebraic_rule_equations() != 0) return -1;
        for (unsigned i = 0; i < model.getNumReactions(); ++i) {
            if (reaction_temporary(*model.getReaction(i)) != 0) return -1;
        }
        if (equations() != 0 || build_events() != 0 || initial_formulas() != 0) return -1;
        // A model of constants alone still needs one equation to be simulated.
        if (needsTime || dae.variables.empty()) add_time();
        if (check_finite_values() != 0) return -1;
        return order_temporaries(dae.temporaries, problem);
    }
};

}  // namespace

int build_law_dae(const Model& model, LawDae& dae, std::string& problem) {
    dae = LawDae();
    Builder builder(model, dae, problem);
    return builder.run();
}

}  // namespace kinelaw
