// Fluxes of GMA/MM reactions: the flux's name, its rate expression and the terms that refer to
// it.
#include "format.h"
#include "gma.h"
#include "log.h"
#include "methods.h"
#include "parameter_label.h"

namespace {

void appendNames(std::string& name, const PlayerList& list) {
    for (const PlayerRef& entry : list) {
        name += zymorax::format("_%s.%s", entry.player->name.c_str(),
                                entry.player->compartmentShortName.c_str());
    }
}

// "flux", the modifiers, the reactants, "_to", the products.
std::string fluxName(const GmaReaction& reaction) {
    std::string name = "flux";
    appendNames(name, reaction.modifiers);
    appendNames(name, reaction.reactants);
    name += "_to";
    appendNames(name, reaction.products);
    return name;
}

ExpressionPart literal(std::string text) {
    return ExpressionPart{std::move(text), nullptr, ""};
}

ExpressionPart symbolOf(const Player& player, const char* prefix) {
    return ExpressionPart{std::string(), &player, prefix};
}

// How the flux refers to its enzyme: its total-enzyme expression, the total of a TPP player,
// or the enzyme itself.
ExpressionPart enzymePart(ConversionContext& context, Player& enzyme) {
    if (enzyme.totalModifier && context.geneProteinMethod != METHOD_NONE) {
        if (enzyme.totalEnzyme != nullptr) {
            enzyme.totalEnzyme->used = 1;
            return literal(enzyme.totalEnzyme->name);
        }
        if (enzyme.kind == PLAYER_ALGEBRAIC_ZERO || enzyme.kind == PLAYER_ALGEBRAIC_TOTAL) {
            return symbolOf(context.totalPlayers[&enzyme - context.players.data()], "T");
        }
    }
    return symbolOf(enzyme, "");
}

int appendEnzyme(ConversionContext& context, Flux& flux, const GmaReaction& reaction, int method) {
    Player& enzyme = *reaction.modifiers.front().player;
    ExpressionPart part = enzymePart(context, enzyme);
    if (part.player != nullptr && !isWrittenKind(part.player->kind)) {
        // Leaving the enzyme out would silently change the rate law.
        log_sys(
            "checkReactions_GMA: enzyme '%s.%s(specieID=%d)' of flux '%s' has no amount that "
            "the flux can refer to.\n",
            enzyme.name.c_str(), enzyme.compartmentShortName.c_str(), enzyme.specieID,
            flux.name.c_str());
        return -1;
    }
    flux.parts.push_back(literal("*"));
    flux.parts.push_back(std::move(part));
    if (method == METHOD_GMA) {
        const KineticParameter& power =
            newParameter(context, PARAM_F,
                         parameterLabel(PARAM_F, &enzyme, reaction.modifiers, reaction.reactants));
        flux.parts.push_back(
            literal(zymorax::format("^%s[%d]", parameterSymbol(PARAM_F), power.number)));
    }
    return 0;
}

void appendReactant(ConversionContext& context, Flux& flux, const GmaReaction& reaction,
                    const PlayerRef& reactant, int method) {
    int kind = method == METHOD_GMA ? PARAM_F : PARAM_KMICH;
    const KineticParameter& parameter =
        newParameter(context, kind,
                     parameterLabel(kind, reactant.player, reaction.modifiers, reaction.reactants));
    const char* symbol = parameterSymbol(kind);
    double s = reactant.ref->stoichiometry;
    flux.parts.push_back(literal("*"));
    flux.parts.push_back(symbolOf(*reactant.player, ""));
    if (method == METHOD_GMA) {
        flux.parts.push_back(literal(zymorax::format("^%s[%d]", symbol, parameter.number)));
    } else if (s != 1.0) {
        flux.parts.push_back(
            literal(zymorax::format("^%g/(%s[%d]^%g+", s, symbol, parameter.number, s)));
        flux.parts.push_back(symbolOf(*reactant.player, ""));
        flux.parts.push_back(literal(zymorax::format("^%g)", s)));
    } else {
        flux.parts.push_back(literal(zymorax::format("/(%s[%d]+", symbol, parameter.number)));
        flux.parts.push_back(symbolOf(*reactant.player, ""));
        flux.parts.push_back(literal(")"));
    }
}

void appendFluxTerm(ConversionContext& context, Player& player, double coefficient,
                    const Flux& flux) {
    Term term;
    term.coefficient = coefficient;
    term.expression = &flux;
    equationOf(context, player).terms.push_back(std::move(term));
}

}  // namespace

int buildFlux(ConversionContext& context, const GmaReaction& reaction, int method) {
    Flux& flux = context.fluxes.emplace_back();
    flux.name = fluxName(reaction);
    int rateKind = method == METHOD_GMA ? PARAM_KXG : PARAM_Q;
    const KineticParameter& rate =
        newParameter(context, rateKind,
                     parameterLabel(rateKind, nullptr, reaction.modifiers, reaction.reactants));
    flux.parts.push_back(
        literal(zymorax::format("%s[%d]", parameterSymbol(rateKind), rate.number)));
    if (!reaction.modifiers.empty() && appendEnzyme(context, flux, reaction, method) != 0)
        return -1;
    for (const PlayerRef& reactant : reaction.reactants) {
        appendReactant(context, flux, reaction, reactant, method);
    }
    for (const PlayerRef& reactant : reaction.reactants) {
        appendFluxTerm(context, *reactant.player, -reactant.ref->stoichiometry, flux);
    }
    for (const PlayerRef& product : reaction.products) {
        appendFluxTerm(context, *product.player, product.ref->stoichiometry, flux);
    }
    return 0;
}

void addDecompositionFlux(ConversionContext& context, Player& player, int method) {
    SpecieRef reference;
    reference.specieID = player.specieID;
    reference.name = player.name;
    reference.compartment = player.compartmentID;
    reference.stoichiometry = 1.0;
    GmaReaction decay;
    decay.reactants.push_back(PlayerRef{&reference, &player});
    buildFlux(context, decay, method);
}
