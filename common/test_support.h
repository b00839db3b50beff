// Helpers for the tests of every program: temporary folders, files, running the built programs
// and capturing the system log of code under test.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace zymorax::testkit {

// A fresh folder that is removed with everything in it when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& content);
bool file_exists(const std::string& path);

// Where the build placed things, and where the sources are.
std::string build_dir();
std::string source_dir();
std::string program_path(const std::string& name);  // <build>/bin/<name>

// The outcome of one program run.
struct RunResult {
    int status = -1;  // exit status 0..255, or 128 + signal number
    std::string out;
    std::string err;
};

// Runs a program with arguments in a working directory. `env` adds or replaces environment
// variables; a value of "\x01unset" removes the variable.
RunResult run_program(const std::string& program, const std::vector<std::string>& args,
                      const std::string& cwd, const std::map<std::string, std::string>& env = {});

extern const char* const kUnset;

// Sends the system log of the test process to a temporary file for the lifetime of the object.
class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    // Everything logged since construction or the previous take(); the log is emptied.
    std::string take();

private:
    TempDir dir_;
    std::string path_;
};

}  // namespace zymorax::testkit
