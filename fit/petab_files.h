// The files of a PEtab (version 1) problem: its YAML file and the tab-separated tables it names
// (parameters; conditions, measurements, observables, one or more files each). The tables are
// read as text by column name; petab_problem.h gives the cells their meaning.
#pragma once

#include <string>
#include <vector>

namespace kinefit {

struct PetabTable {
    std::string path;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // each as long as `columns`, cells trimmed
    std::vector<int> lines;                      // the line of each row in the file

    // The column's position, or -1.
    int column(const std::string& name) const;
    // The cell of row r in column c, "" for c = -1.
    const std::string& cell(size_t r, int c) const;
    // "<path>:<line>" of row r, for messages.
    std::string where(size_t r) const;
};

struct PetabFiles {
    std::string yamlPath;
    std::string sbmlFile;  // the model the problem names, for messages (kinelaw reads it)
    PetabTable parameters;
    std::vector<PetabTable> conditions, measurements, observables;
};

// Reads the YAML file (format_version 1, one problem) and every table it names, relative to its
// folder. 0, or -1 after logging the file and line of the first fault.
int read_petab_files(const std::string& yamlPath, PetabFiles& files);

}  // namespace kinefit
