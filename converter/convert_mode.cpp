#include "convert_mode.h"

#include "log.h"
#include "methods.h"
#include "model_loader.h"
#include "output_info.h"
#include "vocabulary.h"

namespace {

int reactionCount(const Model& model) {
    int count = 0;
    for (const ReactionLayer& layer : model.listOfReactions) count += layer.numberOfReactions();
    return count;
}

bool hasVariables(const OutputInfo& info) {
    return !info.algebraicTotalVars.empty() || !info.algebraicZeroVars.empty() || !info.differentialVars.empty() ||
           !info.fluxVars.empty() || !info.differentialTotals.empty();
}

// True when a layer that holds reactions was left unconverted (method NONE) on request.
bool leavesReactionsOut(const Model& model, const OutputInfo& info) {
    for (const ReactionLayer& layer : model.listOfReactions) {
        int method = layer.layer == LAYER_METABOLIC ? info.metabolicMethod : info.geneProteinMethod;
        if (layer.numberOfReactions() > 0 && method == METHOD_NONE) return true;
    }
    return false;
}

// A model without reactions (one of rules alone), or one whose converted reactions leave no
// variable, would give a DAE file without equations: it is refused instead. A file left empty
// because a layer's method is NONE is what was asked for.
int checkNetwork(const Model& model, const OutputInfo& info) {
    if (hasVariables(info)) return 0;
    if (reactionCount(model) == 0) {
        log_sys("parseNCE: the model has no reactions: it is not a reaction network, so there is nothing "
                "to convert.\n");
        return -1;
    }
    if (leavesReactionsOut(model, info)) return 0;
    log_sys("parseNCE: the conversion gives no variables (every species that the converted reactions "
            "change is constant), so there is no DAE file to write.\n");
    return -1;
}

}  // namespace

int parseNCE(JNIEnv* env, const RunSetup& setup) {
    Model model;
    if (ParseXML(env, setup.modelPath.c_str(), model) != 0) {
        log_sys("ParseXML failed.\n");
        return -1;
    }
    OutputInfo info;
    info.geneProteinMethod = setup.geneProteinMethod;
    info.metabolicMethod = setup.metabolicMethod;
    if (MakeOutputInfo(model, info) != 0) {
        log_sys("MakeOutputInfo failed.\n");
        return -1;
    }
    if (checkNetwork(model, info) != 0) return -1;
    // Unlike a silent writer, a failed write (a full disk) fails the run.
    if (writeOutputFile(info, setup.usageFile.stream(), 1) != 0 ||
        writeOutputFile(info, setup.daeFile.stream(), 2) != 0) {
        log_sys("writeOutputFile failed.\n");
        return -1;
    }
    return 0;
}
