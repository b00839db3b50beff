// symcode's C code compiled and loaded: the -C file (usr_fvec, usr_fjac) and, when given, the -J
// file (the Jacobian in compressed-column form) and the -Q file (d f / d p).
#pragma once

#include <memory>
#include <string>

#include "code_build.h"
#include "kine.h"
#include "parameter_jacobian.h"
#include "sparse_jacobian.h"

namespace kinesim {

class DerivedPattern;

using UsrFvec = void (*)(double fvec[], double y[], double Gene, Parameter* p);
using UsrFjac = void (*)(double* fjac, double y[], double Gene, Parameter* p);  // rows of n + 1

// The folder holding kine.h: `option` when given, else ZYMORAX_KINE_DIR, else include/ beside
// the program's bin/ folder, else the source folder. "" after logging when none holds it.
std::string find_kine_dir(const std::string& option);

class CompiledModel {
  public:
    CompiledModel();
    ~CompiledModel();
    CompiledModel(const CompiledModel&) = delete;
    CompiledModel& operator=(const CompiledModel&) = delete;

    // Compiles `codeFile`, and `jacobianFile` and `derivativesFile` unless they are "", for
    // `variableCount` variables (MAX_VAR_NUM = variableCount + 1) and finds their functions; the
    // -J file's pattern is checked (the -Q file's needs the parameters: check_parameter_jacobian).
    // 0, or -1 after logging (with the compiler's messages when it fails).
    int load(const std::string& codeFile, const std::string& jacobianFile,
             const std::string& derivativesFile, const std::string& kineDir, int variableCount,
             CodeCompiler compiler);

    // Without a -J file, `sparse` becomes the pattern of the entries usr_fjac writes (called
    // once with `parameters`). 0, or -1 after logging.
    int derive_sparse_pattern(Parameter* parameters, int variableCount);

    UsrFvec fvec = nullptr;
    UsrFjac fjac = nullptr;
    SparseJacobianCode sparse;  // sparse.colptr is nullptr without a -J file or derived pattern
    ParameterJacobianCode parameterJacobian;  // values is nullptr without a -Q file

  private:
    int find_sparse_jacobian(const std::string& jacobianFile, int variableCount);
    int find_parameter_jacobian(const std::string& derivativesFile);
    // found[i] = the address of names[i] in the loaded code; -1 after naming the first missing.
    int find_symbols(const char* const names[], void* found[], int count,
                     const std::string& file) const;

    std::unique_ptr<LoadedCode> code_;
    std::unique_ptr<DerivedPattern> derived_;
};

}  // namespace kinesim
