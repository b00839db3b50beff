// Reading an SBML file for kinelaw: libSBML's reader and consistency errors, the constructs no
// DAE file can carry yet refused by name.
#pragma once

#include <memory>
#include <string>

#include <sbml/SBMLTypes.h>

namespace kinelaw {

// Reads `path` into `document`. -1 with `problem` set to one sentence (the first error libSBML
// reports, or the construct that is not supported).
int read_sbml_model(const std::string& path, std::unique_ptr<SBMLDocument>& document,
                    std::string& problem);

}  // namespace kinelaw
