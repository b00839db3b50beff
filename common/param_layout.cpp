#include "param_layout.h"

#include "format.h"

namespace zymorax {

std::string initial_value_text(double value) {
    return format("%12.4e", value);
}

std::string param_value_text(double value) {
    return format("%12.4g", value);
}

std::string exact_value_text(double value) {
    return format("%12s", shortest_number_text(value).c_str());
}

std::string blank_value_text() {
    return std::string(12, ' ');
}

std::string model_header() {
    return "##### Model ################\n";
}

std::string count_rows(int variableCount, int algebraicCount) {
    return format("N_VAR   ;%4d; # num of variables(all)\n", variableCount) +
           format("N_ALGEBR;%4d; # num of variables(Algebraic Eq)\n", algebraicCount);
}

std::string y_start_header() {
    return "\n#Y_START ; index; initial_value; tag #comment\n";
}

std::string y_start_row(int number, const std::string& valueText, const std::string& tag) {
    return format("Y_START ;%4d;%s;  %s\t#\n", number, valueText.c_str(), tag.c_str());
}

std::string param_header() {
    return "\n#PARAM;name;index;val;val_start;num_survey;D/R/S;change-val;GA_min;GA_max;tag "
           "#comment\n";
}

std::string param_row(const std::string& label, int index, const std::string& valueText,
                      const std::string& tag) {
    return format("PARAM   ;%-14s;%4d;%s;;0;D;;;; %s\t#\n", label.c_str(), index, valueText.c_str(),
                  tag.c_str());
}

std::string unused_param_row(const std::string& label, int index, const std::string& tag,
                             const std::string& valueText) {
    return format("PARAM   ;%-14s;%4d;%12s;;0;D;;;; %s\t# Not Used!!\n", label.c_str(), index,
                  valueText.c_str(), tag.c_str());
}

std::string event_header() {
    return "\n#T_EVENT ; name; index; time; value; #comment\n\n";
}

std::string fixed_part_header() {
    return "\n######## Don't edit the following lines. ######\n";
}

std::string param_name_row(const std::string& label) {
    return format("PARAM_NAME ;%-15s #\n", label.c_str());
}

}  // namespace zymorax
