#include "equation_set.h"

#include <functional>

#include "format.h"
#include "methods.h"
#include "vocabulary.h"

namespace {

struct ParameterKindNames {
    const char* symbol;
    const char* description;
};

const ParameterKindNames kParameterKinds[PARAMETER_KIND_COUNT] = {
    {"NONE", "NONE"},
    {"ka", "binding_association_rate_constant"},
    {"kd", "dissociation_rate_constant"},
    {"kx", "reaction_rate_constant"},
    {"Kb", "binding_constant"},
    {"kp", "translation_rate_constant"},
    {"kpd", "decomposition_rate_constant"},
    {"km", "transcription_rate_constant"},
    {"kmd", "decomposition_rate_constant"},
    {"ktr", "transport_rate_constant"},
    {"kxg", "reaction_rate_constant"},
    {"f", "power_coefficient"},
    {"Q", "reaction_rate_constant"},
    {"Kmich", "Michaelis_constant"},
};

bool isParameterKind(int kind) {
    return kind >= 0 && kind < PARAMETER_KIND_COUNT;
}

}  // namespace

const char* parameterSymbol(int kind) {
    return kParameterKinds[isParameterKind(kind) ? kind : PARAM_NONE].symbol;
}

const char* parameterDescription(int kind) {
    return kParameterKinds[isParameterKind(kind) ? kind : PARAM_NONE].description;
}

int findPlayerIndex(const ConversionContext& context, int specieID) {
    auto found = context.playerIndexBySpecieID.find(specieID);
    return found == context.playerIndexBySpecieID.end() ? -1 : found->second;
}

Player* findPlayer(ConversionContext& context, int specieID) {
    int index = findPlayerIndex(context, specieID);
    return index < 0 ? nullptr : &context.players[index];
}

KineticParameter& newParameter(ConversionContext& context, int kind, std::string label) {
    KineticParameter parameter;
    parameter.label = std::move(label);
    parameter.number = ++context.parameterCounts[kind];
    parameter.kind = kind;
    context.parameterLists[kind].push_back(std::move(parameter));
    return context.parameterLists[kind].back();
}

void numberConstant(ConversionContext& context, Player& player) {
    if (player.number == 0) player.number = ++context.constantCount;
}

PlayerEquation& equationOf(ConversionContext& context, const Player& player) {
    // std::less gives a total order even for pointers into different arrays.
    std::less<const Player*> before;
    if (!context.players.empty() && !before(&player, &context.players.front()) &&
        !before(&context.players.back(), &player)) {
        return context.equations[&player - context.players.data()];
    }
    return context.totalEquations[&player - context.totalPlayers.data()];
}

int layerMethod(const ConversionContext& context, int layer) {
    if (layer == LAYER_GENE_PROTEIN_1 || layer == LAYER_GENE_PROTEIN_2) {
        return context.geneProteinMethod;
    }
    if (layer == LAYER_METABOLIC) return context.metabolicMethod;
    return METHOD_NONE;
}

std::string playerSymbol(const Player& player, const char* prefix) {
    switch (player.kind) {
        case PLAYER_CONSTANT:
            return zymorax::format("constantPlayer[%d]", player.number);
        case PLAYER_ALGEBRAIC_ZERO:
        case PLAYER_ALGEBRAIC_TOTAL:
            return zymorax::format("x[%s%s.%s]", prefix, player.name.c_str(),
                                   player.compartmentShortName.c_str());
        case PLAYER_DIFFERENTIAL:
        case PLAYER_DIFFERENTIAL_FLUX:
            return zymorax::format("y[%s%s.%s]", prefix, player.name.c_str(),
                                   player.compartmentShortName.c_str());
        default:
            return std::string();
    }
}

std::string renderText(const SymbolicText& parts) {
    std::string text;
    for (const ExpressionPart& part : parts) {
        text += part.player != nullptr ? playerSymbol(*part.player, part.prefix) : part.text;
    }
    return text;
}

const ExpressionPart* findUnwrittenPlayer(const SymbolicText& parts) {
    for (const ExpressionPart& part : parts) {
        if (part.player != nullptr && !isWrittenKind(part.player->kind)) return &part;
    }
    return nullptr;
}

void numberConstants(ConversionContext& context) {
    for (Player& player : context.players) {
        if (player.kind == PLAYER_CONSTANT) numberConstant(context, player);
    }
    for (Player& twin : context.totalPlayers) {
        if (twin.kind == PLAYER_CONSTANT) numberConstant(context, twin);
    }
}
