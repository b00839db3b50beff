// The system C compiler (cc, or the one CC names) at -O2, into a shared library kept in the build
// cache under a key of everything that went into it: the compiler, the flags, kine.h and the C
// files. Without a cache folder the library is made in a scratch folder and not kept.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "build_cache.h"
#include "code_build.h"
#include "log.h"
#include "process_run.h"

namespace kinesim {

namespace fs = std::filesystem;

namespace {

class SharedLibrary : public LoadedCode {
  public:
    explicit SharedLibrary(void* handle) : handle_(handle) {}
    ~SharedLibrary() override { dlclose(handle_); }
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;
    void* symbol(const char* name) override { return dlsym(handle_, name); }

  private:
    void* handle_;
};

std::string file_text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// The compiler's messages, at most `limit` lines of them.
std::string first_lines(const std::string& path, int limit) {
    std::ifstream in(path);
    std::string line, text;
    for (int count = 0; count < limit && std::getline(in, line); ++count) text += line + "\n";
    return text;
}

std::string compiler_program() {
    const char* cc = std::getenv("CC");
    return cc != nullptr && *cc != '\0' ? cc : "cc";
}

// No contraction into fused multiply-adds: the code computes what TinyCC's build computes.
std::vector<std::string> compiler_flags(const BuildRequest& request) {
    return {"-O2",   "-ffp-contract=off",    "-shared",
            "-fPIC", "-I" + request.kineDir, "-DMAX_VAR_NUM=" + std::to_string(request.maxVarNum)};
}

// The key of a build: the compiler (path, size, time), the flags, kine.h and the files.
std::string build_key(const BuildRequest& request, const std::vector<std::string>& flags) {
    std::string compiler = find_on_path(compiler_program());
    struct stat info {};
    std::string identity = compiler;
    if (!compiler.empty() && stat(compiler.c_str(), &info) == 0) {
        identity += " " + std::to_string(info.st_size) + " " + std::to_string(info.st_mtime);
    }
    std::vector<std::string> parts = {"kinesim-cc-1", identity};
    parts.insert(parts.end(), flags.begin(), flags.end());
    parts.push_back(file_text(request.kineDir + "/kine.h"));
    for (const std::string& file : request.files) parts.push_back(file_text(file));
    return content_key(parts);
}

int compile(const BuildRequest& request, const std::vector<std::string>& flags,
            const std::string& library, const std::string& messageFile) {
    std::vector<std::string> args = flags;
    args.push_back("-o");
    args.push_back(library);
    for (const std::string& file : request.files) args.push_back(fs::absolute(file).string());
    args.push_back("-lm");
    std::string compiler = compiler_program();
    int status = run_and_wait(compiler, args, messageFile);
    if (status > 0 && InterruptHold::pending() == 0) {
        log_sys("%s cannot compile %s (exit status %d):\n%s", compiler.c_str(),
                request.files.front().c_str(), status, first_lines(messageFile, 20).c_str());
    }
    return status == 0 ? 0 : -1;
}

std::unique_ptr<LoadedCode> open_library(const std::string& library) {
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        log_sys("Cannot load the compiled model %s: %s\n", library.c_str(), dlerror());
        return nullptr;
    }
    return std::make_unique<SharedLibrary>(handle);
}

// Compiles into the cache folder under a temporary name, then renames: a library in the cache
// is always complete, even when two runs build it at once.
int compile_into_cache(const BuildRequest& request, const std::vector<std::string>& flags,
                       const std::string& library, const ScratchDir& scratch) {
    std::string partial = library + ".part" + std::to_string(getpid());
    if (compile(request, flags, partial, scratch.file("cc.log")) != 0) {
        std::error_code ignored;
        fs::remove(partial, ignored);
        return -1;
    }
    std::error_code error;
    fs::rename(partial, library, error);
    if (error) log_sys("Cannot store %s: %s\n", library.c_str(), error.message().c_str());
    return error ? -1 : 0;
}

// A folder the cache makes is private to the user; one that exists is left as it is.
bool make_cache_dir(const std::string& dir) {
    std::error_code error;
    if (fs::create_directories(dir, error)) {
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, error);
    }
    return fs::is_directory(dir, error) && access(dir.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::unique_ptr<LoadedCode> build_with_system_compiler(const BuildRequest& request) {
    InterruptHold hold;  // first in, last out: after the scratch folder and the partial file
    ScratchDir scratch;
    if (!scratch.ok()) return nullptr;
    std::vector<std::string> flags = compiler_flags(request);
    std::string cacheDir = build_cache_dir();
    if (cacheDir.empty() || !make_cache_dir(cacheDir)) {
        std::string library = scratch.file("model.so");
        if (compile(request, flags, library, scratch.file("cc.log")) != 0) return nullptr;
        return open_library(library);
    }
    std::string library = cacheDir + "/" + build_key(request, flags) + ".so";
    std::error_code ignored;
    if (fs::is_regular_file(library, ignored)) {
        void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle != nullptr) return std::make_unique<SharedLibrary>(handle);
        fs::remove(library, ignored);  // damaged: made again below
    }
    if (compile_into_cache(request, flags, library, scratch) != 0) return nullptr;
    return open_library(library);
}

}  // namespace kinesim
