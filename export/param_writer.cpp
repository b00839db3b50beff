#include "param_writer.h"

#include "matlab_text.h"
#include "script_file.h"

namespace valscribe {
namespace {

void write_event(std::ostream& out, const ExportEntry& entry) {
    const ParamRow& row = entry.row;
    const std::string head = "\tevent(" + std::to_string(entry.eventNumber) + ").";
    out << head << "name = '" << quoted(row.trimmed(RowField::Name)) << "';\n";
    out << head << "index = " << row.trimmed(RowField::Index) << ";\n";
    out << head << "value = " << value_or_empty(row.trimmed(RowField::Value)) << ";\n";
    out << head << "time = " << value_or_empty(row.trimmed(RowField::Time)) << ";\n";
}

void write_param(std::ostream& out, const ParamRow& row) {
    const std::string head =
        "\tparam." + row.trimmed(RowField::Name) + "(" + row.trimmed(RowField::Index) + ").";
    out << head << "value = " << value_or_empty(row.trimmed(RowField::Value)) << ";\n";
    const std::string valStart = row.trimmed(RowField::ValStart);
    if (!valStart.empty()) out << head << "val_start = " << valStart << ";\n";
    out << head << "num_survey = " << value_or_empty(row.trimmed(RowField::NumSurvey)) << ";\n";
    out << head << "d_r_s = '" << quoted(row.trimmed(RowField::Drs)) << "';\n";
    out << head << "tag = '" << quoted(row.tag()) << "';\n";
}

}  // namespace

void write_param_script(std::ostream& out, const std::vector<ExportEntry>& entries) {
    out << "function [param, event] = " << kParamScriptName << "()\n";
    bool event_written = false;
    for (const ExportEntry& entry : entries) {
        if (entry.row.type() == RowType::TEvent) {
            write_event(out, entry);
            event_written = true;
        } else if (entry.row.type() == RowType::Param) {
            write_param(out, entry.row);
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
