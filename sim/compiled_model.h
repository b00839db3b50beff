// symcode's C code compiled with the system C compiler into a shared library and loaded.
#pragma once

#include <string>
#include <vector>

#include "kine.h"

namespace kinesim {

using UsrFvec = void (*)(double fvec[], double y[], double Gene, Parameter* p);
using UsrFjac = void (*)(double* fjac, double y[], double Gene, Parameter* p);  // rows of n + 1

// The folder holding kine.h: `option` when given, else ZYMORAX_KINE_DIR, else include/ beside
// the program's bin/ folder, else the source folder. "" after logging when none holds it.
std::string find_kine_dir(const std::string& option);

class CompiledModel {
  public:
    CompiledModel() = default;
    ~CompiledModel();
    CompiledModel(const CompiledModel&) = delete;
    CompiledModel& operator=(const CompiledModel&) = delete;

    // Compiles `codeFile` for `variableCount` variables (MAX_VAR_NUM = variableCount + 1) with
    // the compiler named by CC (default cc) and loads usr_fvec and usr_fjac. 0, or -1 after
    // logging (with the compiler's messages when it fails).
    int load(const std::string& codeFile, const std::string& kineDir, int variableCount);

    UsrFvec fvec = nullptr;
    UsrFjac fjac = nullptr;

  private:
    void* handle_ = nullptr;
};

// The generated functions with their parameters, called with 0-based vectors.
class ModelFunctions {
  public:
    ModelFunctions(UsrFvec fvec, UsrFjac fjac, Parameter* parameters, int variableCount);

    // f = usr_fvec(y); both of variableCount entries.
    void rhs(const double* y, double* f);
    // jacobian[i * n + j] = d f_i / d y_j (row-major, n x n).
    void jacobian(const double* y, double* jacobian);
    int size() const { return n_; }

  private:
    UsrFvec fvec_;
    UsrFjac fjac_;
    Parameter* parameters_;
    int n_;
    std::vector<double> y_, f_, fjacRows_;  // 1-based buffers for the generated code
};

}  // namespace kinesim
