#include "steady_options.h"

#include "log.h"
#include "sim_options.h"

namespace kinesteady {

const char* const kUsage =
    "Usage: kinesteady -C<model.c> -P<param.txt> -Q<fpar.c> -R<report.txt> -O<steady.csv>\n"
    "                  [-T<flux.c>] [-G<gh.c> -S<ssys.c>] [-H<gains.png>] [-E<eigenvalues.png>]\n"
    "                  [--initial <initial.txt>] [-B<compiler>] [-K<kine.h folder>]\n"
    "  -C  C file written by symcode (usr_fvec and usr_fjac)\n"
    "  -P  parameter file with every value the model uses filled in\n"
    "  -Q  parameter derivatives file written by symcode -Q\n"
    "  -R  report to write, -O CSV of every number in it\n"
    "  -T  flux file written by symcode (usr_flux): adds the flux gains\n"
    "  -G  G/H data file and -S S-system file written by symcode (a model without\n"
    "      algebraic equations): adds the S-system at the steady state in closed form\n"
    "  -H  heat map of the log gains, -E eigenvalues in the complex plane (PNG, gnuplot)\n"
    "  --initial  initial-values file written by kinelaw -I\n"
    "  -B  compiler: tcc (default) or cc; -K folder of kine.h\n";

namespace {

int parse_one(const std::string& argument, SteadyOptions& options) {
    if (argument.size() < 2 || argument[0] != '-' || argument[1] == '-') {
        log_sys("Unknown argument '%s'.\n", argument.c_str());
        return -1;
    }
    const std::string value = argument.substr(2);
    std::string* file = nullptr;
    switch (argument[1]) {
        case 'C': file = &options.codeFile; break;
        case 'P': file = &options.paramFile; break;
        case 'Q': file = &options.derivativesFile; break;
        case 'G': file = &options.ghFile; break;
        case 'S': file = &options.ssystemFile; break;
        case 'T': file = &options.fluxFile; break;
        case 'R': file = &options.reportFile; break;
        case 'O': file = &options.csvFile; break;
        case 'H': file = &options.gainsPlot; break;
        case 'E': file = &options.eigenPlot; break;
        case 'K': file = &options.kineDir; break;
        case 'B': return kinesim::parse_compiler(value, options.compiler);
        default:
            log_sys("Unknown argument '%s'.\n", argument.c_str());
            return -1;
    }
    if (value.empty()) {
        log_sys("No file is given for '-%c'.\n", argument[1]);
        return -1;
    }
    *file = value;
    return 0;
}

const char* missing_switch(const SteadyOptions& options) {
    if (options.codeFile.empty()) return "-C (the C file)";
    if (options.paramFile.empty()) return "-P (the parameter file)";
    if (options.derivativesFile.empty()) return "-Q (the parameter derivatives file, symcode -Q)";
    if (options.reportFile.empty()) return "-R (the report)";
    if (options.csvFile.empty()) return "-O (the CSV file)";
    if (options.ghFile.empty() != options.ssystemFile.empty())
        return options.ghFile.empty() ? "-G (the G/H data file, which -S needs)"
                                      : "-S (the S-system file, which -G needs)";
    return nullptr;
}

}  // namespace

int parse_steady_options(int argc, const char* const* argv, SteadyOptions& options) {
    return kinesim::parse_arguments(
        argc, argv, options.initialFile,
        [&options](const std::string& argument) { return parse_one(argument, options); },
        [&options] { return missing_switch(options); }, kUsage);
}

}  // namespace kinesteady
