#include "target_writer.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "log.h"

namespace valfuse {
namespace {

// The file a path finally names: a symbolic link is followed, so that the link survives.
std::string resolved_path(const std::string& path) {
    struct stat link_status;
    if (lstat(path.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode)) return path;
    std::unique_ptr<char, void (*)(void*)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// Writes every line, flushes and syncs; false on the first failure (errno tells why).
bool write_lines(FILE* out, const std::vector<ParamRow>& rows) {
    for (const ParamRow& row : rows) {
        if (std::fwrite(row.line.data(), 1, row.line.size(), out) != row.line.size()) return false;
    }
    return std::fflush(out) == 0 && fsync(fileno(out)) == 0;
}

// Gives the new file the old one's owner where allowed and its permission bits; false (errno
// set) when the bits cannot be set.
bool copy_ownership(int fd, const struct stat& old_status) {
    if (fchown(fd, old_status.st_uid, old_status.st_gid) != 0) {
        // Only a privileged process may give a file away; the caller's ownership then stays.
    }
    return fchmod(fd, old_status.st_mode & 07777) == 0;
}

void log_write_failure(const std::string& path, int error) {
    log_sys("Can't write %s (%s)\n", path.c_str(), std::strerror(error));
}

// Fills the open temporary file and closes it; false after logging.
bool fill_temporary(int fd, const std::string& path, const std::vector<ParamRow>& rows) {
    FILE* out = fdopen(fd, "wb");
    if (out == nullptr) {
        log_write_failure(path, errno);
        close(fd);
        return false;
    }
    bool written = write_lines(out, rows);
    int error = errno;
    bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        log_write_failure(path, written ? errno : error);
        return false;
    }
    return true;
}

}  // namespace

int write_target(const std::string& path, const std::vector<ParamRow>& rows) {
    std::string target = resolved_path(path);
    struct stat old_status;
    if (stat(target.c_str(), &old_status) != 0) {
        log_sys("Can't open %s for writing\n", path.c_str());
        return -1;
    }
    std::string temporary = target + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) {
        log_sys("Can't open %s for writing\n", path.c_str());
        return -1;
    }
    if (!copy_ownership(fd, old_status)) {
        log_write_failure(path, errno);
        close(fd);
        unlink(temporary.c_str());
        return -1;
    }
    if (!fill_temporary(fd, path, rows)) {
        unlink(temporary.c_str());
        return -1;
    }
    if (std::rename(temporary.c_str(), target.c_str()) != 0) {
        log_sys("Can't replace %s (%s)\n", path.c_str(), std::strerror(errno));
        unlink(temporary.c_str());
        return -1;
    }
    return 0;
}

}  // namespace valfuse
