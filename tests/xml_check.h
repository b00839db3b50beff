// Well-formedness of XML documents that the programs write, judged by libxml2's xmllint.
#pragma once

#include <string>

namespace zymorax::testkit {

// Empty when the document at `path` is well-formed XML; otherwise what xmllint said about it.
std::string xml_wellformedness_errors(const std::string& path);

}  // namespace zymorax::testkit
