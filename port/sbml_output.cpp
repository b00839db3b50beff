#include "sbml_output.h"

#include <sbml/SBMLTypes.h>

#include <cstring>

#include "file_replace.h"
#include "log.h"

namespace kineport {
namespace {

// libSBML's message on one line.
std::string one_line(std::string text) {
    for (char& c : text) {
        if (c == '\n' || c == '\r') c = ' ';
    }
    size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? "" : text.substr(0, end + 1);
}

constexpr unsigned kErrorsShown = 10;

}  // namespace

int check_document(SBMLDocument& document, const std::string& path) {
    document.checkConsistency();
    unsigned shown = 0, errors = 0;
    for (unsigned i = 0; i < document.getNumErrors(); ++i) {
        const SBMLError* error = document.getError(i);
        if (error->getSeverity() < LIBSBML_SEV_ERROR) continue;
        if (++errors > kErrorsShown) continue;
        ++shown;
        log_sys("%s: libSBML error %u: %s\n", path.c_str(), error->getErrorId(),
                one_line(error->getMessage()).c_str());
    }
    if (errors == 0) return 0;
    if (errors > shown) log_sys("%s: and %u more errors.\n", path.c_str(), errors - shown);
    log_sys("%s: the model cannot be said in SBML as it stands; nothing was written.\n",
            path.c_str());
    return -1;
}

std::string document_text(const SBMLDocument& document) {
    return writeSBMLToStdString(&document);
}

int write_text_file(const std::string& path, const std::string& text) {
    zymorax::ReplaceFailure failure;
    auto fill = [&](FILE* out) {
        return std::fwrite(text.data(), 1, text.size(), out) == text.size();
    };
    if (zymorax::replace_file(path, fill, true, failure)) return 0;
    static const char* const steps[] = {"open", "write", "rename"};
    log_sys("Cannot %s %s: %s.\n", steps[failure.step], path.c_str(), std::strerror(failure.error));
    return -1;
}

}  // namespace kineport
