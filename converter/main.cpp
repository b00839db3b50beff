// rxnconv: converts a reaction-network model into a DAE file, or lists its chemical equations.
#include <cstdio>
#include <cstdlib>

#include "convert_mode.h"
#include "java_vm.h"
#include "listing_mode.h"
#include "log.h"
#include "sanitizer.h"
#include "startup.h"

#if defined(ZYMORAX_ADDRESS_SANITIZER)
// The hosted JVM handles SIGSEGV, SIGBUS and SIGFPE itself (null checks, safepoints, division
// checks) and keeps its own allocations until the process ends, so a sanitized build lets those
// signals through and does not report leaks.
extern "C" const char* __asan_default_options() {
    return "handle_segv=0:handle_sigbus=0:handle_sigfpe=0:allow_user_segv_handler=1:detect_leaks=0";
}
#endif

namespace {

[[noreturn]] void endRun(int status) {
    log_sysfinalize();
    log_dbgfinalize();
    exit(status);
}

// The step that runs the chosen mode; its failure line names the mode.
int runMode(JNIEnv* env, const RunSetup& setup) {
    if (setup.processingMode == MODE_CONVERT) {
        if (parseNCE(env, setup) == 0) return 0;
        log_sys("parseNCE failed.\n");
        return -1;
    }
    if (convertphp(env, setup) == 0) return 0;
    log_sys("convertphp failed.\n");
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const char* teluvHome = getenv("TELUV_HOME");
    if (teluvHome == nullptr) {
        printf("Not found TELUV_HOME\n");
        return -1;
    }
    const char* xercesHome = getenv("XERCES_HOME");
    if (xercesHome == nullptr) {
        printf("Not found XERCES_HOME\n");
        return -1;
    }
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;
    int created = createJavaVm(javaVmOptions(teluvHome, xercesHome), &vm, &env);
    if (created < 0) {
        log_sys("Can't create Java VM [%d]\n", created);
        endRun(-1);
    }
    if (log_dbginit(argc, argv) < 0) {
        printf("Cannot open dbgLog file!!");
        endRun(-2);
    }
    if (log_sysinit(argc, argv) < 0) {
        printf("Cannot open sysLog file!!");
        endRun(-1);
    }
    RunSetup setup;
    if (initialize(argc, argv, setup) != 0) {
        discardOutputFiles(setup);
        log_sys("initialization failed.\n");
        endRun(-1);
    }
    if (runMode(env, setup) != 0) {
        discardOutputFiles(setup);
        endRun(-1);
    }
    vm->DestroyJavaVM();
    // Buffered output reaches the files only now; a failure here must not pass as success.
    if (closeOutputFiles(setup) != 0) {
        log_sys("rxnconv: cannot finish writing the output files.\n");
        endRun(-1);
    }
    endRun(0);
}
