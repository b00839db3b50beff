// Model texts (titles, names, notes) into SBML: the chain keeps them as MS932 bytes, an SBML file
// is UTF-8 XML.
#pragma once

#include <string>

namespace kineport {

// The MS932 text as UTF-8. A byte sequence that is not MS932, and a control character that XML
// cannot hold (any below 0x20 but tab), become U+FFFD.
std::string utf8_text(const std::string& ms932);

}  // namespace kineport
