// Compiling symcode's C files into callable code: TinyCC compiles in memory within seconds even
// for megabytes of code; the system compiler optimises (-O2) into a shared library that is kept
// in a cache, keyed by what went into it, so that a rerun does not compile again.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace kinesim {

enum class CodeCompiler { TinyCC, System };

// What one compilation takes: the C files, the folder of kine.h and MAX_VAR_NUM.
struct BuildRequest {
    std::vector<std::string> files;
    std::string kineDir;
    int maxVarNum = 0;
};

// Compiled code; symbol() is the address of a function or variable it defines, or nullptr.
class LoadedCode {
  public:
    virtual ~LoadedCode() = default;
    virtual void* symbol(const char* name) = 0;
};

// Both return nullptr after logging the compiler's messages.
std::unique_ptr<LoadedCode> build_with_tinycc(const BuildRequest& request);
std::unique_ptr<LoadedCode> build_with_system_compiler(const BuildRequest& request);

}  // namespace kinesim
