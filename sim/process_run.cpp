#include "process_run.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "log.h"

extern char** environ;

namespace kinesim {

std::string find_on_path(const std::string& program) {
    if (program.find('/') != std::string::npos) {
        return access(program.c_str(), X_OK) == 0 ? program : "";
    }
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string folder = folders.substr(start, end - start);
        std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
        start = end + 1;
    }
    return "";
}

int run_and_wait(const std::string& program, const std::vector<std::string>& args,
                 const std::string& outputFile) {
    std::string path = find_on_path(program);
    if (path.empty()) {
        log_sys("Cannot find the program '%s'.\n", program.c_str());
        return -1;
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    pid_t pid = 0;
    if (InterruptHold::pending() != 0) return -1;
    int error = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        log_sys("Cannot start %s: %s\n", path.c_str(), std::strerror(error));
        return -1;
    }
    int status = 0;
    bool passedOn = false;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno == EINTR && InterruptHold::pending() != 0 && !passedOn) {
            kill(pid, InterruptHold::pending());  // sent to the program alone, the child is left
            passedOn = true;
        } else if (errno != EINTR) {
            log_sys("Waiting for %s failed: %s\n", path.c_str(), std::strerror(errno));
            return -1;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

namespace {

constexpr int kHeldSignals[3] = {SIGINT, SIGTERM, SIGHUP};
volatile sig_atomic_t heldSignal = 0;
int holdDepth = 0;

void hold_signal(int signal) {
    if (heldSignal == 0) heldSignal = signal;
}

}  // namespace

InterruptHold::InterruptHold() {
    if (holdDepth++ > 0) return;
    struct sigaction action {};
    action.sa_handler = hold_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: waitpid returns, and the child is told
    for (int i = 0; i < 3; ++i) {
        sigaction(kHeldSignals[i], &action, &saved_[i]);
        // a signal the program was started to ignore stays ignored
        if (saved_[i].sa_handler == SIG_IGN) sigaction(kHeldSignals[i], &saved_[i], nullptr);
    }
}

InterruptHold::~InterruptHold() {
    if (--holdDepth > 0) return;
    for (int i = 0; i < 3; ++i) sigaction(kHeldSignals[i], &saved_[i], nullptr);
    int signal = heldSignal;
    heldSignal = 0;
    if (signal != 0) raise(signal);
}

int InterruptHold::pending() {
    return heldSignal;
}

ScratchDir::ScratchDir() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern =
        std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/kinesim.XXXXXX";
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) != nullptr) {
        path_ = buffer.data();
    } else {
        log_sys("Cannot make a scratch folder %s: %s\n", pattern.c_str(), std::strerror(errno));
    }
}

ScratchDir::~ScratchDir() {
    if (path_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace kinesim
