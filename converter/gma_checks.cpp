// The GMA/MM stage: which reactions and players a power-law or saturating conversion accepts.
#include "gma.h"
#include "log.h"
#include "methods.h"
#include "vocabulary.h"

namespace {

bool allowedInGma(int reactionType) {
    switch (reactionType) {
        case REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES:
        case REACTION_HOMO_ASSOCIATION_OR_MODIFICATION_WITH_STOICHIOMETRIC_CHANGES:
        case REACTION_ELIMINATION_WITH_STOICHIOMETRIC_CHANGES:
        case REACTION_REVERSIBLE_CONVERSION:
        case REACTION_IRREVERSIBLE_CONVERSION:
        case REACTION_REVERSIBLE_CONVERSION_REGARDING_MULTICOMPONENT:
        case REACTION_IRREVERSIBLE_CONVERSION_REGARDING_MULTICOMPONENT:
        case REACTION_TRANSPORT:
        case REACTION_OPTION_TRANSPORT:
        case REACTION_DEGRADATION:
            return true;
        default:
            return false;
    }
}

bool checkList(ConversionContext& context, const std::vector<SpecieRefList>& lists, int role) {
    for (const SpecieRef& reference : firstListRefs(lists)) {
        if (checkPlayer_GMA(context, reference, role) != 0) return false;
    }
    return true;
}

bool resolveGmaReaction(ConversionContext& context, const Reaction& reaction, GmaReaction& out) {
    const char* operation = "checkReactions_GMA";
    return resolveFirstList(context, reaction.listOfModifiers, out.modifiers, operation) &&
           resolveFirstList(context, reaction.listOfReactants, out.reactants, operation) &&
           resolveFirstList(context, reaction.listOfProducts, out.products, operation);
}

int convertLayer_GMA(ConversionContext& context, const ReactionLayer& layer, int method) {
    for (const Reaction& reaction : layer.reaction) {
        if (checkReaction_GMA(context, reaction) != 0) {
            log_sys("checkReactions_GMA: failed.\n");
            return -1;
        }
    }
    if (createTotalEnzymeEq(context) != 0) {
        log_sys("createTotalEnzymeEq: failed.\n");
        return -1;
    }
    for (const Reaction& reaction : layer.reaction) {
        if (reaction.isConvertible == NOT_CONVERTIBLE) continue;
        GmaReaction resolved;
        if (!resolveGmaReaction(context, reaction, resolved) ||
            buildFlux(context, resolved, method) != 0) {
            log_sys("checkReactions_GMA: failed.\n");
            return -1;
        }
    }
    return 0;
}

}  // namespace

int checkReactions_GMA(ConversionContext& context, const Model& model) {
    for (const ReactionLayer& layer : model.listOfReactions) {
        int method = layerMethod(context, layer.layer);
        if (method != METHOD_GMA && method != METHOD_MM) continue;
        if (convertLayer_GMA(context, layer, method) != 0) return -1;
    }
    numberConstants(context);
    return 0;
}

int checkReaction_GMA(ConversionContext& context, const Reaction& reaction) {
    if (!allowedInGma(reaction.reactionType)) {
        log_sys(
            "checkReaction_GMA: invalid reactionType for GMA/MM "
            "conversion.(reactionID=%d,reactionType=%s)\n",
            reaction.reactionID, reactionTypeName(reaction.reactionType));
        return -1;
    }
    if (firstListRefs(reaction.listOfReactants).empty()) {
        log_sys("checkReaction_GMA: lack of reactants.(reactionID=%d)\n", reaction.reactionID);
        return -1;
    }
    if (!checkList(context, reaction.listOfReactants, GMA_REACTANT)) {
        log_sys("checkReaction_GMA: The error detected with checking reactant.(reactionID=%d)\n",
                reaction.reactionID);
        return -1;
    }
    if (!checkList(context, reaction.listOfProducts, GMA_PRODUCT)) {
        log_sys("checkReaction_GMA: The error detected with checking product.(reactionID=%d)\n",
                reaction.reactionID);
        return -1;
    }
    if (!checkList(context, reaction.listOfModifiers, GMA_MODIFIER)) {
        log_sys("checkReaction_GMA: The error detected with checking modifier.(reactionID=%d)\n",
                reaction.reactionID);
        return -1;
    }
    return 0;
}

int checkPlayer_GMA(ConversionContext& context, const SpecieRef& reference, int role) {
    Player* player = findPlayer(context, reference.specieID);
    if (player == nullptr) {
        log_sys("checkPlayer_GMA: species reference (specieID=%d) matches no species.\n",
                reference.specieID);
        return -1;
    }
    if (role == GMA_REACTANT || role == GMA_PRODUCT) player->reactantOrProduct = 1;
    if (role == GMA_MODIFIER && reference.isTotal == 1) player->totalModifier = 1;
    if (player->kind == PLAYER_UNCLASSIFIED) {
        if (player->totalAmount == 1 && player->massBalance == SWITCH_OFF) {
            player->kind = PLAYER_CONSTANT;
            numberConstant(context, *player);
            if (player->decomposition == SWITCH_ON) {
                log_sys(
                    "checkPlayer_GMA: constant variable '%s.%s(specieID=%d)' is must be "
                    "decomposition:off.\n",
                    player->name.c_str(), player->compartmentShortName.c_str(), player->specieID);
                return -1;
            }
        } else {
            player->kind = PLAYER_DIFFERENTIAL_FLUX;
        }
    }
    if (player->kind == PLAYER_ALGEBRAIC_ZERO) {
        log_sys(
            "checkPlayer_GMA: '%s.%s(specieID=%d)' must not be a player of 'GMA/MM', because "
            "its a complex of 'CMA/TPP'.\n",
            player->name.c_str(), player->compartmentShortName.c_str(), player->specieID);
        return -1;
    }
    return 0;
}
