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

// A name beside the target that stays short, since the target's own name may be as long as a
// name can be.
std::string temporary_template(const std::string& target) {
    size_t slash = target.rfind('/');
    std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    return folder + ".zymorax.XXXXXX";
}

bool fail(ReplaceFailure& failure, ReplaceFailure::Step step, int error) {
    failure.step = step;
    failure.error = error;
    return false;
}

}  // namespace

bool StagedFile::open(const std::string& path) {
    abandon();
    target_ = resolved_path(path);
    struct stat status;
    exists_ = stat(target_.c_str(), &status) == 0;
    if (!exists_ && errno != ENOENT) return false;
    if (exists_ && S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        return false;
    }
    if (exists_ && !S_ISREG(status.st_mode)) {
        // A device or pipe is written where it is: renaming a file over it would replace it.
        temporary_.clear();
        out_ = std::fopen(target_.c_str(), "wb");
        return out_ != nullptr;
    }
    if (exists_) old_ = {static_cast<unsigned>(status.st_mode & 07777), status.st_uid, status.st_gid};
    temporary_ = temporary_template(target_);
    int fd = mkstemp(temporary_.data());
    if (fd < 0) return false;
    out_ = fdopen(fd, "wb");
    if (out_ != nullptr) return true;
    int error = errno;
    close(fd);
    unlink(temporary_.c_str());
    errno = error;
    return false;
}

bool StagedFile::commit(ReplaceFailure& failure) {
    if (out_ == nullptr) return fail(failure, ReplaceFailure::Open, EBADF);
    if (temporary_.empty()) return commit_in_place(failure);
    int fd = fileno(out_);
    bool written = std::fflush(out_) == 0 && fsync(fd) == 0;
    int error = errno;
    if (written) {
        if (exists_ && fchown(fd, old_.uid, old_.gid) != 0) {
            // Only a privileged process may give a file away; the caller's ownership then stays.
        }
        written = fchmod(fd, exists_ ? old_.mode : new_file_mode()) == 0;
        error = errno;
    }
    bool closed = std::fclose(out_) == 0;
    if (!closed && written) error = errno;
    out_ = nullptr;
    if (!written || !closed) {
        unlink(temporary_.c_str());
        return fail(failure, ReplaceFailure::Write, error);
    }
    if (std::rename(temporary_.c_str(), target_.c_str()) == 0) return true;
    error = errno;
    unlink(temporary_.c_str());
    return fail(failure, ReplaceFailure::Rename, error);
}

bool StagedFile::commit_in_place(ReplaceFailure& failure) {
    bool written = std::fflush(out_) == 0;
    int error = errno;
    bool closed = std::fclose(out_) == 0;
    out_ = nullptr;
    if (written && closed) return true;
    return fail(failure, ReplaceFailure::Write, written ? errno : error);
}

void StagedFile::abandon() {
    if (out_ == nullptr) return;
    std::fclose(out_);
    out_ = nullptr;
    if (!temporary_.empty()) unlink(temporary_.c_str());
}

bool replace_file(const std::string& path, const std::function<bool(FILE*)>& fill, bool mayCreate,
                  ReplaceFailure& failure) {
    struct stat status;
    if (!mayCreate && stat(resolved_path(path).c_str(), &status) != 0) {
        return fail(failure, ReplaceFailure::Open, errno);
    }
    StagedFile staged;
    if (!staged.open(path)) return fail(failure, ReplaceFailure::Open, errno);
    if (!fill(staged.stream())) {
        int error = errno;
        staged.abandon();
        return fail(failure, ReplaceFailure::Write, error);
    }
    return staged.commit(failure);
}

}  // namespace zymorax
