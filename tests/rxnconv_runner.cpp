#include "rxnconv_runner.h"

#include <cstdio>

namespace zymorax::testkit {

RxnconvRunner::RxnconvRunner() = default;

RxnconvRun RxnconvRunner::run(const std::vector<std::string>& args, const std::map<std::string, std::string>& env) {
    std::string logPath = dir_.file("sys.log");
    std::remove(logPath.c_str());
    std::map<std::string, std::string> environment = {
        {"TELUV_HOME", build_dir()}, {"XERCES_HOME", build_dir()}, {"ZYMORAX_SYSLOG", logPath},
        {"ZYMORAX_DBGLOG", kUnset},  {"JAVA_TOOL_OPTIONS", kUnset},
    };
    for (const auto& [name, value] : env) environment[name] = value;
    RunResult result = run_program(program_path("rxnconv"), args, dir_.path(), environment);
    return {result.status, result.out, result.err, read_file(logPath)};
}

}  // namespace zymorax::testkit
