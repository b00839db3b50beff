// A text file written by symcode: opened with a logged failure, closed with a checked result so
// that a short write is reported rather than left behind as a silently truncated file.
#pragma once

#include <cstdio>
#include <string>

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates (empties) the file; false after logging "#  Cannot open <name>".
    bool open(const std::string& name);
    FILE* get() const { return file_; }
    // Closes the file; -1 after logging "#  Cannot write <name>" when any write failed.
    int close();

private:
    FILE* file_ = nullptr;
    std::string name_;
};
