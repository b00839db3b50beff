#include "entry_reader.h"

#include <memory>

namespace valscribe {

bool read_line_part(FILE* in, std::string& text) {
    text.clear();
    int c;
    while (text.size() < kMaxLineChars && (c = std::getc(in)) != EOF) {
        text += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !text.empty();
}

bool read_export_entries(const std::string& path, std::vector<ExportEntry>& entries) {
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in) return false;
    std::string text;
    int eventCount = 0;
    while (read_line_part(in.get(), text)) {
        ExportEntry entry;
        if (!parse_export_entry(text, eventCount, entry)) return false;
        entries.push_back(std::move(entry));
        if (entries.back().type != kEventType && entries.size() > kMaxEntries) return false;
    }
    return !std::ferror(in.get());
}

}  // namespace valscribe
