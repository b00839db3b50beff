#include "compiled_model.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "log.h"
#include "process_run.h"

#ifndef ZYMORAX_SIM_SOURCE_DIR
#define ZYMORAX_SIM_SOURCE_DIR ""
#endif

namespace kinesim {

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kLargeCodeBytes = 256 * 1024;

// The Gene argument of the generated functions: ZYMORAX_CTL.G_VALUE of the MATLAB side.
constexpr double kGeneValue = 1.0;

bool holds_kine_h(const std::string& dir) {
    std::error_code ignored;
    return !dir.empty() && fs::is_regular_file(fs::path(dir) / "kine.h", ignored);
}

std::string program_dir() {
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? "" : self.parent_path().string();
}

// The compiler's messages, at most `limit` lines of them.
std::string first_lines(const std::string& path, int limit) {
    std::ifstream in(path);
    std::string line, text;
    for (int count = 0; count < limit && std::getline(in, line); ++count) text += line + "\n";
    return text;
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

CompiledModel::~CompiledModel() {
    if (handle_ != nullptr) dlclose(handle_);
}

int CompiledModel::load(const std::string& codeFile, const std::string& kineDir,
                        int variableCount) {
    ScratchDir scratch;
    if (!scratch.ok()) return -1;
    const char* cc = std::getenv("CC");
    std::string compiler = cc != nullptr && *cc != '\0' ? cc : "cc";
    std::string library = scratch.file("model.so");
    // Optimising the straight-line code of a large network costs more time than it saves: the
    // dense linear algebra dominates the run there.
    std::error_code ignored;
    bool large = fs::file_size(codeFile, ignored) > kLargeCodeBytes;
    std::vector<std::string> args = {large ? "-O0" : "-O1",
                                     "-shared",
                                     "-fPIC",
                                     "-I" + kineDir,
                                     "-DMAX_VAR_NUM=" + std::to_string(variableCount + 1),
                                     "-o",
                                     library,
                                     fs::absolute(codeFile).string(),
                                     "-lm"};
    int status = run_and_wait(compiler, args, scratch.file("cc.log"));
    if (status != 0) {
        if (status > 0) {
            log_sys("%s cannot compile %s (exit status %d):\n%s", compiler.c_str(),
                    codeFile.c_str(), status, first_lines(scratch.file("cc.log"), 20).c_str());
        }
        return -1;
    }
    handle_ = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        log_sys("Cannot load the compiled %s: %s\n", codeFile.c_str(), dlerror());
        return -1;
    }
    fvec = reinterpret_cast<UsrFvec>(dlsym(handle_, "usr_fvec"));
    fjac = reinterpret_cast<UsrFjac>(dlsym(handle_, "usr_fjac"));
    if (fvec == nullptr || fjac == nullptr) {
        log_sys("%s defines no %s.\n", codeFile.c_str(), fvec == nullptr ? "usr_fvec" : "usr_fjac");
        return -1;
    }
    return 0;
}

ModelFunctions::ModelFunctions(UsrFvec fvec, UsrFjac fjac, Parameter* parameters, int variableCount)
    : fvec_(fvec),
      fjac_(fjac),
      parameters_(parameters),
      n_(variableCount),
      y_(variableCount + 1, 0.0),
      f_(variableCount + 1, 0.0),
      fjacRows_(static_cast<size_t>(variableCount + 1) * (variableCount + 1), 0.0) {}

void ModelFunctions::rhs(const double* y, double* f) {
    std::copy(y, y + n_, y_.begin() + 1);
    std::fill(f_.begin(), f_.end(), 0.0);
    fvec_(f_.data(), y_.data(), kGeneValue, parameters_);
    std::copy(f_.begin() + 1, f_.end(), f);
}

void ModelFunctions::jacobian(const double* y, double* jacobian) {
    std::copy(y, y + n_, y_.begin() + 1);
    std::fill(fjacRows_.begin(), fjacRows_.end(), 0.0);
    fjac_(fjacRows_.data(), y_.data(), kGeneValue, parameters_);
    size_t row = static_cast<size_t>(n_) + 1;
    for (int i = 0; i < n_; ++i) {
        std::copy_n(fjacRows_.begin() + (i + 1) * row + 1, n_,
                    jacobian + static_cast<size_t>(i) * n_);
    }
}

}  // namespace kinesim
