// Reading a parameter file into rows and writing rows back (see param_row.h for the layout).
//
// Lines are read whole, however long: a line is never split into pieces that could read as rows
// of their own. Files are read and written as bytes, so CR LF line ends, a last line without a
// line end and any other byte come back exactly as read. Nothing here logs.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "param_row.h"

namespace zymorax {

// Reads a parameter file row by row, for readers that stop early or check as they go.
class ParamFileReader {
  public:
    // Opens the file for reading; false when it cannot be opened (errno says why).
    bool open(const std::string& path);
    // Reads the next line into `row`, numbered from 1; false at the end of the file or after a
    // read error.
    bool next(ParamRow& row);
    // True when reading stopped at a read error rather than at the end of the file.
    bool failed() const;

  private:
    std::unique_ptr<FILE, int (*)(FILE*)> file_{nullptr, &std::fclose};
    int lineNumber_ = 0;
};

enum class ReadOutcome { Read, CannotOpen, CannotRead };

// Reads every row of the file at `path` in file order.
ReadOutcome read_param_rows(const std::string& path, std::vector<ParamRow>& rows);

// The rows' lines, joined: the file they make.
std::string param_file_text(const std::vector<ParamRow>& rows);

// Writes the rows' lines in order; false on a write error.
bool write_param_rows(FILE* out, const std::vector<ParamRow>& rows);

}  // namespace zymorax
