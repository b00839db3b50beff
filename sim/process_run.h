// Running the system C compiler and gnuplot: no shell, so file names may hold any character.
#pragma once

#include <signal.h>

#include <string>
#include <vector>

namespace kinesim {

// Runs `program` (looked up on PATH when it has no '/') with `args`, standard input from
// /dev/null and standard output and error into `outputFile`. The exit status 0..255, 128 + the
// signal number, or -1 after logging when the program cannot be started (or an interrupt is
// held already).
int run_and_wait(const std::string& program, const std::vector<std::string>& args,
                 const std::string& outputFile);

// The full path of `program` on PATH (or the program itself when it holds a '/'), or "".
std::string find_on_path(const std::string& program);

// While an object lives, SIGINT, SIGTERM and SIGHUP are held instead of ending the program: one
// that arrives is passed on to the child run_and_wait is waiting for, and the program ends by it
// when the object goes. Declared before the temporary files of a step, it is destroyed after
// them, so an interrupt leaves nothing behind.
class InterruptHold {
  public:
    InterruptHold();
    ~InterruptHold();
    InterruptHold(const InterruptHold&) = delete;
    InterruptHold& operator=(const InterruptHold&) = delete;

    // The signal held so far, or 0.
    static int pending();

  private:
    struct sigaction saved_[3];
};

// A fresh private folder under TMPDIR (or /tmp), removed with its files when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    bool ok() const { return !path_.empty(); }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

}  // namespace kinesim
