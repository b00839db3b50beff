// What a DAE file written by kinelaw (a model's own kinetics) carries beyond the others, shared by
// the programs that read it.
#pragma once

namespace zymorax {

// The variable by which the model's time is carried: d/dt = 1 from 0. kinesim sets it to the
// output time exactly where it writes a row. No SBML id can take the name.
constexpr const char* kModelTimeTag = "sbml.time";

// The conversion-type line of the Model section that marks such a file: its expressions are in
// symcode's extended dialect (symcode -X).
constexpr const char* kOwnKineticsLine = "KINETICS:SBML";

// The conversion-type line "EVENTS:<n>" that follows it when the model has n events, written
// to the events file (kinelaw -E): what reads the DAE file alone would otherwise drop them.
constexpr const char* kEventCountKey = "EVENTS:";

// The conversion-type line "INITIAL:<n>" when n initial values are computed from the model's
// values, written as formulas to the initial-values file (kinelaw -I): a fit that changes the
// values without them would start from stale ones.
constexpr const char* kInitialCountKey = "INITIAL:";

}  // namespace zymorax
