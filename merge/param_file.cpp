#include "param_file.h"

#include <memory>

#include "log.h"

namespace valfuse {

bool read_row_text(FILE* in, std::string& text) {
    text.clear();
    int c;
    while (text.size() < kMaxRowChars && (c = std::getc(in)) != EOF) {
        text += static_cast<char>(c);
        if (c == '\n') break;
    }
    return !text.empty();
}

int read_param_file(const std::string& path, std::vector<ParamRow>& rows) {
    // Binary mode: a CR before the LF stays part of the line and is written back as it was.
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!in) {
        log_sys("Can't open %s for reading.\n", path.c_str());
        return -1;
    }
    rows.clear();
    std::string text;
    while (read_row_text(in.get(), text)) {
        ParamRow row;
        if (split_param_row(text, row) != 0) return -1;
        rows.push_back(std::move(row));
        if (rows.size() > kMaxRows) {
            log_sys("Too many parameters.\n");
            return -1;
        }
    }
    if (std::ferror(in.get())) {
        log_sys("Can't read parameters. (file = %s)\n", path.c_str());
        return -1;
    }
    return 0;
}

}  // namespace valfuse
