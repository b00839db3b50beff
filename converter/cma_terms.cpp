// CMA elementary steps: classifying the players a step touches and adding its mass-action terms.
#include "cma.h"
#include "log.h"
#include "methods.h"
#include "vocabulary.h"

namespace {

// Gives an unclassified player its kind, and under a TPP method turns the players of binding
// steps into algebraic ones. -1 after logging a constant that is meant to decay.
int classifyPlayer_CMA(Player& player, int parameterKind, int method) {
    if (player.kind == PLAYER_UNCLASSIFIED) {
        if (player.totalAmount == 1 && player.massBalance == SWITCH_OFF) {
            player.kind = PLAYER_CONSTANT;  // numbered once all conversions are done
            if (player.decomposition == SWITCH_ON) {
                log_sys(
                    "convertPlayer_CMA: constant variable '%s.%s(specieID=%d)' is must be "
                    "decomposition:off.\n",
                    player.name.c_str(), player.compartmentShortName.c_str(), player.specieID);
                return -1;
            }
            return 0;
        }
        player.kind = PLAYER_DIFFERENTIAL;
    }
    bool bindingStep = parameterKind == PARAM_KA || parameterKind == PARAM_KD;
    if (player.kind == PLAYER_DIFFERENTIAL && bindingStep && method != METHOD_CMA) {
        if (player.specieClass == CLASS_COMPLEX) {
            player.kind = PLAYER_ALGEBRAIC_ZERO;
        } else if (player.massBalance == SWITCH_ON) {
            player.kind = PLAYER_ALGEBRAIC_TOTAL;
        }
    }
    return 0;
}

void appendFactors(std::vector<TermFactor>& factors, const PlayerList* list) {
    if (list == nullptr) return;
    for (const PlayerRef& entry : *list) {
        factors.push_back(TermFactor{entry.player, entry.ref->stoichiometry});
    }
}

// Binding steps must keep the complex's composition; the monomer-level check is the fallback.
int checkBindingBalance(ConversionContext& context, const PlayerList& l1, const PlayerList* l2,
                        const PlayerList* right) {
    int result = checkStoichiometricDiscordance(context, l1, l2, right);
    if (result == 0) return 0;
    if (result == -2) {
        log_sys("checkStoichiometricDescordance failed.\n");
        return -1;
    }
    if (checkStoichiometricDiscordance2(context, l1, l2, *right) != 0) {
        log_sys("checkStoichiometricDescordance2 failed.\n");
        return -1;
    }
    return 0;
}

}  // namespace

int convertPlayer_CMA(ConversionContext& context, const KineticParameter& parameter,
                      const PlayerList& list, int sign, int role, const PlayerList& l1,
                      const PlayerList* l2, int reactionType, int method) {
    for (const PlayerRef& entry : list) {
        Player& player = *entry.player;
        if (classifyPlayer_CMA(player, parameter.kind, method) != 0) return -1;
        // A template is not used up by transcription or translation.
        bool isTemplate = role == ROLE_REACTANT && (reactionType == REACTION_TRANSCRIPTION ||
                                                    reactionType == REACTION_TRANSLATION);
        if (isTemplate) continue;
        Term term;
        double stoichiometry = entry.ref->stoichiometry;
        term.coefficient = sign == SIGN_CONSUMED ? -stoichiometry : stoichiometry;
        term.parameterKind = parameter.kind;
        term.parameterNumber = parameter.number;
        appendFactors(term.factors, &l1);
        appendFactors(term.factors, l2);
        equationOf(context, player).terms.push_back(std::move(term));
    }
    return 0;
}

int convertStep_CMA(ConversionContext& context, const KineticParameter& parameter, int reactionType,
                    int method, StepList l1, StepList l2, StepList r1, StepList r2) {
    const PlayerList& left = *l1.list;
    auto convert = [&](const StepList& step, int sign) {
        if (step.list == nullptr) return 0;
        return convertPlayer_CMA(context, parameter, *step.list, sign, step.role, left, l2.list,
                                 reactionType, method);
    };
    if (convert(l1, SIGN_CONSUMED) != 0 || convert(l2, SIGN_CONSUMED) != 0 ||
        convert(r1, SIGN_PRODUCED) != 0 || convert(r2, SIGN_PRODUCED) != 0) {
        return -1;
    }
    if (parameter.kind != PARAM_KA) return 0;
    return checkBindingBalance(context, left, l2.list, r1.list);
}
