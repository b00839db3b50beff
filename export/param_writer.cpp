#include "param_writer.h"

#include "script_file.h"

namespace valscribe {
namespace {

void write_event(std::ostream& out, const ExportEntry& entry) {
    const std::string head = "\tevent(" + std::to_string(entry.eventNumber) + ").";
    out << head << "name = '" << entry.name << "';\n";
    out << head << "index = " << entry.index << ";\n";
    out << head << "value = " << entry.value << ";\n";
    out << head << "time = " << entry.time << ";\n";
}

void write_param(std::ostream& out, const ExportEntry& entry) {
    const std::string head = "\tparam." + entry.name + "(" + entry.index + ").";
    out << head << "value = " << entry.value << ";\n";
    if (!entry.valStart.empty()) out << head << "val_start = " << entry.valStart << ";\n";
    out << head << "num_survey = " << entry.numSurvey << ";\n";
    out << head << "d_r_s = '" << entry.drs << "';\n";
    out << head << "tag = '" << entry.tag << "';\n";
}

}  // namespace

void write_param_script(std::ostream& out, const std::vector<ExportEntry>& entries) {
    out << "function [param, event] = " << kParamScriptName << "()\n";
    bool event_written = false;
    for (const ExportEntry& entry : entries) {
        if (entry.type == kEventType) {
            write_event(out, entry);
            event_written = true;
        } else if (entry.type == kParamType) {
            write_param(out, entry);
        }
    }
    if (!event_written) out << "\tevent=-1;\n";
    out << "end\n";
}

bool write_param_file(const std::string& path, const std::vector<ExportEntry>& entries) {
    return write_script_file(path,
                             [&entries](std::ostream& out) { write_param_script(out, entries); });
}

}  // namespace valscribe
