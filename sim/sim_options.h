// The command line of kinesim.
#pragma once

#include <functional>
#include <string>

#include "code_build.h"
#include "linear_solver.h"
#include "text_io.h"

namespace kinesim {

struct SimOptions {
    std::string codeFile;      // -C: symcode's C file with usr_fvec and usr_fjac
    std::string paramFile;     // -P: the parameter file (N_VAR, Y_START, PARAM, PARAM_NAME rows)
    std::string csvFile;       // -O: the time course
    std::string plotFile;      // -G: a PNG of the time course, drawn by gnuplot (optional)
    std::string kineDir;       // -K: folder of kine.h (optional; found beside the program else)
    std::string jacobianFile;  // -J: symcode's sparse Jacobian (optional)
    std::string eventFile;     // -E: kinelaw's events file (optional)
    std::string initialFile;   // --initial: kinelaw's initial-values file (optional)
    LinearSolverKind linearSolver = LinearSolverKind::Auto;  // -L
    CodeCompiler compiler = CodeCompiler::TinyCC;            // -B
    double timeStart = 0.0;                                  // -T<start>:<end>
    double timeEnd = 0.0;
    double timeStep = 0.0;             // -S: output step
    double relativeTolerance = 1e-8;   // -R
    double absoluteTolerance = 1e-10;  // -A
    bool timeGiven = false;
    bool checkJacobian = false;  // --check-jacobian: compare usr_fjac with finite differences
};

// The usage text, printed with every command-line error.
extern const char* const kUsage;

// Reads the arguments (argv[0] is the program). 0, or -1 after logging what is wrong.
int parse_sim_options(int argc, const char* const* argv, SimOptions& options);

// The switches other programs share with kinesim: -L<solver>, -B<compiler>, and a positive
// number such as -R and -A take (`option` names the switch in the message). 0, or -1 after
// logging what is wrong.
int parse_linear_solver(const std::string& text, LinearSolverKind& kind);
int parse_compiler(const std::string& text, CodeCompiler& compiler);
int parse_positive(const std::string& option, const std::string& text, double& value);
// "--<name> <file>" or "--<name>=<file>" at argument i into `file`, moving i past the file:
// 0, -1 after logging a missing file (`example` shows one), or 1 for another argument.
int parse_file_switch(const std::string& name, const char* example, int argc,
                      const char* const* argv, int& i, std::string& file);

// The arguments of a program that takes --initial <file> beside its -X<value> switches: each
// other argument goes to `parseOne`, then `missing` names the first required switch not given
// (nullptr for none). 0, or -1 after logging what is wrong and `usage`.
int parse_arguments(int argc, const char* const* argv, std::string& initialFile,
                    const std::function<int(const std::string&)>& parseOne,
                    const std::function<const char*()>& missing, const char* usage);

// Reads a whole decimal number ("1e-3", " 2.5"); false when the text holds anything else.
using zymorax::parse_number;

}  // namespace kinesim
