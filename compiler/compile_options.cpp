#include "compile_options.h"

#include <cstdio>
#include <cstring>

#include "log.h"

namespace {

constexpr int kFileOptionsNeeded = 6;
constexpr const char* kUsage =
    "#  Usage : symcode -Df_DAE -Pf_Param -Ff_UserFunc -Tf_TempExpr -Gf_GH -Sf_Ssys [-d*]\n";

void set_matlab_names(CompileOptions& options) {
    options.matlab = true;
    options.cNotation = false;
    options.userFunctionFile = "ZYMORAX_usr_fvec.m";
    options.parameterFile = "ZYMORAX_param.m";
    options.tempExprFile = "ZYMORAX_usr_flux.m";
    options.ghFile = "ZYMORAX_get_GHnum.m";
    options.ssysFile = "ZYMORAX_S_usr_fvec.m";
    options.initialFile = "ZYMORAX_initial.m";
    options.jacobianFile = "ZYMORAX_usr_fjac.m";
    options.ghDataFile = "ZYMORAX_get_GHdata.m";
    options.ssysJacobianFile = "ZYMORAX_S_usr_fjac.m";
    options.sparseJacobianFile = "ZYMORAX_usr_jpattern.m";
}

// -J asks for the sparse Jacobian; a name after it replaces the one the file has so far.
void set_sparse_jacobian(CompileOptions& options, const char* name) {
    options.sparseJacobian = true;
    if (name[0] != '\0') options.sparseJacobianFile = name;
}

// The field a file option letter stores into, or null for a letter that names no file.
std::string* file_field(CompileOptions& options, char letter) {
    switch (letter) {
        case 'D':
            return &options.daeFile;
        case 'F':
            return &options.userFunctionFile;
        case 'P':
            return &options.parameterFile;
        case 'T':
            return &options.tempExprFile;
        case 'G':
            return &options.ghFile;
        case 'S':
            return &options.ssysFile;
        default:
            return nullptr;
    }
}

}  // namespace

int parse_arguments(int argc, char** argv, CompileOptions& options) {
    int fileOptions = 0;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg == nullptr || arg[0] != '-') continue;
        char letter = arg[1];
        if (std::string* field = file_field(options, letter)) {
            *field = arg + 2;
            ++fileOptions;
        } else if (letter == 'M') {
            if (std::strcmp(arg, "-MATLAB") == 0) {
                set_matlab_names(options);
            } else {
                options.matlab = false;
            }
        } else if (letter == 'J') {
            set_sparse_jacobian(options, arg + 2);
        } else if (letter == 'Q') {
            options.parameterDerivatives = true;
            options.parameterDerivativeFile = arg + 2;
        } else if (letter == 'X' && arg[2] == '\0') {
            options.extendedDialect = true;
        } else if (letter == 'm') {
            options.cNotation = false;
        } else if (letter != 'd') {
            log_sys("#  Invalid argument !!\n");
            log_sys("%s", kUsage);
            return -2;
        }
    }
    if (fileOptions == kFileOptionsNeeded || options.matlab) return 0;
    log_sys("#  This program needs %d input files. But now it has %d file(s).\n",
            kFileOptionsNeeded, fileOptions);
    log_sys("%s", kUsage);
    return -1;
}

int my_init(int argc, char** argv, CompileOptions& options) {
    if (log_sysinit(argc, argv) != 0) {
        std::printf("Cannot open sysLog file!!");
        std::fflush(stdout);
        log_sys("## Error in my_init. \n");
        return -1;
    }
    int result = parse_arguments(argc, argv, options);
    if (result == -2) return -1;  // an invalid argument ends the run without the my_init line
    if (result != 0) {
        log_sys("## Error in my_init. \n");
        return -1;
    }
    return 0;
}

int require_file_name(const std::string& name, const char* role, char option) {
    if (!name.empty()) return 0;
    log_sys("#  No name is given for the %s (-%c).\n", role, option);
    return -1;
}
