// Regulated transcription: the product is made at km times the occupied fraction of each
// activating regulator's element, the free fraction of each repressing one's, times the gene.
#include "gene1.h"

#include "log.h"
#include "parameter_label.h"
#include "regulatory_element.h"
#include "vocabulary.h"

namespace {

void makeVariable(Player& player) {
    if (player.kind == PLAYER_UNCLASSIFIED) player.kind = PLAYER_DIFFERENTIAL;
}

int logModifier(const char* problem, const Player& modifier) {
    log_sys("convertReaction_CMA_gene1: modifier '%s.%s(specieID=%d)' %s\n", modifier.name.c_str(),
            modifier.compartmentShortName.c_str(), modifier.specieID, problem);
    return -1;
}

// Adds the fraction of one regulator to `term`: its player over the total of the regulatory
// element it is bound to, a constant unless the TPP rework gives that total an equation. -1
// after logging.
int addRegulator(ConversionContext& context, const PlayerRef& modifier, Term& term) {
    Player& regulator = *modifier.player;
    makeVariable(regulator);
    int element =
        findRegulatoryElement(context, static_cast<int>(&regulator - context.players.data()));
    if (element == REGULATORY_ELEMENT_FAULT) return -1;
    if (element == REGULATORY_ELEMENT_NONE) {
        return logModifier("includes no transcriptional regulator.", regulator);
    }
    Player& total = context.totalPlayers[element];
    total.kind = PLAYER_CONSTANT;  // numbered with the other constants at the end
    const int modifierType = modifier.ref->modifierType;
    const PlayerLink numerator{&regulator, 1.0, modifierType};
    const PlayerLink denominator{&total, 1.0, modifierType};
    switch (modifierType) {
        case MODIFIER_ENZYME:
            return logModifier("has illegal modifierType 'enzyme' for gene1 reaction.", regulator);
        case MODIFIER_OCCUPIED:
            term.ratioNumerators.push_back(numerator);
            term.ratioDenominators.push_back(denominator);
            break;
        case MODIFIER_FREE:
            term.complementNumerators.push_back(numerator);
            term.complementDenominators.push_back(denominator);
            break;
        default:
            break;  // a modifier of another type does not regulate
    }
    return 0;
}

}  // namespace

int convertReaction_CMA_gene1(ConversionContext& context, const CmaReaction& reaction) {
    if (reaction.reactants.size() != 1 || reaction.products.size() != 1) {
        log_sys("convertReaction_CMA_gene1: gene1 reaction needs 1 reactant and 1 product.\n");
        return -1;
    }
    const PlayerRef& product = reaction.products.front();
    makeVariable(*product.player);
    const KineticParameter& km =
        newParameter(context, PARAM_KM, cmaParameterLabel(reaction.modifiers, reaction.reactants));
    Term term;
    term.coefficient = product.ref->stoichiometry;
    term.parameterKind = km.kind;
    term.parameterNumber = km.number;
    term.parameterExponent = 1.0;
    Player& gene = *reaction.reactants.front().player;
    makeVariable(gene);
    term.tailPlayer = PlayerLink{&gene, 1.0, 0};
    for (const PlayerRef& modifier : reaction.modifiers) {
        // On failure the km parameter stays and the unfinished term is dropped.
        if (addRegulator(context, modifier, term) != 0) return -1;
    }
    equationOf(context, *product.player).terms.push_back(std::move(term));
    return 0;
}
