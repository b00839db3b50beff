// Joins the records of an expression section that span several lines into "tmp.tmp", one
// record a line, with the aeq_/deq_ labels dropped.
#include "dae_reader.h"
#include "log.h"
#include "output_file.h"
#include "section_files.h"
#include "text_io.h"

namespace {

std::string without_trailing_blanks(const std::string& line) {
    size_t end = line.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? std::string() : line.substr(0, end + 1);
}

bool is_labelled(const std::string& line) {
    return line.compare(0, 4, "aeq_") == 0 || line.compare(0, 4, "deq_") == 0;
}

int joiner_failure(const std::string& line) {
    log_sys("#  in line : %s\n", line.c_str());
    log_sys("## Error in fix_equation_line.\n");
    return -1;
}

// The record being collected across lines.
struct Joiner {
    bool atBoundary = true;
    std::string collected;
    FILE* out = nullptr;

    // Takes one line of the section file. 0, or -1 after logging.
    int take(const std::string& line) {
        if (atBoundary && line.compare(0, 2, "= ") == 0) {
            std::fputs(line.c_str(), out);  // sub-heads pass unchanged
            return 0;
        }
        std::string piece = without_trailing_blanks(line);
        bool completes = piece.find(';') != std::string::npos;
        if (completes && piece.back() != ';') {
            log_sys("#  This line has some character after ';'.\n");
            return joiner_failure(piece);
        }
        if (is_labelled(piece)) {
            if (!atBoundary) {
                log_sys("#  'aeq' or 'deq' does not come in the middle of expression.\n");
                log_sys("#  Probably ';' has fallen out in the previous line.\n");
                return joiner_failure(piece);
            }
            size_t colon = piece.find(':');
            if (colon == std::string::npos) {
                log_sys("#  Lack of ':', before an equation starts.\n");
                return joiner_failure(piece);
            }
            piece.erase(0, colon + 1);
        }
        collected += piece;
        atBoundary = completes;
        if (completes) {
            std::fprintf(out, "%s\n", collected.c_str());
            collected.clear();
        }
        return 0;
    }
};

}  // namespace

int fix_equation_line(const std::string& sectionFile) {
    FILE* in = open_logged(sectionFile, "r");
    if (in == nullptr) return -1;
    FileCloser closeIn(in);
    OutputFile joined;
    if (!joined.open(kJoinedFile)) return -1;

    Joiner joiner;
    joiner.out = joined.get();
    std::string line;
    while (zymorax::read_line(in, line)) {
        if (joiner.take(line) != 0) return -1;
    }
    // A record still open at the end has no ';' and is dropped.
    return joined.close();
}
