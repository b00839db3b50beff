// The S-system form of a model without algebraic equations: each right-hand side split into
// its positive part V+ and negative part V-, the G/H data function that gives their values and
// derivatives (get_GHdata, with the counts in get_GHnum), and the S-system usr_fvec and usr_fjac
// whose kinetic orders g, h and rate constants kplus, kminus are parameters. Every step returns
// 0, or -1 after logging its detail lines and its "## Error in <step>." line.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "compile_options.h"
#include "dae_model.h"
#include "ssystem_terms.h"

// Running numbers of the kinetic orders over the whole run: g for the positive parts, h for
// the negative ones.
struct KineticOrderCounts {
    int gCount = 0;
    int hCount = 0;
};

// One part of one equation handed to get_preGH.
struct RatePart {
    const char* name;         // "v_plus" or "v_minus"
    const std::string& text;  // the part's text in '^' notation
    const char* prefix;       // "g" or "h"
    int& counter;             // gCount or hCount
    OrderTable& table;        // gIndex or hIndex of the equation
};

// constCount: the highest constantPlayer index whose element is used, 0 when none is.
int count_used_constants(const DaeModel& model);

// Writes the G/H data and count functions and the S-system functions (file names from
// `options`), then leaves the scratch files "s_fvec.tmp" and "s_fjac.tmp" behind.
int Set_Ssystem(DaeModel& model, const CompileOptions& options, bool cNotation, bool matlab);

// The body of get_GHdata into ghData and the S-system bodies into the two scratch files, for
// equations 1..n; counts carries the kinetic-order numbers on.
int make_Sdata(FILE* ghData, int n, std::vector<ExprEntry>& equations, int constCount,
               bool cNotation, bool matlab, KineticOrderCounts& counts);

// The value line of one part of equation position+1 and one derivative line per variable and
// constant it holds; each such symbol takes the next kinetic-order number into part.table.
int get_preGH(FILE* ghData, const SsystemLayout& layout, int position, const RatePart& part);

// The S-system parameter bindings, then every line of the scratch file behind a tab.
int write_S_funcs(FILE* out, const std::string& scratchName, int constCount, bool matlab);
