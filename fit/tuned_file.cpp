#include "tuned_file.h"

#include <cstring>

#include "file_replace.h"
#include "format.h"
#include "log.h"
#include "param_file.h"

namespace kinefit {

std::string path_beside(const std::string& tunedFile, const char* suffix) {
    size_t slash = tunedFile.rfind('/');
    size_t dot = tunedFile.rfind('.');
    bool extension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (extension ? tunedFile.substr(0, dot) : tunedFile) + suffix;
}

std::string fitted_value_text(double value) {
    return zymorax::format("%12s", zymorax::format("%.17g", value).c_str());
}

int write_tuned_file(const kinesim::ParameterFile& file,
                     const std::vector<EstimatedParameter>& estimated,
                     const std::vector<double>& values, const std::string& path) {
    std::vector<zymorax::ParamRow> rows = file.rows;
    for (size_t j = 0; j < estimated.size(); ++j) {
        if (!estimated[j].in_model()) continue;  // the problem's parameter table holds it
        rows[estimated[j].line - 1].set(zymorax::RowField::Value, fitted_value_text(values[j]));
    }
    zymorax::ReplaceFailure failure;
    auto fill = [&rows](FILE* out) { return zymorax::write_param_rows(out, rows); };
    if (zymorax::replace_file(path, fill, true, failure)) return 0;
    const char* step = failure.step == zymorax::ReplaceFailure::Open    ? "open"
                       : failure.step == zymorax::ReplaceFailure::Write ? "write"
                                                                        : "replace";
    log_sys("Cannot %s the tuned parameter file %s (%s).\n", step, path.c_str(),
            std::strerror(failure.error));
    return -1;
}

}  // namespace kinefit
