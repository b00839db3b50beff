#include "test_support.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "log.h"

namespace zymorax::testkit {

const char* const kUnset = "\x01unset";

TempDir::TempDir() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/zymorax-test-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void write_file(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool file_exists(const std::string& path) { return std::filesystem::exists(path); }

std::string build_dir() { return ZYMORAX_BUILD_DIR_VALUE; }
std::string source_dir() { return ZYMORAX_SOURCE_DIR_VALUE; }
std::string program_path(const std::string& name) { return build_dir() + "/bin/" + name; }

namespace {

void apply_environment(const std::map<std::string, std::string>& env) {
    for (const auto& [name, value] : env) {
        if (value == kUnset) {
            unsetenv(name.c_str());
        } else {
            setenv(name.c_str(), value.c_str(), 1);
        }
    }
}

// In the child: redirect, change folder, set the environment and replace the process.
[[noreturn]] void exec_child(const std::string& program, const std::vector<std::string>& args,
                             const std::string& cwd, const std::map<std::string, std::string>& env,
                             const std::string& out_path, const std::string& err_path) {
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int err = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
    int null_in = open("/dev/null", O_RDONLY);
    if (null_in >= 0) dup2(null_in, 0);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(127);
    apply_environment(env);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
}

}  // namespace

RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const std::string& cwd, const std::map<std::string, std::string>& env) {
    TempDir capture;
    std::string out_path = capture.file("out");
    std::string err_path = capture.file("err");
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid < 0) throw std::runtime_error("fork failed");
    if (pid == 0) exec_child(program, args, cwd, env, out_path, err_path);
    int wait_status = 0;
    while (waitpid(pid, &wait_status, 0) < 0) {
    }
    RunResult result;
    result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
    result.out = read_file(out_path);
    result.err = read_file(err_path);
    return result;
}

LogCapture::LogCapture() : path_(dir_.file("sys.log")) {
    setenv("ZYMORAX_SYSLOG", path_.c_str(), 1);
    if (log_sysinit(0, nullptr) != 0) throw std::runtime_error("cannot capture the system log");
}

LogCapture::~LogCapture() {
    log_sysfinalize();
    unsetenv("ZYMORAX_SYSLOG");
}

std::string LogCapture::take() {
    std::string text = read_file(path_);
    std::ofstream(path_, std::ios::trunc);
    return text;
}

}  // namespace zymorax::testkit
