#include "fit_options.h"

#include "log.h"
#include "sim_options.h"
#include "text_io.h"

namespace kinefit {

const char* const kUsage =
    "Usage: kinefit -C<model.c> -Q<dfdp.c> -P<param.txt> -D<data.csv> [-D<data2.csv> ...]\n"
    "               -O<tuned.txt>\n"
    "       kinefit -C<model.c> -Q<dfdp.c> -P<param.txt> -E<problem.yaml> -O<tuned.txt>\n"
    "               [-N<starts>] [-j<threads>] [--seed <n>] [-G<fit.png>] [-W<starts.png>]\n"
    "               [-I<iterations>] [-J<jacobian.c>] [-L<solver>] [-B<compiler>]\n"
    "               [-R<rtol>] [-A<atol>] [-K<kine.h folder>] [--events <events.txt>]\n"
    "               [--initial <initial.txt>] [--profile <profiles.png>]\n"
    "  -C  C file written by symcode (usr_fvec and usr_fjac)\n"
    "  -Q  C file written by symcode -Q (d f / d p, for the sensitivities)\n"
    "  -P  parameter file; PARAM rows marked R or S (with GA_min and GA_max) are estimated\n"
    "  -D  data file of one experiment (time, variable tags, sd(<tag>)); one -D per experiment\n"
    "  -E  PEtab problem (YAML, format 1) whose ids are the model's tags, instead of -D; the\n"
    "      parameter table says what is estimated, and its fitted rows are written beside -O\n"
    "  -O  tuned parameter file to write: the -P file with the fitted values\n"
    "  -N  number of starts (default 10), -j threads (default: one per core)\n"
    "  --seed  seed of the starts' Latin hypercube (default 1)\n"
    "  -G  plot of the data and the fitted curves, -W plot of the starts' final chi2 (PNG)\n"
    "  -I  iterations of each start at most (default 200)\n"
    "  --nominal  with -E: print the objective at the parameter table's nominal values, no fit\n"
    "  --events  events file kinelaw -E writes, applied in every experiment\n"
    "  --initial  initial-values file kinelaw -I writes: the initial values computed from\n"
    "             the parameters, recomputed in every experiment\n"
    "  --profile  profile likelihoods of the estimated parameters from the best fit: the\n"
    "             95% intervals in the report, the points in <tuned>.profiles.tsv, a plot\n"
    "  -J, -L, -B, -R, -A, -K  as for kinesim: sparse Jacobian file, linear solver (klu\n"
    "      at every size unless -Ldense), compiler, tolerances of the integration (default\n"
    "      1e-8, 1e-10), folder of kine.h\n";

namespace {

// A whole number from `least` to `most` (`option` names the switch in the message).
int parse_count(const std::string& option, const std::string& text, int least, int most,
                int& count) {
    if (!zymorax::parse_whole_number(text, count) || count < least || count > most) {
        log_sys("The value of '%s%s' is not a whole number from %d to %d.\n", option.c_str(),
                text.c_str(), least, most);
        return -1;
    }
    return 0;
}

int parse_seed(const std::string& text, FitOptions& options) {
    int seed = 0;
    if (!zymorax::parse_whole_number(text, seed)) {
        log_sys("The seed '%s' is not a whole number of at most nine digits.\n", text.c_str());
        return -1;
    }
    options.seed = static_cast<unsigned long>(seed);
    return 0;
}

int parse_switch(char letter, const std::string& value, FitOptions& options) {
    switch (letter) {
        case 'C':
            options.codeFile = value;
            return 0;
        case 'P':
            options.paramFile = value;
            return 0;
        case 'D':
            options.dataFiles.push_back(value);
            return 0;
        case 'E':
            options.petabFile = value;
            return 0;
        case 'O':
            options.tunedFile = value;
            return 0;
        case 'G':
            options.plotFile = value;
            return 0;
        case 'W':
            options.startsPlotFile = value;
            return 0;
        case 'J':
            options.jacobianFile = value;
            return 0;
        case 'Q':
            options.derivativesFile = value;
            return 0;
        case 'K':
            options.kineDir = value;
            return 0;
        case 'L':
            return kinesim::parse_linear_solver(value, options.linearSolver);
        case 'B':
            return kinesim::parse_compiler(value, options.compiler);
        case 'N':
            return parse_count("-N", value, 1, 100000, options.starts);
        case 'j':
            return parse_count("-j", value, 1, 1024, options.threads);
        case 'I':
            return parse_count("-I", value, 1, 100000, options.maxIterations);
        case 'R':
            return kinesim::parse_positive("-R", value, options.relativeTolerance);
        case 'A':
            return kinesim::parse_positive("-A", value, options.absoluteTolerance);
        default:
            log_sys("Unknown argument '-%c%s'.\n", letter, value.c_str());
            return -1;
    }
}

// Reads argument i (and the next one for "--seed <n>", "--events <file>" and "--initial
// <file>"); moves i past what it read.
int parse_argument(int argc, const char* const* argv, int& i, FitOptions& options) {
    std::string argument = argv[i];
    int file =
        kinesim::parse_file_switch("events", "<events.txt>", argc, argv, i, options.eventFile);
    if (file == 1) {
        file = kinesim::parse_file_switch("initial", "<initial.txt>", argc, argv, i,
                                          options.initialFile);
    }
    if (file == 1) {
        file = kinesim::parse_file_switch("profile", "<profiles.png>", argc, argv, i,
                                          options.profilePlotFile);
    }
    if (file != 1) return file;
    if (argument == "--seed") {
        if (i + 1 >= argc) {
            log_sys("--seed needs a number: --seed <n>.\n");
            return -1;
        }
        return parse_seed(argv[++i], options);
    }
    if (argument.rfind("--seed=", 0) == 0) return parse_seed(argument.substr(7), options);
    if (argument == "--nominal") {
        options.nominalOnly = true;
        return 0;
    }
    if (argument.size() < 2 || argument[0] != '-' || argument[1] == '-') {
        log_sys("Unknown argument '%s'.\n", argument.c_str());
        return -1;
    }
    return parse_switch(argument[1], argument.substr(2), options);
}

// Names the first required switch that is missing, or nothing.
const char* missing_switch(const FitOptions& options) {
    if (options.codeFile.empty()) return "-C (the C file)";
    if (options.derivativesFile.empty()) return "-Q (the parameter derivatives, symcode -Q)";
    if (options.paramFile.empty()) return "-P (the parameter file)";
    if (options.dataFiles.empty() && options.petabFile.empty())
        return "-D (a data file) or -E (a PEtab problem)";
    if (options.tunedFile.empty()) return "-O (the tuned parameter file to write)";
    return nullptr;
}

}  // namespace

int parse_fit_options(int argc, const char* const* argv, FitOptions& options) {
    for (int i = 1; i < argc; ++i) {
        if (parse_argument(argc, argv, i, options) != 0) {
            log_sys("%s", kUsage);
            return -1;
        }
    }
    if (const char* missing = missing_switch(options)) {
        log_sys("Missing %s.\n%s", missing, kUsage);
        return -1;
    }
    if (options.nominalOnly && options.petabFile.empty()) {
        log_sys("--nominal evaluates a PEtab problem: give -E<problem.yaml>.\n%s", kUsage);
        return -1;
    }
    if (!options.petabFile.empty() && (!options.dataFiles.empty() || !options.plotFile.empty())) {
        log_sys("-E takes the data from the PEtab problem: it goes without -D and -G.\n%s", kUsage);
        return -1;
    }
    return 0;
}

}  // namespace kinefit
