// The CMA dispatcher: which converter a reaction needs, by its type and by whether it has
// modifiers.
#include "cma.h"
#include "gene1.h"
#include "log.h"
#include "methods.h"
#include "vocabulary.h"

namespace {

enum CmaConverter {
    CONVERTER_INVALID,
    CONVERTER_ENZYMATIC,
    CONVERTER_REVERSIBLE,
    CONVERTER_IRREVERSIBLE,
    CONVERTER_GENE1
};

int converterWithModifiers(int reactionType) {
    switch (reactionType) {
        case REACTION_BINDING_WITH_STOICHIOMETRIC_CHANGES:
        case REACTION_HOMO_ASSOCIATION_OR_MODIFICATION_WITH_STOICHIOMETRIC_CHANGES:
        case REACTION_ELIMINATION_WITH_STOICHIOMETRIC_CHANGES:
        case REACTION_IRREVERSIBLE_CONVERSION:
        case REACTION_IRREVERSIBLE_CONVERSION_REGARDING_MULTICOMPONENT:
        case REACTION_TRANSPORT:
        case REACTION_OPTION_TRANSPORT:
        case REACTION_DEGRADATION:
            return CONVERTER_ENZYMATIC;
        case REACTION_TRANSCRIPTION:
            return CONVERTER_GENE1;
        default:
            return CONVERTER_INVALID;
    }
}

int converterWithoutModifiers(int reactionType) {
    switch (reactionType) {
        case REACTION_BINDING:
        case REACTION_HOMO_ASSOCIATION_OR_MODIFICATION:
        case REACTION_ELIMINATION:
        case REACTION_REVERSIBLE_CONVERSION:
        case REACTION_REVERSIBLE_CONVERSION_REGARDING_MULTICOMPONENT:
            return CONVERTER_REVERSIBLE;
        case REACTION_NONE:
            return CONVERTER_INVALID;
        default:
            return reactionType > REACTION_NONE && reactionType < REACTION_TYPE_COUNT
                       ? CONVERTER_IRREVERSIBLE
                       : CONVERTER_INVALID;
    }
}

bool resolveReaction(ConversionContext& context, const Reaction& reaction, CmaReaction& out) {
    const char* operation = "classifyReaction_CMA";
    out.reaction = &reaction;
    return resolveFirstList(context, reaction.listOfReactants, out.reactants, operation) &&
           resolveFirstList(context, reaction.listOfProducts, out.products, operation) &&
           resolveFirstList(context, reaction.listOfModifiers, out.modifiers, operation) &&
           resolveFirstList(context, reaction.modifierComplex, out.modifierComplex, operation);
}

int runConverter(ConversionContext& context, int converter, const CmaReaction& reaction,
                 int method) {
    switch (converter) {
        case CONVERTER_ENZYMATIC:
            return convertReaction_CMA_enzymatic(context, reaction, method);
        case CONVERTER_REVERSIBLE:
            return convertReaction_CMA_reversible(context, reaction, method);
        case CONVERTER_IRREVERSIBLE:
            return convertReaction_CMA_irreversible(context, reaction, method);
        case CONVERTER_GENE1:
            return convertReaction_CMA_gene1(context, reaction);
        default:
            return -1;
    }
}

// A modeller who meets the refusal of a reversible conversion with modifiers learns how to
// write it so that mass action converts it.
void logReversibleHint(int reactionType) {
    if (reactionType != REACTION_REVERSIBLE_CONVERSION &&
        reactionType != REACTION_REVERSIBLE_CONVERSION_REGARDING_MULTICOMPONENT) {
        return;
    }
    log_sys(
        "classifyReaction_CMA: mass action converts a reaction with modifiers in one direction: declare it "
        "irreversible (reversible=\"false\" in SBML, or zx:reaction type=\"irreversible_conversion\") "
        "and write its reverse direction as a reaction of its own.\n");
}

int convertReaction(ConversionContext& context, const Reaction& reaction, int method) {
    bool hasModifiers = !firstListRefs(reaction.listOfModifiers).empty();
    int converter = hasModifiers ? converterWithModifiers(reaction.reactionType)
                                 : converterWithoutModifiers(reaction.reactionType);
    if (converter == CONVERTER_INVALID) {
        log_sys(
            hasModifiers
                ? "classifyReaction_CMA: invalid reactionType for reaction with modifier.\n"
                : "classifyReaction_CMA: invalid reactionType for reaction without modifier.\n");
        if (hasModifiers) logReversibleHint(reaction.reactionType);
        return -1;
    }
    CmaReaction resolved;
    if (!resolveReaction(context, reaction, resolved)) return -1;
    return runConverter(context, converter, resolved, method);
}

}  // namespace

int classifyReaction_CMA(ConversionContext& context, const Model& model) {
    for (const ReactionLayer& layer : model.listOfReactions) {
        int method = layerMethod(context, layer.layer);
        if (methodFamily(method) != FAMILY_CMA) continue;
        for (const Reaction& reaction : layer.reaction) {
            if (reaction.isConvertible == NOT_CONVERTIBLE) continue;
            if (convertReaction(context, reaction, method) != 0) {
                log_sys(
                    "reacReactions_CMA: reaction conversion "
                    "failed.(reactionID=%d,reactionType=%s)\n",
                    reaction.reactionID, reactionTypeName(reaction.reactionType));
                return -1;
            }
        }
    }
    return 0;
}
