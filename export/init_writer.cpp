#include "init_writer.h"

#include "script_file.h"

namespace valscribe {

void write_init_script(std::ostream& out, const std::vector<ExportEntry>& entries) {
    out << "function [Y_START] = " << kInitScriptName << "()\n";
    for (const ExportEntry& entry : entries) {
        if (entry.type != kYStartType) continue;
        // The '%' starts a MATLAB comment that names the variable.
        out << "\tY_START(" << entry.index << ").value = " << entry.value << "; % " << entry.tag
            << "\n";
        out << "\tY_START(" << entry.index << ").tag = '" << entry.tag << "';\n";
    }
    out << "end\n";
}

bool write_init_file(const std::string& path, const std::vector<ExportEntry>& entries) {
    return write_script_file(path,
                             [&entries](std::ostream& out) { write_init_script(out, entries); });
}

}  // namespace valscribe
