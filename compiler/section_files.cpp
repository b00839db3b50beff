#include "section_files.h"

#include "log.h"
#include "text_io.h"

LineStatus read_limited_line(FILE* in, std::string& line) {
    if (!zymorax::read_line(in, line)) return LineStatus::End;
    std::string content = zymorax::without_line_end(line);
    if (content.size() + 1 <= kMaxLineLength) return LineStatus::Read;
    log_sys("#  Too long input line :'%s'\n", content.substr(0, kMaxLineLength).c_str());
    return LineStatus::TooLong;
}

FILE* open_logged(const std::string& name, const char* mode) {
    FILE* file = std::fopen(name.c_str(), mode);
    if (file == nullptr) log_sys("#  Cannot open %s\n", name.c_str());
    return file;
}
