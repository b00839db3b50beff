#include "petab_parameters.h"

#include <cstdlib>

#include "format.h"
#include "log.h"
#include "model_text.h"
#include "text_io.h"

namespace kineport {
namespace {

using zymorax::RowField;

const char kParameterHeader[] =
    "parameterId\tparameterName\tparameterScale\tlowerBound\tupperBound\tnominalValue\t"
    "estimate\n";

const zymorax::ParamRow& row_of(const kinesim::ParameterFile& file, const ElementValue& value) {
    return file.rows[value.row->line - 1];
}

int row_error(const kinesim::ParameterFile& file, const ElementValue& value,
              const std::string& what) {
    log_sys("%s:%d: %s\n", file.path.c_str(), value.row->line, what.c_str());
    return -1;
}

// The bounds of an estimated parameter: both numbers, the lower one below the upper one.
int read_bounds(const kinesim::ParameterFile& file, const ElementValue& value, double& lower,
                double& upper) {
    const zymorax::ParamRow& row = row_of(file, value);
    std::string min = row.trimmed(RowField::GaMin), max = row.trimmed(RowField::GaMax);
    if (!zymorax::parse_number(min, lower) || !zymorax::parse_number(max, upper)) {
        return row_error(file, value,
                         "an estimated parameter needs numbers in GA_min and GA_max (it has '" +
                             min + "' and '" + max + "')");
    }
    if (!(lower < upper)) {
        return row_error(file, value, "GA_min " + min + " is not below GA_max " + max);
    }
    return 0;
}

std::string parameter_row(const std::string& id, const std::string& name, const ElementValue& value,
                          bool estimated, double lower, double upper) {
    std::string scale = estimated && lower > 0 && upper > 0 ? "log10" : "lin";
    std::string bounds = estimated ? exact_number(lower) + "\t" + exact_number(upper) : "\t";
    std::string nominal = estimated && value.row->value.blank ? "" : table_number(value.row->value);
    return id + "\t" + name + "\t" + scale + "\t" + bounds + "\t" + nominal + "\t" +
           (estimated ? "1" : "0") + "\n";
}

}  // namespace

int is_estimated(const kinesim::ParameterFile& file, const ElementValue& value, bool& estimated) {
    std::string flag = row_of(file, value).trimmed(RowField::Drs);
    estimated = flag == "R" || flag == "S";
    if (estimated || flag == "D" || flag.empty()) return 0;
    return row_error(file, value, "the D/R/S flag '" + flag + "' is none of D, R and S");
}

std::string exact_number(double value) {
    std::string text;
    for (int digits = 15; digits <= 17; ++digits) {
        text = zymorax::format("%.*g", digits, value);
        if (std::strtod(text.c_str(), nullptr) == value) break;
    }
    return text;
}

std::string table_number(const kinesim::RowValue& value) {
    return exact_number(value.blank ? 0.0 : value.value);
}

std::string table_text(const std::string& ms932) {
    std::string text = utf8_text(ms932);
    for (char& c : text) {
        if (c == '\t') c = ' ';
    }
    return text;
}

int parameter_table(const kinesim::ParameterFile& file, const ModelValues& values,
                    const ModelIds& ids, const std::set<std::string>& setByConditions,
                    std::string& table) {
    table = kParameterHeader;
    for (const ElementValue& value : values.elements) {
        const std::string& id = ids.elements[value.labelRow][value.element];
        if (setByConditions.count(id) > 0) continue;
        bool estimated = false;
        double lower = 0.0, upper = 0.0;
        if (is_estimated(file, value, estimated) != 0 ||
            (estimated && read_bounds(file, value, lower, upper) != 0)) {
            return -1;
        }
        std::string name = value.row->tag.empty() ? id : table_text(value.row->tag);
        table += parameter_row(id, name, value, estimated, lower, upper);
    }
    return 0;
}

}  // namespace kineport
