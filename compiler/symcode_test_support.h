// Helpers shared by the symcode tests: a private working directory (the compiler writes its
// work files into the current one), what a writer puts into a stream, and a small DAE file
// builder.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "test_support.h"

namespace symcode_test {

// Makes a fresh temporary folder the working directory for the lifetime of the object.
class WorkDir {
  public:
    WorkDir() {
        char buffer[4096];
        if (getcwd(buffer, sizeof buffer) != nullptr) previous_ = buffer;
        if (chdir(dir_.path().c_str()) != 0) previous_.clear();
    }
    ~WorkDir() {
        if (!previous_.empty() && chdir(previous_.c_str()) != 0) previous_.clear();
    }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;

    const std::string& path() const { return dir_.path(); }
    void write(const std::string& name, const std::string& content) const {
        zymorax::testkit::write_file(dir_.file(name), content);
    }
    std::string read(const std::string& name) const {
        return zymorax::testkit::read_file(dir_.file(name));
    }
    bool exists(const std::string& name) const {
        return zymorax::testkit::file_exists(dir_.file(name));
    }

  private:
    zymorax::testkit::TempDir dir_;
    std::string previous_;
};

// What `write` (called with an open stream) writes; `result` takes what it returns.
template <class Write>
std::string written_by(Write write, int* result = nullptr) {
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    int status = write(out);
    std::fclose(out);
    std::string written(text, size);
    std::free(text);
    if (result != nullptr) *result = status;
    return written;
}

// The sections of a DAE file, each without its head; text() joins them in the order the
// converter writes them. The defaults form a small valid model with one algebraic and two
// differential equations.
struct DaeText {
    std::string model =
        "TITLE:test model\nINFO:made by hand\nCONVERSION TYPE\n"
        "    GENE-PROTEIN:CMA\n    METABOLIC:NONE\n";
    std::string constants = "constantPlayer[1] = 2; C.cyt\n";
    std::string variables =
        "= Algebraic Equation =\n\nx[AB.cyt] = ;\n\n"
        "= Differencial Equation =\n\ny[A.cyt] = 1;\ny[B.cyt] = 0.5;\n";
    std::string usedParameters = "ka;\nkd;\n";
    std::string parameters =
        "### ka: binding_association_rate_constant\n"
        "ka[1] = 0.1; binding_association_rate_constant_A.cyt_B.cyt\n\n"
        "### kd: dissociation_rate_constant\n"
        "kd[1] = ; dissociation_rate_constant_AB.cyt\n\n";
    std::string temporaries = "";
    std::string algebraic = "aeq_1:  ka[1]*y[A.cyt]*y[B.cyt] - kd[1]*x[AB.cyt] = 0;\n";
    std::string differential =
        "deq_1: dydt[A.cyt] = - ka[1]*y[A.cyt]*y[B.cyt] + kd[1]*x[AB.cyt];\n"
        "deq_2: dydt[B.cyt] = - ka[1]*y[A.cyt]*y[B.cyt] + kd[1]*x[AB.cyt]*constantPlayer[1];\n";

    std::string text() const {
        return "== Model ==\n\n" + model + "\n== Constant Players ==\n\n" + constants +
               "\n== Variables ==\n\n" + variables + "\n== Used Parameters ==\n\n" +
               usedParameters + "\n== Parameters ==\n\n" + parameters +
               "\n== Temporary Expressions ==\n\n" + temporaries + "\n== Algebraic Eqs. ==\n\n" +
               algebraic + "\n== Differencial Eqs. ==\n\n" + differential;
    }
};

}  // namespace symcode_test
