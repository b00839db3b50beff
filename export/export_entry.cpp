#include "export_entry.h"

namespace valscribe {
namespace {

constexpr size_t kYStartFields = 4;
constexpr size_t kParamFields = 11;
constexpr size_t kEventFields = 6;

// Splits the last field at '#': the first part is the tag, the second the comment.
void assign_tag_and_comment(const std::string& last, ExportEntry& entry) {
    std::vector<std::string> parts = split_fields(last, '#');
    entry.tag = parts.empty() ? "" : trim_field(parts[0]);
    entry.comment = parts.size() > 1 ? trim_field(parts[1]) : "";
}

bool parse_y_start(const std::vector<std::string>& fields, ExportEntry& entry) {
    if (fields.size() != kYStartFields || trim_field(fields[3]).empty()) return false;
    entry.index = trim_field(fields[1]);
    entry.value = trim_field(fields[2]);
    assign_tag_and_comment(fields[3], entry);
    return true;
}

bool parse_param(const std::vector<std::string>& fields, ExportEntry& entry) {
    if (fields.size() != kParamFields || trim_field(fields[10]).empty()) return false;
    entry.name = trim_field(fields[1]);
    entry.index = trim_field(fields[2]);
    entry.value = trim_field(fields[3]);
    entry.valStart = trim_field(fields[4]);
    entry.numSurvey = trim_field(fields[5]);
    entry.drs = trim_field(fields[6]);
    entry.changeVal = trim_field(fields[7]);
    entry.gaMin = trim_field(fields[8]);
    entry.gaMax = trim_field(fields[9]);
    assign_tag_and_comment(fields[10], entry);
    return true;
}

bool parse_event(const std::vector<std::string>& fields, int& eventCount, ExportEntry& entry) {
    entry.eventNumber = ++eventCount;
    if (fields.size() != kEventFields) return false;
    entry.name = trim_field(fields[1]);
    entry.index = trim_field(fields[2]);
    entry.time = trim_field(fields[3]);
    entry.value = trim_field(fields[4]);
    return true;
}

}  // namespace

std::vector<std::string> split_fields(const std::string& text, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t cut = text.find(separator); cut != std::string::npos;
         cut = text.find(separator, start)) {
        fields.push_back(text.substr(start, cut - start));
        start = cut + 1;
    }
    if (start < text.size()) fields.push_back(text.substr(start));
    return fields;
}

std::string trim_field(const std::string& text) {
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool parse_export_entry(const std::string& line, int& eventCount, ExportEntry& entry) {
    entry = ExportEntry{};
    entry.line = line;
    std::vector<std::string> fields = split_fields(line, ';');
    entry.type = fields.empty() ? "" : trim_field(fields[0]);
    if (entry.type == kYStartType) return parse_y_start(fields, entry);
    if (entry.type == kParamType) return parse_param(fields, entry);
    if (entry.type == kEventType) return parse_event(fields, eventCount, entry);
    return true;
}

}  // namespace valscribe
