#include "file_replace.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

namespace zymorax {
namespace {

// The file a path finally names: a symbolic link is followed, so that the link survives.
std::string resolved_path(const std::string& path) {
    struct stat link_status;
    if (lstat(path.c_str(), &link_status) != 0 || !S_ISLNK(link_status.st_mode)) return path;
    std::unique_ptr<char, void (*)(void*)> resolved(realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

// The permission bits a newly created file gets.
mode_t new_file_mode() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// Gives the new file the old one's owner where allowed and its permission bits, or, without an
// old file, those of a new file; false (errno set) when the bits cannot be set.
bool copy_ownership(int fd, const struct stat* old_status) {
    if (old_status == nullptr) return fchmod(fd, new_file_mode()) == 0;
    if (fchown(fd, old_status->st_uid, old_status->st_gid) != 0) {
        // Only a privileged process may give a file away; the caller's ownership then stays.
    }
    return fchmod(fd, old_status->st_mode & 07777) == 0;
}

bool fail(ReplaceFailure& failure, ReplaceFailure::Step step, int error) {
    failure.step = step;
    failure.error = error;
    return false;
}

// Fills the open temporary file, syncs and closes it; false with `failure` set.
bool fill_temporary(int fd, const std::function<bool(FILE*)>& fill, ReplaceFailure& failure) {
    FILE* out = fdopen(fd, "wb");
    if (out == nullptr) {
        int error = errno;
        close(fd);
        return fail(failure, ReplaceFailure::Write, error);
    }
    bool written = fill(out) && std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    int error = errno;
    bool closed = std::fclose(out) == 0;
    if (!written || !closed) return fail(failure, ReplaceFailure::Write, written ? errno : error);
    return true;
}

}  // namespace

bool replace_file(const std::string& path, const std::function<bool(FILE*)>& fill, bool mayCreate,
                  ReplaceFailure& failure) {
    std::string target = resolved_path(path);
    struct stat old_status;
    bool exists = stat(target.c_str(), &old_status) == 0;
    if (!exists && (!mayCreate || errno != ENOENT)) {
        return fail(failure, ReplaceFailure::Open, errno);
    }
    std::string temporary = target + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) return fail(failure, ReplaceFailure::Open, errno);
    bool filled = false;
    if (!copy_ownership(fd, exists ? &old_status : nullptr)) {
        fail(failure, ReplaceFailure::Write, errno);
        close(fd);
    } else {
        filled = fill_temporary(fd, fill, failure);
    }
    if (filled && std::rename(temporary.c_str(), target.c_str()) == 0) return true;
    if (filled) fail(failure, ReplaceFailure::Rename, errno);
    unlink(temporary.c_str());
    return false;
}

}  // namespace zymorax
