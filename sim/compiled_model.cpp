#include "compiled_model.h"

#include <cstdlib>
#include <filesystem>

#include "derived_pattern.h"
#include "log.h"

#ifndef ZYMORAX_SIM_SOURCE_DIR
#define ZYMORAX_SIM_SOURCE_DIR ""
#endif

namespace kinesim {

namespace fs = std::filesystem;

namespace {

bool holds_kine_h(const std::string& dir) {
    std::error_code ignored;
    return !dir.empty() && fs::is_regular_file(fs::path(dir) / "kine.h", ignored);
}

std::string program_dir() {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? "" : self.parent_path().string();
}

}  // namespace

std::string find_kine_dir(const std::string& option) {
    if (!option.empty()) {
        if (holds_kine_h(option)) return option;
        log_sys("There is no kine.h in %s (option -K).\n", option.c_str());
        return "";
    }
    const char* env = std::getenv("ZYMORAX_KINE_DIR");
    if (env != nullptr && *env != '\0') {
        if (holds_kine_h(env)) return env;
        log_sys("There is no kine.h in %s (ZYMORAX_KINE_DIR).\n", env);
        return "";
    }
    std::string installed = program_dir() + "/../include";
    if (holds_kine_h(installed)) return installed;
    if (holds_kine_h(ZYMORAX_SIM_SOURCE_DIR)) return ZYMORAX_SIM_SOURCE_DIR;
    log_sys("Cannot find kine.h: name its folder with -K or ZYMORAX_KINE_DIR.\n");
    return "";
}

CompiledModel::CompiledModel() = default;
CompiledModel::~CompiledModel() = default;

int CompiledModel::derive_sparse_pattern(Parameter* parameters, int variableCount) {
    if (sparse.colptr != nullptr) return 0;
    derived_ = std::make_unique<DerivedPattern>();
    if (derived_->derive(fjac, parameters, variableCount) != 0) return -1;
    sparse = derived_->code();
    return 0;
}

int CompiledModel::load(const std::string& codeFile, const std::string& jacobianFile,
                        const std::string& derivativesFile, const std::string& kineDir,
                        int variableCount, CodeCompiler compiler) {
    BuildRequest request{{codeFile}, kineDir, variableCount + 1};
    if (!jacobianFile.empty()) request.files.push_back(jacobianFile);
    if (!derivativesFile.empty()) request.files.push_back(derivativesFile);
    code_ = compiler == CodeCompiler::TinyCC ? build_with_tinycc(request)
                                             : build_with_system_compiler(request);
    if (code_ == nullptr) return -1;
    fvec = reinterpret_cast<UsrFvec>(code_->symbol("usr_fvec"));
    fjac = reinterpret_cast<UsrFjac>(code_->symbol("usr_fjac"));
    if (fvec == nullptr || fjac == nullptr) {
        log_sys("%s defines no %s.\n", codeFile.c_str(), fvec == nullptr ? "usr_fvec" : "usr_fjac");
        return -1;
    }
    if (!derivativesFile.empty() && find_parameter_jacobian(derivativesFile) != 0) return -1;
    return jacobianFile.empty() ? 0 : find_sparse_jacobian(jacobianFile, variableCount);
}

int CompiledModel::find_symbols(const char* const names[], void* found[], int count,
                                const std::string& file) const {
    for (int i = 0; i < count; ++i) {
        found[i] = code_->symbol(names[i]);
        if (found[i] == nullptr) {
            log_sys("%s defines no %s.\n", file.c_str(), names[i]);
            return -1;
        }
    }
    return 0;
}

int CompiledModel::find_parameter_jacobian(const std::string& derivativesFile) {
    const char* names[] = {"usr_fpar_n",       "usr_fpar_columns", "usr_fpar_nnz",
                           "usr_fpar_label",   "usr_fpar_element", "usr_fpar_colptr",
                           "usr_fpar_rowidx",  "usr_fpar_csc"};
    void* found[8];
    if (find_symbols(names, found, 8, derivativesFile) != 0) return -1;
    ParameterJacobianCode& code = parameterJacobian;
    code.n = *static_cast<const int*>(found[0]);
    code.columns = *static_cast<const int*>(found[1]);
    code.nnz = *static_cast<const int*>(found[2]);
    code.label = static_cast<const int*>(found[3]);
    code.element = static_cast<const int*>(found[4]);
    code.colptr = static_cast<const int*>(found[5]);
    code.rowidx = static_cast<const int*>(found[6]);
    code.values = reinterpret_cast<UsrFparCsc>(found[7]);
    return 0;
}

int CompiledModel::find_sparse_jacobian(const std::string& jacobianFile, int variableCount) {
    const char* names[] = {"usr_fjac_n", "usr_fjac_nnz", "usr_fjac_colptr", "usr_fjac_rowidx",
                           "usr_fjac_csc"};
    void* found[5];
    if (find_symbols(names, found, 5, jacobianFile) != 0) return -1;
    sparse.n = *static_cast<const int*>(found[0]);
    sparse.nnz = *static_cast<const int*>(found[1]);
    sparse.colptr = static_cast<const int*>(found[2]);
    sparse.rowidx = static_cast<const int*>(found[3]);
    sparse.values = reinterpret_cast<UsrFjacCsc>(found[4]);
    return check_sparse_pattern(sparse, variableCount, jacobianFile);
}

}  // namespace kinesim
