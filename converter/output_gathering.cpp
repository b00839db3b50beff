#include "output_gathering.h"

#include "log.h"

namespace {

bool isWrittenEquation(int kind) {
    return kind == PLAYER_ALGEBRAIC_ZERO || kind == PLAYER_ALGEBRAIC_TOTAL ||
           kind == PLAYER_DIFFERENTIAL || kind == PLAYER_DIFFERENTIAL_FLUX;
}

bool logUnwrittenReference(const PlayerEquation& equation, const Player& referenced) {
    const Player& owner = *equation.player;
    log_sys(
        "checkEquationReferences: a term of the equation of '%s.%s(specieID=%d)' refers to "
        "'%s.%s(specieID=%d)', which is not a variable of the model.\n",
        owner.name.c_str(), owner.compartmentShortName.c_str(), owner.specieID,
        referenced.name.c_str(), referenced.compartmentShortName.c_str(), referenced.specieID);
    return false;
}

bool linksAreWritten(const PlayerEquation& equation, const std::vector<PlayerLink>& links) {
    for (const PlayerLink& link : links) {
        if (!isWrittenKind(link.player->kind)) return logUnwrittenReference(equation, *link.player);
    }
    return true;
}

bool termIsWritable(const PlayerEquation& equation, const Term& term) {
    if (term.coefficient == 0.0) return true;  // never written
    for (const TermFactor& factor : term.factors) {
        if (!isWrittenKind(factor.player->kind))
            return logUnwrittenReference(equation, *factor.player);
    }
    if (!term.tailPlayer) return true;  // ratio and complement factors are written with a tail only
    if (!isWrittenKind(term.tailPlayer->player->kind)) {
        return logUnwrittenReference(equation, *term.tailPlayer->player);
    }
    return linksAreWritten(equation, term.ratioNumerators) &&
           linksAreWritten(equation, term.ratioDenominators) &&
           linksAreWritten(equation, term.complementNumerators) &&
           linksAreWritten(equation, term.complementDenominators);
}

bool equationIsWritable(const PlayerEquation& equation) {
    for (const Term& term : equation.terms) {
        if (!termIsWritable(equation, term)) return false;
    }
    return true;
}

bool expressionIsWritable(const char* what, const std::string& name, const SymbolicText& parts) {
    const ExpressionPart* part = findUnwrittenPlayer(parts);
    if (part == nullptr) return true;
    log_sys(
        "checkEquationReferences: %s '%s' refers to '%s.%s(specieID=%d)', which is not a "
        "variable of the model.\n",
        what, name.c_str(), part->player->name.c_str(), part->player->compartmentShortName.c_str(),
        part->player->specieID);
    return false;
}

void chainPlayers(const ConversionContext& context, OutputInfo& info) {
    for (const Player& player : context.players) {
        switch (player.kind) {
            case PLAYER_CONSTANT:
                info.constantPlayers.push_back(&player);
                break;
            case PLAYER_ALGEBRAIC_ZERO:
                info.algebraicZeroVars.push_back(&player);
                break;
            case PLAYER_ALGEBRAIC_TOTAL:
                info.algebraicTotalVars.push_back(&player);
                break;
            case PLAYER_DIFFERENTIAL:
                info.differentialVars.push_back(&player);
                break;
            case PLAYER_DIFFERENTIAL_FLUX:
                info.fluxVars.push_back(&player);
                break;
            default:
                break;
        }
    }
    for (const Player& twin : context.totalPlayers) {
        if (twin.kind == PLAYER_CONSTANT) info.constantTotals.push_back(&twin);
        if (twin.kind == PLAYER_DIFFERENTIAL || twin.kind == PLAYER_DIFFERENTIAL_FLUX) {
            info.differentialTotals.push_back(&twin);
        }
    }
}

void chainEquations(const ConversionContext& context, OutputInfo& info) {
    for (int i = 0; i < context.playerCount; ++i) {
        switch (context.players[i].kind) {
            case PLAYER_ALGEBRAIC_ZERO:
                info.zeroAlgebraicEqs.push_back(&context.equations[i]);
                break;
            case PLAYER_ALGEBRAIC_TOTAL:
                info.totalAlgebraicEqs.push_back(&context.equations[i]);
                info.totalDifferentialEqs.push_back(&context.totalEquations[i]);
                break;
            case PLAYER_DIFFERENTIAL:
            case PLAYER_DIFFERENTIAL_FLUX:
                info.differentialEqs.push_back(&context.equations[i]);
                break;
            default:
                break;
        }
    }
}

}  // namespace

int checkEquationReferences(ConversionContext& context) {
    for (int i = 0; i < context.playerCount; ++i) {
        if (!isWrittenEquation(context.players[i].kind)) continue;
        if (!equationIsWritable(context.equations[i])) return -1;
        if (context.players[i].kind == PLAYER_ALGEBRAIC_TOTAL &&
            !equationIsWritable(context.totalEquations[i])) {
            return -1;
        }
    }
    for (Flux& flux : context.fluxes) {
        if (!expressionIsWritable("flux", flux.name, flux.parts)) return -1;
        flux.text = renderText(flux.parts);
    }
    for (TotalEnzymeEq& equation : context.totalEnzymes) {
        if (equation.used && !expressionIsWritable("total enzyme", equation.name, equation.parts)) {
            return -1;
        }
        equation.text = renderText(equation.parts);
    }
    return 0;
}

void gatherOutputInfo(std::shared_ptr<ConversionContext> context, OutputInfo& info) {
    OutputInfo gathered;
    gathered.modelName = info.modelName;
    gathered.modelInfo = info.modelInfo;
    gathered.geneProteinMethod = info.geneProteinMethod;
    gathered.metabolicMethod = info.metabolicMethod;
    gathered.parameterCounts = context->parameterCounts;
    for (int kind = 0; kind < PARAMETER_KIND_COUNT; ++kind) {
        const auto& list = context->parameterLists[kind];
        gathered.parameterLists[kind].assign(list.begin(), list.end());
    }
    chainPlayers(*context, gathered);
    for (const TotalEnzymeEq& equation : context->totalEnzymes) {
        gathered.totalEnzymes.push_back(&equation);
    }
    for (const Flux& flux : context->fluxes) gathered.fluxes.push_back(&flux);
    chainEquations(*context, gathered);
    gathered.equationSet = std::move(context);
    info = std::move(gathered);
}
