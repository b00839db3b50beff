// The initial amount of each mass-balanced monomer's total.
#include "log.h"
#include "tpp_steps.h"

namespace {

// The monomer's own amount plus its content of each complex times the complex's amount; no
// value when the monomer or one of those complexes has none.
void setTotalInitialAmount(ConversionContext& context, MonomerContents& contents, int monomer) {
    const Player& player = context.players[monomer];
    Player& total = context.totalPlayers[monomer];
    if (player.initialAmountValid == 2) {
        total.initialAmountValid = 2;
        return;
    }
    double amount = player.initialAmount;
    for (const MonomerContents::Share& share : contents.sharesOf(monomer)) {
        const Player& complex = context.players[share.complex];
        if (complex.initialAmountValid != 1) {
            total.initialAmountValid = 2;
            return;
        }
        amount += share.content * complex.initialAmount;
    }
    total.initialAmountValid = 1;
    total.initialAmount = amount;
}

}  // namespace

int calcInitialVal(ConversionContext& context, MonomerContents& contents) {
    if (contents.evaluateAll("calcInitialVal") != 0) return -1;
    for (int i = 0; i < context.playerCount; ++i) {
        if (context.players[i].kind == PLAYER_ALGEBRAIC_TOTAL) {
            setTotalInitialAmount(context, contents, i);
        }
    }
    log_sys("## Pass calcInitialVal.\n\n");
    return 0;
}
