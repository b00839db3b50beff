// Checking an SBML document with libSBML and writing it.
#pragma once

#include <sbml/SBMLDocument.h>

#include <string>

namespace kineport {

// A file to write and its text: every output is built before the first is written.
struct OutputFile {
    std::string path;
    std::string text;
};

// Runs every consistency check of libSBML. Each error (warnings aside) is logged with `path`,
// the file the document is for. 0 when there is none, else -1.
int check_document(SBMLDocument& document, const std::string& path);

// The document as SBML text.
std::string document_text(const SBMLDocument& document);

// Replaces the file at `path` with `text`, only after a complete write. 0, or -1 after logging.
int write_text_file(const std::string& path, const std::string& text);

}  // namespace kineport
