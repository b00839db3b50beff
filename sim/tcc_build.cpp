// TinyCC, in memory. The generated code needs nothing from TinyCC's own run-time library, and
// the math functions it may call are handed over directly, so that no library search can fail.
#include <libtcc.h>

#include <cmath>
#include <string>

#include "code_build.h"
#include "log.h"

namespace kinesim {

namespace {

constexpr int kMessageLimit = 20;

class TinyCCCode : public LoadedCode {
  public:
    TinyCCCode() : state_(tcc_new()) {}
    ~TinyCCCode() override {
        if (state_ != nullptr) tcc_delete(state_);
    }
    TinyCCCode(const TinyCCCode&) = delete;
    TinyCCCode& operator=(const TinyCCCode&) = delete;

    TCCState* state() { return state_; }
    void* symbol(const char* name) override { return tcc_get_symbol(state_, name); }

    std::string messages;
    int messageCount = 0;

  private:
    TCCState* state_;
};

void keep_message(void* opaque, const char* message) {
    auto* code = static_cast<TinyCCCode*>(opaque);
    if (++code->messageCount <= kMessageLimit) code->messages += std::string(message) + "\n";
}

using Unary = double (*)(double);
using Binary = double (*)(double, double);

void add_math_functions(TCCState* state) {
    const std::pair<const char*, Unary> unary[] = {
        {"log", std::log},     {"exp", std::exp},     {"sqrt", std::sqrt}, {"fabs", std::fabs},
        {"log10", std::log10}, {"log2", std::log2},   {"exp2", std::exp2}, {"cbrt", std::cbrt},
        {"sin", std::sin},     {"cos", std::cos},     {"tan", std::tan},   {"asin", std::asin},
        {"acos", std::acos},   {"atan", std::atan},   {"sinh", std::sinh}, {"cosh", std::cosh},
        {"tanh", std::tanh},   {"floor", std::floor}, {"ceil", std::ceil}};
    const std::pair<const char*, Binary> binary[] = {{"pow", std::pow},   {"atan2", std::atan2},
                                                     {"fmod", std::fmod}, {"hypot", std::hypot},
                                                     {"fmin", std::fmin}, {"fmax", std::fmax}};
    for (const auto& [name, function] : unary) {
        tcc_add_symbol(state, name, reinterpret_cast<const void*>(function));
    }
    for (const auto& [name, function] : binary) {
        tcc_add_symbol(state, name, reinterpret_cast<const void*>(function));
    }
}

}  // namespace

std::unique_ptr<LoadedCode> build_with_tinycc(const BuildRequest& request) {
    auto code = std::make_unique<TinyCCCode>();
    TCCState* state = code->state();
    if (state == nullptr) {
        log_sys("Cannot start TinyCC.\n");
        return nullptr;
    }
    tcc_set_error_func(state, code.get(), keep_message);
    tcc_set_options(state, "-nostdlib");
    tcc_set_output_type(state, TCC_OUTPUT_MEMORY);
    tcc_add_include_path(state, request.kineDir.c_str());
    tcc_define_symbol(state, "MAX_VAR_NUM", std::to_string(request.maxVarNum).c_str());
    add_math_functions(state);
    bool compiled = true;
    for (const std::string& file : request.files) {
        compiled = compiled && tcc_add_file(state, file.c_str()) == 0;
    }
    if (!compiled || tcc_relocate(state, TCC_RELOCATE_AUTO) < 0) {
        std::string files;
        for (const std::string& file : request.files) files += (files.empty() ? "" : " ") + file;
        log_sys("TinyCC cannot compile %s:\n%s", files.c_str(), code->messages.c_str());
        return nullptr;
    }
    return code;
}

}  // namespace kinesim
