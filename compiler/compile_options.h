// Command line of symcode: the file names of one run and the two output flags.
#pragma once

#include <string>

struct CompileOptions {
    std::string daeFile;           // -D
    std::string userFunctionFile;  // -F
    std::string parameterFile;     // -P
    std::string tempExprFile;      // -T
    std::string ghFile;            // -G
    std::string ssysFile;          // -S
    std::string initialFile;       // MATLAB only
    std::string jacobianFile;      // MATLAB only
    std::string ghDataFile;        // MATLAB only
    std::string ssysJacobianFile;  // MATLAB only
    // -J: the Jacobian in compressed-column form (C), or its pattern (MATLAB). Not one of the
    // six file options: without -J nothing of it is written.
    bool sparseJacobian = false;
    std::string sparseJacobianFile;
    // -Q: d fvec / d p in compressed-column form (C only), for calibration's sensitivities.
    // Like -J, not one of the six file options.
    bool parameterDerivatives = false;
    std::string parameterDerivativeFile;
    // -X: the extended dialect (numbers at full precision, 0 among them, negative initial
    // values, full-precision values in the parameter file) that kinelaw's DAE files need.
    bool extendedDialect = false;
    bool cNotation = true;  // pow() powers and C comments; false: '^' powers, '#' or '%' comments
    bool matlab = false;    // MATLAB functions under the fixed MATLAB names
};

// Opens the system log and reads the command line into `options`. 0, or -1 after logging.
int my_init(int argc, char** argv, CompileOptions& options);

// Parses the arguments alone (the log must be open). 0; -1 after logging a wrong count of file
// options; -2 after logging an invalid argument, which ends the run without a my_init line.
int parse_arguments(int argc, char** argv, CompileOptions& options);

// A name the run needs: 0 when `name` is set, else logs which option lacks it and gives -1.
int require_file_name(const std::string& name, const char* role, char option);
