// Running a step inside a fresh folder of its own: symcode's DAE reader writes its section files
// into the working directory, and an export must leave nothing behind but its outputs.
#pragma once

#include <functional>
#include <string>

namespace kineport {

// The path as seen from the current working directory, made absolute.
std::string absolute_path(const std::string& path);

// Makes an empty folder under TMPDIR (or /tmp), makes it the working directory, runs `step`,
// then returns to the previous working directory and removes the folder with everything in it,
// whatever `step` returned. The result of `step`, or -1 after logging when the folder cannot be
// made or entered.
int run_in_private_folder(const std::function<int()>& step);

}  // namespace kineport
