// Takes a model through the tool chain as a user would, in one temporary folder: rxnconv,
// symcode (C in c/, MATLAB in m/), valfuse, valscribe, kinesim and Octave.
#pragma once

#include <string>
#include <vector>

#include "test_support.h"

namespace zymorax::testkit {

// A CSV time course: the header fields and the rows of numbers.
struct TimeCourse {
    std::vector<std::string> header;
    std::vector<std::vector<double>> rows;
    // The column of a tag; fails the calling test when there is none.
    size_t column(const std::string& tag) const;
};

TimeCourse read_time_course(const std::string& path);

class ChainRunner {
  public:
    ChainRunner();

    // rxnconv -N<model> -Dmodel.dae with the given method switches; asserts success.
    void convert(const std::string& model, const std::string& geneMethod,
                 const std::string& metabolicMethod);
    // Copies a hand-written DAE file to model.dae.
    void use_dae(const std::string& daeFile);
    // symcode in C mode into c/ (param.txt, model.c, temp.c, gh.c, ssys.c); asserts success.
    void compile_c();
    // symcode -MATLAB into m/; asserts success.
    void compile_matlab();
    // valfuse -Ic/param.txt -R<tuned>, then valscribe of it in m/; asserts success of both.
    void merge(const std::string& tunedFile);

    // kinesim with the arguments in c/; the system log goes to c/kinesim.log.
    RunResult kinesim(const std::vector<std::string>& args);
    std::string kinesim_log() const { return read_file(c("kinesim.log")); }

    // Runs Octave code in m/ with sim/matlab on the path.
    RunResult octave(const std::string& code);

    std::string c(const std::string& name) const { return dir_.file("c/" + name); }
    std::string m(const std::string& name) const { return dir_.file("m/" + name); }
    std::string file(const std::string& name) const { return dir_.file(name); }

  private:
    TempDir dir_;
};

// The Octave program, or "" when it is not installed.
std::string octave_program();

// The message a test fails with when Octave is missing.
extern const char* const kOctaveMissing;

}  // namespace zymorax::testkit
