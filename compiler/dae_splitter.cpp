// Splits a DAE file by its section heads into the section files, counting each section's ';'.
#include <cstdio>
#include <filesystem>

#include "dae_reader.h"
#include "log.h"
#include "output_file.h"
#include "section_files.h"
#include "text_io.h"

namespace {

enum Section {
    MODEL,
    USED_PARAMS,
    CONSTANTS,
    VARIABLES,
    TEMPORARIES,
    ALGEBRAIC,
    DIFFERENTIAL,
    PARAMETERS,
    SECTION_COUNT,
    NO_SECTION = -1
};

struct SectionKind {
    const char* head;  // first six characters of the head line
    const char* file;
};

const SectionKind kSections[SECTION_COUNT] = {
    {"== Mod", kHeadFile}, {"== Use", kUsedParamFile}, {"== Con", kConstFile},
    {"== Var", kVarFile},  {"== Tem", kMidFile},       {"== Alg", kAeqFile},
    {"== Dif", kDeqFile},  {"== Par", kParamFile},
};

int section_of_head(const std::string& kept) {
    for (int i = 0; i < SECTION_COUNT; ++i) {
        if (kept.compare(0, 6, kSections[i].head) == 0) return i;
    }
    return NO_SECTION;
}

// The text of a line up to its first '#', CR or LF.
std::string kept_text(const std::string& line) {
    return line.substr(0, line.find_first_of("#\r\n"));
}

int count_semicolons(const std::string& text) {
    int count = 0;
    for (char c : text) count += c == ';';
    return count;
}

int split_failure() {
    log_sys("## Error in split_dae_file. \n");
    return -1;
}

// The run rewrites its work files; a DAE file stored under one of their names would be lost.
bool is_work_file(const std::string& name) {
    for (const char* work : kWorkFiles) {
        std::error_code error;
        if (std::filesystem::equivalent(name, work, error)) return true;
    }
    return false;
}

// Section files of an earlier run must not stand in for sections this file lacks.
void remove_old_section_files() {
    for (const SectionKind& section : kSections) std::remove(section.file);
}

// The reading state: the open section and its running ';' count.
struct Splitter {
    int counts[SECTION_COUNT] = {};
    int current = NO_SECTION;
    int semicolons = 0;
    OutputFile out;

    int end_section() {
        if (current != NO_SECTION) counts[current] = semicolons;
        semicolons = 0;
        return out.close();
    }

    int take_line(const std::string& line) {
        std::string kept = kept_text(line);
        if (kept.empty()) return 0;
        semicolons += count_semicolons(kept);
        bool isHead = kept.compare(0, 2, "==") == 0;
        if (isHead) {
            if (end_section() != 0) return -1;
            current = section_of_head(kept);
        }
        if (current == NO_SECTION) {
            log_sys("#  Inappropriate line. \n\t%s\n", zymorax::without_line_end(line).c_str());
            return -1;
        }
        if (isHead) return out.open(kSections[current].file) ? 0 : -1;
        std::fprintf(out.get(), "%s\n", kept.c_str());
        return 0;
    }
};

void store_counts(DaeModel& model, const int* counts) {
    model.variableCount = counts[VARIABLES];
    model.algebraicCount = counts[ALGEBRAIC];
    model.differentialCount = counts[DIFFERENTIAL];
    model.constantCount = counts[CONSTANTS];
    model.temporaryCount = counts[TEMPORARIES];
    model.equationCount = model.algebraicCount + model.differentialCount;
    model.paramLabelCount = counts[USED_PARAMS] + 1;
}

}  // namespace

int split_dae_file(DaeModel& model, const std::string& daeFileName) {
    if (is_work_file(daeFileName)) {
        log_sys("#  '%s' is a work file of symcode. Rename the DAE file.\n", daeFileName.c_str());
        return split_failure();
    }
    FILE* dae = open_logged(daeFileName, "r");
    if (dae == nullptr) return split_failure();
    FileCloser closeDae(dae);
    remove_old_section_files();

    Splitter splitter;
    std::string line;
    while (zymorax::read_line(dae, line)) {
        model.daeFileSize += line.size();
        if (splitter.take_line(line) != 0) return split_failure();
    }
    if (splitter.end_section() != 0) return split_failure();
    store_counts(model, splitter.counts);
    return 0;
}
