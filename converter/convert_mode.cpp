#include "convert_mode.h"

#include "log.h"
#include "model_loader.h"
#include "output_info.h"

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
    // Unlike a silent writer, a failed write (a full disk) fails the run.
    if (writeOutputFile(info, setup.usageFile, 1) != 0 || writeOutputFile(info, setup.daeFile, 2) != 0) {
        log_sys("writeOutputFile failed.\n");
        return -1;
    }
    return 0;
}
