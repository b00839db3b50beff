// The three general CMA converters: a reaction with an enzyme, a reversible and an irreversible
// reaction without modifiers, each split into elementary steps.
#include "cma.h"
#include "log.h"
#include "parameter_label.h"
#include "vocabulary.h"

namespace {

// The rate parameter of a converter without modifiers (the backward one of a reversible
// reaction follows from it).
int firstRateParameter(int reactionType) {
    switch (reactionType) {
        case REACTION_BINDING:
        case REACTION_HOMO_ASSOCIATION_OR_MODIFICATION:
        case REACTION_ELIMINATION:
            return PARAM_KA;
        case REACTION_TRANSPORT:
        case REACTION_OPTION_TRANSPORT:
            return PARAM_KTR;
        case REACTION_TRANSCRIPTION:
            return PARAM_KM;
        case REACTION_TRANSLATION:
            return PARAM_KP;
        default:
            return PARAM_KX;
    }
}

bool checkCommonPreconditions(const CmaReaction& reaction, bool productsOptional) {
    bool ok = true;
    if (reaction.reactants.empty()) {
        log_sys("no reactants exists.\n");
        ok = false;
    }
    if (reaction.products.empty() && !productsOptional) {
        log_sys("no products exists.\n");
        ok = false;
    }
    return ok;
}

// The reader makes an enzyme-substrate complex only for an enzyme; a reaction whose modifiers
// are all activators, stimulators or inhibitors gets none, and the user must say which it is.
void explainMissingComplex(const CmaReaction& reaction) {
    for (const PlayerRef& modifier : reaction.modifiers) {
        if (modifier.ref->modifierType == MODIFIER_ENZYME) return;
    }
    for (const PlayerRef& modifier : reaction.modifiers) {
        log_sys("  the modifier specieID=%d is %s, for which no complex is made: declare the "
                "enzyme (sboTerm=\"SBO:0000460\" or zx:modifier type=\"enzyme\"), or name the "
                "complex with zx:modifierComplex.\n",
                modifier.ref->specieID,
                modifier.ref->modifierType == MODIFIER_OCCUPIED ? "an activator (stimulator)"
                                                                 : "an inhibitor (repressor)");
    }
}

// Logs every precondition line that applies; false when any did.
bool checkEnzymaticPreconditions(const CmaReaction& reaction) {
    bool isDegradation = reaction.reaction->reactionType == REACTION_DEGRADATION;
    bool ok = checkCommonPreconditions(reaction, isDegradation);
    if (reaction.modifiers.empty()) {
        log_sys("no modifiers exists.\n");
        ok = false;
    }
    if (reaction.modifierComplex.empty()) {
        log_sys("no modifierComplex exists.\n");
        explainMissingComplex(reaction);
        ok = false;
    }
    return ok;
}

bool checkPlainPreconditions(const CmaReaction& reaction, bool productsOptional) {
    bool ok = checkCommonPreconditions(reaction, productsOptional);
    if (!reaction.modifiers.empty()) {
        log_sys("modifiers exists.\n");
        ok = false;
    }
    if (!reaction.modifierComplex.empty()) {
        log_sys("modifierComplex exists.\n");
        ok = false;
    }
    return ok;
}

}  // namespace

int convertReaction_CMA_enzymatic(ConversionContext& context, const CmaReaction& reaction,
                                  int method) {
    if (!checkEnzymaticPreconditions(reaction)) return -1;
    const std::string label = cmaParameterLabel(reaction.modifiers, reaction.reactants);
    const KineticParameter& ka = newParameter(context, PARAM_KA, label);
    const KineticParameter& kd = newParameter(context, PARAM_KD, label);
    const KineticParameter& kx = newParameter(context, PARAM_KX, label);
    const int type = reaction.reaction->reactionType;
    const StepList substrate{&reaction.reactants, ROLE_REACTANT};
    const StepList enzyme{&reaction.modifiers, ROLE_MODIFIER};
    const StepList complex{&reaction.modifierComplex, ROLE_MODIFIER_COMPLEX};
    const StepList product{&reaction.products, ROLE_PRODUCT};
    // S + E -> ES, ES -> S + E, ES -> P + E
    if (convertStep_CMA(context, ka, type, method, substrate, enzyme, complex, {}) != 0) return -1;
    if (convertStep_CMA(context, kd, type, method, complex, {}, substrate, enzyme) != 0) return -1;
    return convertStep_CMA(context, kx, type, method, complex, {}, product, enzyme);
}

int convertReaction_CMA_reversible(ConversionContext& context, const CmaReaction& reaction,
                                   int method) {
    if (!checkPlainPreconditions(reaction, false)) return -1;
    const int type = reaction.reaction->reactionType;
    const int forwardKind = firstRateParameter(type);
    const int backwardKind = forwardKind == PARAM_KA ? PARAM_KD : PARAM_KX;
    const std::string label = cmaParameterLabel(reaction.modifiers, reaction.reactants);
    const KineticParameter& forward = newParameter(context, forwardKind, label);
    const KineticParameter& backward = newParameter(context, backwardKind, label);
    const StepList reactants{&reaction.reactants, ROLE_REACTANT};
    const StepList products{&reaction.products, ROLE_PRODUCT};
    if (convertStep_CMA(context, forward, type, method, reactants, {}, products, {}) != 0)
        return -1;
    return convertStep_CMA(context, backward, type, method, products, {}, reactants, {});
}

int convertReaction_CMA_irreversible(ConversionContext& context, const CmaReaction& reaction,
                                     int method) {
    const int type = reaction.reaction->reactionType;
    if (!checkPlainPreconditions(reaction, type == REACTION_DEGRADATION)) return -1;
    const std::string label = cmaParameterLabel(reaction.modifiers, reaction.reactants);
    const KineticParameter& parameter = newParameter(context, firstRateParameter(type), label);
    const StepList reactants{&reaction.reactants, ROLE_REACTANT};
    StepList products;
    if (!reaction.products.empty()) products = StepList{&reaction.products, ROLE_PRODUCT};
    return convertStep_CMA(context, parameter, type, method, reactants, {}, products, {});
}
