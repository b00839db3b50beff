// Pieces every generated file shares: the comment block copied from the Model section and the
// declarations that bind the used parameter labels to the solver's parameter record.
#pragma once

#include <cstdio>
#include <string>

#include "dae_model.h"

// The longest text checkCcomment gives back.
constexpr size_t kMaxCommentLength = 65534;

// The line with '_' inserted inside every "/*" and "*/", so that it can stand in a C comment.
// False (after logging) when the result would exceed kMaxCommentLength characters.
bool checkCcomment(const std::string& line, std::string& safe);

// Writes the lines of "head.tmp" as a comment: " * " lines inside "/*" ... " */" with
// cNotation, "% " lines for MATLAB, "# " lines otherwise. 0, or -1 after logging
// "#  Cannot open head.tmp".
int write_header_block(FILE* out, bool cNotation, bool matlab);

// Declares every used label, in table order, numbering the used labels from 1: C binds a
// pointer to p->val[n], MATLAB copies the values of the structure field p.<label>.
void write_param_declarations(FILE* out, const DaeModel& model, bool matlab);

// MATLAB text of a C-style expression: brackets become parentheses.
std::string matlab_text(std::string text);
