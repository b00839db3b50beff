#include "csv_writer.h"

#include <cerrno>
#include <cstring>

#include "format.h"
#include "log.h"

namespace kinesim {

std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

int CsvWriter::open(const std::string& path, const std::vector<std::string>& tags) {
    path_ = path;
    out_.reset(std::fopen(path.c_str(), "w"));
    if (!out_) {
        log_sys("Cannot open %s for writing: %s\n", path.c_str(), std::strerror(errno));
        return -1;
    }
    std::string header = "time";
    for (const std::string& tag : tags) header += "," + csv_field(tag);
    header += "\n";
    if (std::fputs(header.c_str(), out_.get()) == EOF) {
        log_sys("Cannot write %s.\n", path.c_str());
        return -1;
    }
    return 0;
}

int CsvWriter::write_row(double time, const std::vector<double>& state) {
    bool ok = zymorax::print(out_.get(), "%.10g", time);
    for (double value : state) ok = ok && zymorax::print(out_.get(), ",%.10g", value);
    ok = ok && std::fputc('\n', out_.get()) != EOF;
    if (!ok) {
        log_sys("Cannot write %s.\n", path_.c_str());
        return -1;
    }
    return 0;
}

int CsvWriter::close() {
    if (!out_) return 0;
    FILE* file = out_.release();
    if (std::fclose(file) != 0) {
        log_sys("Cannot write %s: %s\n", path_.c_str(), std::strerror(errno));
        return -1;
    }
    return 0;
}

}  // namespace kinesim
