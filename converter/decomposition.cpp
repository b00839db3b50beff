#include "decomposition.h"

#include "gma.h"
#include "log.h"
#include "methods.h"
#include "parameter_label.h"
#include "vocabulary.h"

namespace {

long long parameterKey(int kind, int specieID) {
    return (static_cast<long long>(kind) << 32) | static_cast<unsigned int>(specieID);
}

void appendDecayTerm(ConversionContext& context, Player& receiver, double coefficient,
                     const KineticParameter& parameter, Player& complex) {
    Term term;
    term.coefficient = coefficient;
    term.parameterKind = parameter.kind;
    term.parameterNumber = parameter.number;
    term.factors.push_back(TermFactor{&complex, 1.0});
    equationOf(context, receiver).terms.push_back(std::move(term));
}

// Sets free the units of component `specieID` that the decay of `complex` releases, `factor`
// of them per complex: a component that does not decay receives them, one that decays passes
// them on to its own components.
bool releaseComponent(ConversionContext& context, Player& complex,
                      const KineticParameter& parameter, int specieID, double factor) {
    Player* component = findPlayer(context, specieID);
    if (component == nullptr) {
        log_sys(
            "Decomposition: element (specieID=%d) of complex '%s.%s(specieID=%d)' matches no "
            "species.\n",
            specieID, complex.name.c_str(), complex.compartmentShortName.c_str(), complex.specieID);
        return false;
    }
    if (component->kind == PLAYER_UNCLASSIFIED) {
        log_sys(
            "Decomposition: The element of complex '%s.%s(specieID=%d)' must be a variable of "
            "'CMA/TPP'.\n",
            component->name.c_str(), component->compartmentShortName.c_str(), component->specieID);
        return false;
    }
    if (component->decomposition == SWITCH_OFF) {
        appendDecayTerm(context, *component, factor, parameter, complex);
        return true;
    }
    for (const SpecieRef& element : component->elements) {
        if (!releaseComponent(context, complex, parameter, element.specieID,
                              factor * element.stoichiometry)) {
            return false;
        }
    }
    return true;
}

int decayByMassAction(ConversionContext& context, Player& player) {
    int kind = player.specieClass == CLASS_RNA ? PARAM_KMD : PARAM_KPD;
    const KineticParameter& parameter = registerParameter(kind, context, player);
    appendDecayTerm(context, player, -1.0, parameter, player);
    for (const SpecieRef& element : player.elements) {
        if (!releaseComponent(context, player, parameter, element.specieID,
                              element.stoichiometry)) {
            log_sys(
                "Decomposition: '%s.%s(specieID=%d)' has a element which is not a variable of "
                "'CMA/TPP'.\n",
                player.name.c_str(), player.compartmentShortName.c_str(), player.specieID);
            return -1;
        }
    }
    return 0;
}

}  // namespace

int execDecomposition(ConversionContext& context, int method) {
    for (Player& player : context.players) {
        if (player.decomposition == SWITCH_OFF) continue;
        int family = methodFamily(method);
        if (family == FAMILY_CMA && player.kind != PLAYER_UNCLASSIFIED &&
            player.kind != PLAYER_CONSTANT) {
            if (decayByMassAction(context, player) != 0) return -1;
        } else if (family == FAMILY_GMA && player.kind == PLAYER_DIFFERENTIAL_FLUX) {
            addDecompositionFlux(context, player, method);
        }
    }
    return 0;
}

const KineticParameter& registerParameter(int kind, ConversionContext& context,
                                          const Player& species) {
    long long key = parameterKey(kind, species.specieID);
    auto found = context.registeredParameters.find(key);
    if (found != context.registeredParameters.end()) return *found->second;
    KineticParameter& parameter = newParameter(context, kind, speciesParameterLabel(species));
    parameter.specieID = species.specieID;
    context.registeredParameters.emplace(key, &parameter);
    return parameter;
}
