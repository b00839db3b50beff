#include "param_file.h"

#include "text_io.h"

namespace zymorax {

bool ParamFileReader::open(const std::string& path) {
    // Binary mode: a CR before the LF stays part of the line.
    file_.reset(std::fopen(path.c_str(), "rb"));
    lineNumber_ = 0;
    return file_ != nullptr;
}

bool ParamFileReader::next(ParamRow& row) {
    std::string line;
    if (!file_ || !read_line(file_.get(), line)) return false;
    row = ParamRow(std::move(line), ++lineNumber_);
    return true;
}

bool ParamFileReader::failed() const {
    return file_ && std::ferror(file_.get()) != 0;
}

ReadOutcome read_param_rows(const std::string& path, std::vector<ParamRow>& rows) {
    rows.clear();
    ParamFileReader reader;
    if (!reader.open(path)) return ReadOutcome::CannotOpen;
    ParamRow row;
    while (reader.next(row)) rows.push_back(std::move(row));
    return reader.failed() ? ReadOutcome::CannotRead : ReadOutcome::Read;
}

std::string param_file_text(const std::vector<ParamRow>& rows) {
    std::string text;
    for (const ParamRow& row : rows) text += row.text();
    return text;
}

bool write_param_rows(FILE* out, const std::vector<ParamRow>& rows) {
    for (const ParamRow& row : rows) {
        if (std::fwrite(row.text().data(), 1, row.text().size(), out) != row.text().size()) {
            return false;
        }
    }
    return true;
}

}  // namespace zymorax
