// The time course as CSV: a header "time,<tag1>,<tag2>,..." in variable number order, then one
// row per output time, numbers with ten significant digits.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace kinesim {

class CsvWriter {
  public:
    // Opens the file and writes the header. 0, or -1 after logging.
    int open(const std::string& path, const std::vector<std::string>& tags);
    // Appends one row. 0, or -1 after logging a write error.
    int write_row(double time, const std::vector<double>& state);
    // Flushes and closes. 0, or -1 after logging a write error.
    int close();

  private:
    std::string path_;
    std::unique_ptr<FILE, int (*)(FILE*)> out_{nullptr, &std::fclose};
};

// A CSV field: quoted when the tag holds a comma or a quote.
std::string csv_field(const std::string& text);

}  // namespace kinesim
