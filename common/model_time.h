// The variable by which a DAE file written by kinelaw carries the model's time: d/dt = 1 from 0.
// kinesim sets it to the output time exactly where it writes a row. No SBML id can take the name.
#pragma once

namespace zymorax {

constexpr const char* kModelTimeTag = "sbml.time";

}  // namespace zymorax
