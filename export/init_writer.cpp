#include "init_writer.h"

#include "matlab_text.h"
#include "script_file.h"

namespace valscribe {

void write_init_script(std::ostream& out, const std::vector<ExportEntry>& entries) {
    out << "function [Y_START] = " << kInitScriptName << "()\n";
    for (const ExportEntry& entry : entries) {
        const ParamRow& row = entry.row;
        if (row.type() != RowType::YStart) continue;
        const std::string index = row.trimmed(RowField::Index);
        const std::string tag = row.tag();
        // The '%' starts a MATLAB comment that names the variable.
        out << "\tY_START(" << index << ").value = " << value_or_empty(row.trimmed(RowField::Value))
            << "; % " << tag << "\n";
        out << "\tY_START(" << index << ").tag = '" << quoted(tag) << "';\n";
    }
    out << "end\n";
}

bool write_init_file(const std::string& path, const std::vector<ExportEntry>& entries) {
    return write_script_file(path,
                             [&entries](std::ostream& out) { write_init_script(out, entries); });
}

}  // namespace valscribe
