#include "value_texts.h"

#include "expr_text.h"
#include "format.h"
#include "param_layout.h"

bool has_initial_value(const VariableEntry& variable) {
    return extended_dialect() ? variable.initialGiven : variable.initialValue >= 0;
}

std::string initial_value_field(double value) {
    return extended_dialect() ? zymorax::exact_value_text(value) : zymorax::initial_value_text(value);
}

std::string param_value_field(double value) {
    return extended_dialect() ? zymorax::exact_value_text(value) : zymorax::param_value_text(value);
}

std::string matlab_initial_value(double value) {
    return extended_dialect() ? zymorax::exact_value_text(value) : zymorax::format("%12.4e", value);
}

std::string matlab_param_value(double value) {
    return extended_dialect() ? zymorax::shortest_number_text(value) : zymorax::format("%g", value);
}

std::string unused_value(const ParamElement& element) {
    // an element without a line of its own has no value of the model's
    if (!extended_dialect() || element.value == NO_VALUE || element.tag.empty()) return "1";
    return zymorax::shortest_number_text(element.value);
}
