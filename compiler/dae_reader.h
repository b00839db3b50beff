// Reading a DAE file into the DaeModel: split into section files, then one reader per section.
// Every reader returns 0, or -1 after logging its lines; read_data adds its own trailer.
#pragma once

#include <string>

#include "dae_model.h"

// Splits, allocates and reads every section; 0 or -1 (after "## Error in read_data.").
int read_data(DaeModel& model, const std::string& daeFileName);

// Splits the DAE file into the section files and sets the section counts of `model`.
int split_dae_file(DaeModel& model, const std::string& daeFileName);

// Checks the counts and sizes the tables.
int allocate_area(DaeModel& model);

// Used-parameter labels ("usedp.tmp"); row 0 becomes "constantPlayer".
int read_param_base(DaeModel& model);

// Parameter elements ("param.tmp", then "const.tmp" when the model has constants).
int read_param(DaeModel& model);

// Variables ("var.tmp").
int read_var(DaeModel& model);

// Joins records that span lines of `sectionFile` into "tmp.tmp", one record a line.
int fix_equation_line(const std::string& sectionFile);

// Temporary expressions ("mid.tmp" through the joiner).
int read_mid_expression(DaeModel& model);

// Algebraic (true) or differential (false) equations ("aeq.tmp"/"deq.tmp" through the joiner).
int read_equation(DaeModel& model, bool algebraic);
