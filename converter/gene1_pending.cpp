// Regulated transcription is converted by a later part of the converter; until it lands such a
// reaction is refused instead of being converted wrongly.
#include "gene1.h"
#include "log.h"

int convertReaction_CMA_gene1(ConversionContext&, const CmaReaction&) {
    log_sys("convertReaction_CMA_gene1: transcription with modifiers cannot be converted yet.\n");
    return -1;
}
