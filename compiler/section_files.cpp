#include "section_files.h"

#include <filesystem>

#include "log.h"

FILE* open_logged(const std::string& name, const char* mode) {
    std::error_code error;
    // A folder opens for reading on this platform but reads as an empty file.
    FILE* file = std::filesystem::is_directory(name, error) ? nullptr
                                                            : std::fopen(name.c_str(), mode);
    if (file == nullptr) log_sys("#  Cannot open %s\n", name.c_str());
    return file;
}
