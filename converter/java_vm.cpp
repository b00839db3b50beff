#include "java_vm.h"

#include "format.h"

namespace {

constexpr jint kRequestedJniVersion = 0x00010004;

// Option texts were formatted into scratch buffers of this size; keep the bound.
constexpr size_t kScratchLimit = 262143;

std::string bounded(std::string text) {
    if (text.size() > kScratchLimit) text.resize(kScratchLimit);
    return text;
}

}  // namespace

std::vector<std::string> javaVmOptions(const std::string& teluvHome, const std::string& xercesHome) {
    const char* teluv = teluvHome.c_str();
    const char* xerces = xercesHome.c_str();
    return {
        "-Djava.compiler=NONE",
        bounded(zymorax::format("-Djava.class.path=%s/Tools/classes:%s/xmlParserAPIs.jar:%s/xercesImpl.jar",
                                teluv, xerces, xerces)),
        bounded(zymorax::format("-Djava.library.path=%s/Tools/lib", teluv)),
    };
}

int createJavaVm(const std::vector<std::string>& options, JavaVM** vm, JNIEnv** env) {
    std::vector<JavaVMOption> vmOptions(options.size());
    for (size_t i = 0; i < options.size(); ++i) {
        vmOptions[i].optionString = const_cast<char*>(options[i].c_str());
        vmOptions[i].extraInfo = nullptr;
    }
    JavaVMInitArgs args;
    args.version = kRequestedJniVersion;
    args.nOptions = static_cast<jint>(vmOptions.size());
    args.options = vmOptions.data();
    args.ignoreUnrecognized = JNI_TRUE;
    JNI_GetDefaultJavaVMInitArgs(&args);
    return JNI_CreateJavaVM(vm, reinterpret_cast<void**>(env), &args);
}
