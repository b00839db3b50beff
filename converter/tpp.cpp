#include "tpp.h"

#include <iterator>

#include "log.h"
#include "methods.h"
#include "tpp_steps.h"

namespace {

bool isTppMethod(int method) {
    return method == METHOD_TPP_STEADYSTATE_1 || method == METHOD_TPP_STEADYSTATE_2 ||
           method == METHOD_TPP_RAPID;
}

int runSteps(ConversionContext& context) {
    if (moveMonomerEqs(context) != 0) return -1;
    // Player kinds stay as they are from here on, so the contents are evaluated once.
    MonomerContents contents(context);
    if (makeTotalDiffEqs(context, contents) != 0) return -1;
    if (makeTotalAlgebraicEqs(context, contents) != 0) return -1;
    if (calcInitialVal(context, contents) != 0) return -1;
    return refineComplexEqs(context);
}

}  // namespace

int moveMonomerEqs(ConversionContext& context) {
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind != PLAYER_ALGEBRAIC_TOTAL) continue;
        std::vector<Term>& from = context.equations[i].terms;
        std::vector<Term>& to = context.totalEquations[i].terms;
        to.insert(to.end(), std::make_move_iterator(from.begin()),
                  std::make_move_iterator(from.end()));
        from.clear();
        context.totalPlayers[i].kind = PLAYER_DIFFERENTIAL;
    }
    log_sys("## Pass moveMonomerEqs.\n\n");
    return 0;
}

int SetTPP(ConversionContext& context) {
    if (!isTppMethod(context.geneProteinMethod)) return 0;
    if (runSteps(context) != 0) {
        log_sys("## Error!! in  SetTPP.\n");
        return -1;
    }
    return 0;
}
