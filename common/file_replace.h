// Replacing a file's content without ever leaving it half written.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace zymorax {

// Where a replacement failed, and errno at that point.
struct ReplaceFailure {
    enum Step { Open, Write, Rename } step = Open;
    int error = 0;
};

// Replaces the content of the file at `path` with what `fill` writes (it returns false on a
// write error). The content goes to a temporary file beside the target, is flushed and synced,
// and is renamed over the target only when all of that succeeded, so a failure at any step
// leaves the old file as it was and removes the temporary one. The file keeps its permission
// bits (and its owner where the process may set it); a symbolic link keeps pointing at the
// rewritten file. With `mayCreate` a missing target is created with the permissions a new file
// gets (0666 less the umask, which is read by setting it back, so not while other threads create
// files); without it a missing target is an Open failure. True on success; else `failure` says
// where it failed.
bool replace_file(const std::string& path, const std::function<bool(FILE*)>& fill, bool mayCreate,
                  ReplaceFailure& failure);

// An output written in steps that replaces its target only when the whole of it was written:
// open() makes a temporary file beside the target, commit() syncs it and renames it over the
// target (keeping the target's permissions, as replace_file does), and a file neither committed
// nor kept is removed when the object goes (abandon() removes it at once). A target that exists
// and is no regular file (a device, a pipe) is written in place instead: nothing replaces it.
class StagedFile {
public:
    StagedFile() = default;
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;
    ~StagedFile() { abandon(); }

    // Makes the temporary file; false (errno set) when the target is a folder or its folder
    // takes no new file. A missing target is created by commit().
    bool open(const std::string& path);
    // The stream to write to; null before open() and after commit() or abandon().
    FILE* stream() const { return out_; }
    // Flushes, syncs, closes and renames; false with `failure` set (the temporary is removed).
    bool commit(ReplaceFailure& failure);
    void abandon();

private:
    bool commit_in_place(ReplaceFailure& failure);

    std::string target_;
    std::string temporary_;
    FILE* out_ = nullptr;
    bool exists_ = false;
    struct stat_copy {
        unsigned mode = 0;
        unsigned uid = 0;
        unsigned gid = 0;
    } old_;
};

}  // namespace zymorax
