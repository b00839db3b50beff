// The parameter file as symcode generates it: the texts of its rows and headers, and the
// formats of value fields that every writer of a value uses (see param_row.h for the layout).
#pragma once

#include <string>

namespace zymorax {

// Value fields, twelve characters wide: "%12.4e" for initial values, "%12.4g" for parameter
// values (three exponent digits), twelve blanks for a value not given.
std::string initial_value_text(double value);
std::string param_value_text(double value);
std::string blank_value_text();
// A value at full precision: the shortest text that reads back as `value`, right-aligned in twelve
// characters (wider when it needs more).
std::string exact_value_text(double value);

// The first line; the model's header lines follow it, each as "# <line>".
std::string model_header();

// The N_VAR and N_ALGEBR rows.
std::string count_rows(int variableCount, int algebraicCount);

// The comment line that opens the Y_START rows (with the blank line before it), and one row.
std::string y_start_header();
std::string y_start_row(int number, const std::string& valueText, const std::string& tag);

// The comment line that opens the PARAM rows, a row of an element that an expression reads,
// and one of an element no expression reads (value 1, comment "Not Used!!").
std::string param_header();
std::string param_row(const std::string& label, int index, const std::string& valueText,
                      const std::string& tag);
std::string unused_param_row(const std::string& label, int index, const std::string& tag,
                             const std::string& valueText = "1");

// The T_EVENT comment, the "Don't edit" line, and the PARAM_NAME row of one label.
std::string event_header();
std::string fixed_part_header();
std::string param_name_row(const std::string& label);

}  // namespace zymorax
