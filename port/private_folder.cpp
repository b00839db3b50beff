#include "private_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "log.h"

namespace kineport {
namespace {

// Removes every plain entry of the folder, then the folder (the reader makes no sub-folders).
void remove_folder(const std::string& folder) {
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name != "." && name != "..") unlink((folder + "/" + name).c_str());
        }
        closedir(dir);
    }
    rmdir(folder.c_str());
}

std::string folder_template() {
    const char* tmp = std::getenv("TMPDIR");
    std::string base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
    return base + "/kineport.XXXXXX";
}

}  // namespace

std::string absolute_path(const std::string& path) {
    if (path.empty() || path[0] == '/') return path;
    std::vector<char> buffer(4096);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) return path;
        buffer.resize(buffer.size() * 2);
    }
    return std::string(buffer.data()) + "/" + path;
}

int run_in_private_folder(const std::function<int()>& step) {
    std::string folder = folder_template();
    if (mkdtemp(folder.data()) == nullptr) {
        log_sys("Cannot make a work folder %s: %s.\n", folder.c_str(), std::strerror(errno));
        return -1;
    }
    int back = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (back < 0 || chdir(folder.c_str()) != 0) {
        log_sys("Cannot enter the work folder %s: %s.\n", folder.c_str(), std::strerror(errno));
        if (back >= 0) close(back);
        remove_folder(folder);
        return -1;
    }
    int result = step();
    if (fchdir(back) != 0) {
        log_sys("Cannot return to the working directory: %s.\n", std::strerror(errno));
        result = -1;
    }
    close(back);
    remove_folder(folder);
    return result;
}

}  // namespace kineport
