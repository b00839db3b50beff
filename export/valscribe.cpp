#include "valscribe.h"

#include <vector>

#include "entry_reader.h"
#include "export_options.h"
#include "init_writer.h"
#include "param_writer.h"

namespace valscribe {

int run_valscribe(int argc, char** argv) {
    std::string input = input_path_from_args(argc, argv);
    if (input.empty()) return -1;
    std::vector<ExportEntry> entries;
    bool read_completely = read_export_entries(input, entries);
    bool init_written = write_init_file(kInitFileName, entries);
    bool param_written = write_param_file(kParamFileName, entries);
    return read_completely && init_written && param_written ? 0 : -1;
}

}  // namespace valscribe
