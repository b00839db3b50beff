#include "xml_check.h"

#include "test_support.h"

namespace zymorax::testkit {

std::string xml_wellformedness_errors(const std::string& path) {
    const std::string xmllint = "/usr/bin/xmllint";
    if (!file_exists(xmllint)) return "xmllint is not installed (Debian package libxml2-utils)";
    RunResult result = run_program(xmllint, {"--noout", path}, "");
    if (result.status == 0 && result.out.empty() && result.err.empty()) return "";
    return "xmllint status " + std::to_string(result.status) + ": " + result.out + result.err;
}

}  // namespace zymorax::testkit
