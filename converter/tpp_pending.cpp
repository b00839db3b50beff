// The TPP rework is added by a later part of the converter; until it lands a TPP run fails
// instead of writing the plain CMA equations under a TPP heading.
#include "log.h"
#include "methods.h"
#include "tpp.h"

int SetTPP(ConversionContext& context) {
    log_sys("SetTPP: the conversion method '%s' is not available yet.\n",
            methodName(context.geneProteinMethod));
    return -1;
}
