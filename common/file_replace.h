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

}  // namespace zymorax
