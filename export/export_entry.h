// One line of a parameter file as valscribe reads it.
#pragma once

#include <string>
#include <vector>

namespace valscribe {

inline constexpr const char* kYStartType = "Y_START";
inline constexpr const char* kParamType = "PARAM";
inline constexpr const char* kEventType = "T_EVENT";

// A line of the input with its fields by position, each trimmed. Lines that are not Y_START,
// PARAM or T_EVENT rows carry only `line` and `type` and are not exported.
struct ExportEntry {
    std::string line;  // the line as read
    std::string type;  // field 0
    std::string name;
    std::string index;
    std::string value;
    std::string valStart;
    std::string numSurvey;
    std::string drs;
    std::string changeVal;
    std::string gaMin;
    std::string gaMax;
    std::string tag;      // last field before its '#'
    std::string comment;  // last field after its '#'; empty when there is none
    std::string time;     // T_EVENT only
    int eventNumber = 0;  // T_EVENT only: 1, 2, 3 ... in file order
};

// Cuts text at every `separator`. An empty part between or before separators is a field; the
// text after the last separator is a field only when it is not empty.
std::vector<std::string> split_fields(const std::string& text, char separator);

// The text without leading and trailing blanks, tabs, CRs and LFs.
std::string trim_field(const std::string& text);

// Fills `entry` from one line. A T_EVENT row takes the number after `eventCount`, which it
// advances. False when a Y_START, PARAM or T_EVENT row has the wrong number of fields or a
// Y_START or PARAM row has nothing in its last field.
bool parse_export_entry(const std::string& line, int& eventCount, ExportEntry& entry);

}  // namespace valscribe
