#include "sim_options.h"

#include "dae_solver.h"
#include "log.h"
#include "text_io.h"

namespace kinesim {

const char* const kUsage =
    "Usage: kinesim -C<model.c> -P<param.txt> -T<start>:<end> -S<step> -O<out.csv>\n"
    "               [-J<jacobian.c>] [-L<solver>] [-B<compiler>] [-G<plot.png>]\n"
    "               [-R<rtol>] [-A<atol>] [-K<kine.h folder>] [-E<events.txt>]\n"
    "               [--initial <initial.txt>]\n"
    "       kinesim --check-jacobian -C<model.c> -P<param.txt> [-B<compiler>] [-K<kine.h folder>]\n"
    "  -C  C file written by symcode (usr_fvec and usr_fjac)\n"
    "  -J  sparse Jacobian file written by symcode -J (without it, KLU takes the entries\n"
    "      usr_fjac writes)\n"
    "  -L  linear solver: auto (default: klu from 60 variables, else dense), dense, klu\n"
    "  -B  compiler: tcc (default: TinyCC, in memory) or cc (the system compiler at -O2,\n"
    "      kept in the build cache)\n"
    "  -P  parameter file (after valfuse: every value the model uses filled in)\n"
    "  -T  time span, -S output step, -O CSV time course to write\n"
    "  -G  also draw the time course into a PNG file with gnuplot\n"
    "  -R  relative tolerance (default 1e-8), -A absolute tolerance (default 1e-10)\n"
    "  -K  folder of kine.h (default: ZYMORAX_KINE_DIR, then beside the program)\n"
    "  -E  events file written by kinelaw -E: events triggered by the state or time\n"
    "  --initial  initial-values file written by kinelaw -I: the initial values computed\n"
    "             from the parameter file's values instead of its Y_START rows\n"
    "  --check-jacobian  compare usr_fjac with finite differences of usr_fvec at the\n"
    "                    initial state; exit status 1 when they disagree\n";

namespace {

int parse_time_span(const std::string& text, SimOptions& options) {
    size_t colon = text.find(':');
    if (colon == std::string::npos || !parse_number(text.substr(0, colon), options.timeStart) ||
        !parse_number(text.substr(colon + 1), options.timeEnd)) {
        log_sys("The time span '-T%s' is not of the form -T<start>:<end>.\n", text.c_str());
        return -1;
    }
    if (options.timeEnd <= options.timeStart) {
        log_sys("The time span '-T%s' ends before it starts.\n", text.c_str());
        return -1;
    }
    if (options.timeEnd - options.timeStart < kShortestInterval) {
        log_sys("The time span '-T%s' is shorter than %g, which the solver cannot resolve.\n",
                text.c_str(), kShortestInterval);
        return -1;
    }
    options.timeGiven = true;
    return 0;
}

int parse_time_step(const std::string& text, double& step) {
    if (parse_positive("-S", text, step) != 0) return -1;
    if (step < kShortestInterval) {
        log_sys("The output step '-S%s' is shorter than %g, which the solver cannot resolve.\n",
                text.c_str(), kShortestInterval);
        return -1;
    }
    return 0;
}

int parse_one(const std::string& argument, SimOptions& options) {
    if (argument == "--check-jacobian") {
        options.checkJacobian = true;
        return 0;
    }
    if (argument.size() < 2 || argument[0] != '-' || argument[1] == '-') {
        log_sys("Unknown argument '%s'.\n", argument.c_str());
        return -1;
    }
    std::string value = argument.substr(2);
    switch (argument[1]) {
        case 'C':
            options.codeFile = value;
            return 0;
        case 'P':
            options.paramFile = value;
            return 0;
        case 'O':
            options.csvFile = value;
            return 0;
        case 'G':
            options.plotFile = value;
            return 0;
        case 'K':
            options.kineDir = value;
            return 0;
        case 'J':
            options.jacobianFile = value;
            return 0;
        case 'E':
            options.eventFile = value;
            return 0;
        case 'L':
            return parse_linear_solver(value, options.linearSolver);
        case 'B':
            return parse_compiler(value, options.compiler);
        case 'T':
            return parse_time_span(value, options);
        case 'S':
            return parse_time_step(value, options.timeStep);
        case 'R':
            return parse_positive("-R", value, options.relativeTolerance);
        case 'A':
            return parse_positive("-A", value, options.absoluteTolerance);
        default:
            log_sys("Unknown argument '%s'.\n", argument.c_str());
            return -1;
    }
}

// Names the first required switch that is missing, or nothing.
const char* missing_switch(const SimOptions& options) {
    if (options.codeFile.empty()) return "-C (the C file)";
    if (options.paramFile.empty()) return "-P (the parameter file)";
    if (options.checkJacobian) return nullptr;
    if (!options.timeGiven) return "-T (the time span)";
    if (options.timeStep <= 0.0) return "-S (the output step)";
    if (options.csvFile.empty()) return "-O (the CSV file)";
    return nullptr;
}

}  // namespace

int parse_linear_solver(const std::string& text, LinearSolverKind& kind) {
    if (text == "auto" || text == "dense" || text == "klu") {
        kind = text == "auto"    ? LinearSolverKind::Auto
               : text == "dense" ? LinearSolverKind::Dense
                                 : LinearSolverKind::Klu;
        return 0;
    }
    log_sys("Unknown linear solver '-L%s' (auto, dense or klu).\n", text.c_str());
    return -1;
}

int parse_compiler(const std::string& text, CodeCompiler& compiler) {
    if (text == "tcc" || text == "cc") {
        compiler = text == "tcc" ? CodeCompiler::TinyCC : CodeCompiler::System;
        return 0;
    }
    log_sys("Unknown compiler '-B%s' (tcc or cc).\n", text.c_str());
    return -1;
}

int parse_positive(const std::string& option, const std::string& text, double& value) {
    if (!parse_number(text, value) || value <= 0.0) {
        log_sys("The value of '%s%s' is not a positive number.\n", option.c_str(), text.c_str());
        return -1;
    }
    return 0;
}

int parse_file_switch(const std::string& name, const char* example, int argc,
                      const char* const* argv, int& i, std::string& file) {
    const std::string argument = argv[i], prefix = "--" + name;
    std::string text;
    if (argument == prefix) {
        if (i + 1 < argc) text = argv[++i];
    } else if (argument.rfind(prefix + "=", 0) == 0) {
        text = argument.substr(prefix.size() + 1);
    } else {
        return 1;
    }
    if (text.empty()) {
        log_sys("%s needs a file: %s %s.\n", prefix.c_str(), prefix.c_str(), example);
        return -1;
    }
    file = text;
    return 0;
}

int parse_arguments(int argc, const char* const* argv, std::string& initialFile,
                    const std::function<int(const std::string&)>& parseOne,
                    const std::function<const char*()>& missing, const char* usage) {
    for (int i = 1; i < argc; ++i) {
        const int initial = parse_file_switch("initial", "<initial.txt>", argc, argv, i,
                                              initialFile);
        if (initial == -1 || (initial == 1 && parseOne(argv[i]) != 0)) {
            log_sys("%s", usage);
            return -1;
        }
    }
    if (const char* name = missing()) {
        log_sys("Missing %s.\n%s", name, usage);
        return -1;
    }
    return 0;
}

int parse_sim_options(int argc, const char* const* argv, SimOptions& options) {
    return parse_arguments(
        argc, argv, options.initialFile,
        [&options](const std::string& argument) { return parse_one(argument, options); },
        [&options] { return missing_switch(options); }, kUsage);
}

}  // namespace kinesim
