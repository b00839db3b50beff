// The end-to-end tests run the built programs as a user runs them: in a temporary working folder,
// with the system log of each run sent to a file outside that folder and read back.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "test_support.h"

namespace zymorax::testkit {

struct ProgramRun : RunResult {
    std::string log;  // the system log of this run
};

using Environment = std::map<std::string, std::string>;

class Workspace {
  public:
    // Runs `program` (a name under <build>/bin, or a path) in the folder or its `subfolder`;
    // `env` adds to or replaces the environment, ZYMORAX_SYSLOG included.
    ProgramRun run(const std::string& program, const std::vector<std::string>& args,
                   const Environment& env = {}, const std::string& subfolder = "") const;
    // rxnconv with the build tree as its installation root, no debug log and no JVM options.
    ProgramRun rxnconv(const std::vector<std::string>& args, const Environment& env = {}) const;

    const std::string& path() const { return dir_.path(); }
    std::string file(const std::string& name) const { return dir_.file(name); }
    std::string read(const std::string& name) const { return read_file(file(name)); }
    void put(const std::string& name, const std::string& content) const;
    bool has(const std::string& name) const { return file_exists(file(name)); }
    std::string log_file() const { return logDir_.file("sys.log"); }

  private:
    TempDir dir_;
    TempDir logDir_;
};

// The fields of a text between separators (a last empty field after a final separator is dropped).
std::vector<std::string> split(const std::string& text, char separator);

// The rows of a CSV time course (kinesim's -O) below its header, as numbers.
std::vector<std::vector<double>> read_course(const std::string& path);

// A file of the source tree, by its path below the root.
std::string source_path(const std::string& relative);

}  // namespace zymorax::testkit
