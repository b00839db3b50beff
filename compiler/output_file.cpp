#include "output_file.h"

#include "log.h"
#include "section_files.h"

OutputFile::~OutputFile() {
    if (file_ != nullptr) std::fclose(file_);
}

bool OutputFile::open(const std::string& name) {
    if (file_ != nullptr) std::fclose(file_);
    name_ = name;
    file_ = open_logged(name, "w");
    return file_ != nullptr;
}

int OutputFile::close() {
    if (file_ == nullptr) return 0;
    bool failed = std::ferror(file_) != 0;
    failed = std::fclose(file_) != 0 || failed;
    file_ = nullptr;
    if (!failed) return 0;
    log_sys("#  Cannot write %s\n", name_.c_str());
    return -1;
}
