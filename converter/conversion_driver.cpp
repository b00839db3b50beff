// MakeOutputInfo: the conversion stages of convert mode in their fixed order. Each stage sees the
// player kinds that the stages before it have set.
#include "cma.h"
#include "context_builder.h"
#include "decomposition.h"
#include "gma.h"
#include "log.h"
#include "methods.h"
#include "output_gathering.h"
#include "output_info.h"
#include "term_text.h"
#include "tpp.h"
#include "unique_names.h"

namespace {

// Players whose equation got no term from the stages before become constants.
void makeTermlessConstants(ConversionContext& context, int fromKindLow, int fromKindHigh) {
    for (int i = 0; i < context.playerCount; ++i) {
        Player& player = context.players[i];
        if (player.kind >= fromKindLow && player.kind <= fromKindHigh &&
            context.equations[i].terms.empty()) {
            player.kind = PLAYER_CONSTANT;
        }
    }
}

// A differential variable whose terms all ended with coefficient 0 (the TPP eliminations can
// zero every term of a binding partner) would be listed without an equation, a file the compiler
// rejects; it stays at its initial amount, so it is written as a constant.
void makeEquationlessVariablesConstant(ConversionContext& context) {
    for (int i = 0; i < context.playerCount; ++i) {
        Player& player = context.players[i];
        bool differential = player.kind == PLAYER_DIFFERENTIAL || player.kind == PLAYER_DIFFERENTIAL_FLUX;
        if (differential && !hasWrittenTerm(context.equations[i])) player.kind = PLAYER_CONSTANT;
    }
    numberConstants(context);
}

int runCmaStage(ConversionContext& context, const Model& model) {
    if (classifyReaction_CMA(context, model) != 0) {
        log_sys("readReactions_CMA failed.\n");
        return -1;
    }
    if (methodFamily(context.geneProteinMethod) != FAMILY_CMA) return 0;
    if (execDecomposition(context, context.geneProteinMethod) != 0) {
        log_sys("execDecomposition(CMA) failed.\n");
        return -1;
    }
    makeTermlessConstants(context, PLAYER_ALGEBRAIC_ZERO, PLAYER_DIFFERENTIAL);
    if (context.geneProteinMethod != METHOD_CMA && SetTPP(context) != 0) {
        log_sys("TPP conversion failed.\n");
        return -1;
    }
    return 0;
}

int runGmaStage(ConversionContext& context, const Model& model) {
    if (checkReactions_GMA(context, model) != 0) {
        log_sys("ReadReactions_GMA failed.\n");
        return -1;
    }
    if (methodFamily(context.metabolicMethod) != FAMILY_GMA) return 0;
    if (execDecomposition(context, context.metabolicMethod) != 0) {
        log_sys("execDecomposition(GMA) failed.\n");
        return -1;
    }
    makeTermlessConstants(context, PLAYER_DIFFERENTIAL_FLUX, PLAYER_DIFFERENTIAL_FLUX);
    // Such a constant is written like any other, so it needs a number too.
    numberConstants(context);
    return 0;
}

}  // namespace

int MakeOutputInfo(Model& model, OutputInfo& info) {
    std::shared_ptr<ConversionContext> context =
        createConversionContext(model, info.geneProteinMethod, info.metabolicMethod);
    info.modelName = model.name;
    info.modelInfo = model.modelInfo;
    if (checkComplexElements(*context) != 0) {
        log_sys("checkComplexElements failed.\n");
        return -1;
    }
    if (runCmaStage(*context, model) != 0) return -1;
    numberConstants(*context);
    if (runGmaStage(*context, model) != 0) return -1;
    makeEquationlessVariablesConstant(*context);
    makeNamesUnique(*context);
    if (checkEquationReferences(*context) != 0) {
        log_sys("checkEquationReferences failed.\n");
        return -1;
    }
    gatherOutputInfo(std::move(context), info);
    return 0;
}
