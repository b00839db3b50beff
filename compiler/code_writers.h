// Writers of the generated code and of the parameter files. Each returns 0, or -1 after logging
// its detail lines and its "## Error in <writer>." line.
#pragma once

#include "compile_options.h"
#include "dae_model.h"

// usr_fvec and its Jacobian usr_fjac: C into userFunctionFile, MATLAB into userFunctionFile
// and jacobianFile.
int Write_usrfunc(DaeModel& model, const CompileOptions& options, bool cNotation, bool matlab);

// With -J, from the entries Write_usrfunc kept: C, the pattern in compressed-column form and
// usr_fjac_csc, which writes the values in pattern order; MATLAB, ZYMORAX_usr_jpattern, the
// sparse 0/1 pattern. Into sparseJacobianFile.
int Write_sparse_jacobian(DaeModel& model, const CompileOptions& options, bool cNotation,
                          bool matlab);

// With -Q (C only): d fvec / d p for every parameter element the equations read, in
// compressed-column form, and usr_fpar_csc, which writes its values in pattern order. Into
// parameterDerivativeFile.
int Write_parameter_derivatives(const DaeModel& model, const CompileOptions& options,
                                bool cNotation);

// usr_flux, the values of the totals and fluxes, into tempExprFile.
int Write_flux(const DaeModel& model, const CompileOptions& options, bool cNotation, bool matlab);

// The parameter file of C mode (parameterFile).
int Write_paramFile(const DaeModel& model, const CompileOptions& options);

// MATLAB mode: the initial-value file (initialFile), then the parameter file (parameterFile).
int Write_paramFile_MATLAB(const DaeModel& model, const CompileOptions& options);
