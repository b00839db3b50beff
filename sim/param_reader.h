// Reads the rows of a parameter file that a simulation needs: N_VAR, N_ALGEBR, Y_START,
// PARAM, PARAM_NAME and T_EVENT. Every row keeps its line number for messages, and the file
// keeps every line as read, so that a writer can put new values into chosen rows.
#pragma once

#include <string>
#include <vector>

#include "param_row.h"

namespace kinesim {

// A value field: blank, or a number.
struct RowValue {
    bool blank = true;
    double value = 0.0;
};

struct StartRow {  // Y_START ; index; initial_value; tag #comment
    int line = 0;
    std::string text;  // the line without its line end
    int index = 0;
    RowValue value;
    std::string tag;
};

struct ParamValueRow {  // PARAM ; name; index; val; ...; tag #comment
    int line = 0;
    std::string text;
    std::string label;
    int index = 0;
    RowValue value;
    std::string tag;
};

// T_EVENT ; name; index; time; value; comment. Rows named TIME_START or TIME_END mark the time
// span for the MATLAB scripts and are not kept.
struct EventRow {
    int line = 0;
    std::string text;
    std::string label;
    int index = 0;
    double time = 0.0;
    double value = 0.0;
};

struct ParameterFile {
    std::string path;
    std::string title;        // from the header comment "# TITLE:..."
    int variableCount = -1;   // N_VAR
    int algebraicCount = -1;  // N_ALGEBR
    std::vector<StartRow> starts;
    std::vector<ParamValueRow> params;
    std::vector<std::string> labels;  // PARAM_NAME rows in order: label i binds to p->val[i]
    std::vector<EventRow> events;
    std::vector<zymorax::ParamRow> rows;  // every line as read: the row of line n is rows[n - 1]
};

// Reads and checks the file: counts present and consistent, one Y_START row per variable,
// PARAM rows only for PARAM_NAME labels, numbered 1..n per label and each element once, numbers
// that are numbers; T_EVENT rows with a time and a value, each naming an element of a PARAM row. 0,
// or -1 after logging the file, the line and what is wrong with it.
int read_parameter_file(const std::string& path, ParameterFile& file);

}  // namespace kinesim
