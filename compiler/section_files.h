// Work files of a symcode run (all in the working directory) and how every reader opens them.
#pragma once

#include <cstdio>
#include <string>

constexpr const char* kHeadFile = "head.tmp";
constexpr const char* kUsedParamFile = "usedp.tmp";
constexpr const char* kConstFile = "const.tmp";
constexpr const char* kVarFile = "var.tmp";
constexpr const char* kMidFile = "mid.tmp";
constexpr const char* kAeqFile = "aeq.tmp";
constexpr const char* kDeqFile = "deq.tmp";
constexpr const char* kParamFile = "param.tmp";
constexpr const char* kJoinedFile = "tmp.tmp";
constexpr const char* kSsysBodyFile = "s_fvec.tmp";
constexpr const char* kSsysJacobianBodyFile = "s_fjac.tmp";

// Every work file a run rewrites.
constexpr const char* kWorkFiles[] = {kHeadFile,
                                      kUsedParamFile,
                                      kConstFile,
                                      kVarFile,
                                      kMidFile,
                                      kAeqFile,
                                      kDeqFile,
                                      kParamFile,
                                      kJoinedFile,
                                      kSsysBodyFile,
                                      kSsysJacobianBodyFile};

// The length of a text that is always accepted (a line of the DAE file has no limit).
constexpr size_t kMaxLineLength = 65535;

// Opens `name` for reading or writing; logs "#  Cannot open <name>" and returns null on failure.
FILE* open_logged(const std::string& name, const char* mode);

// Closes a file on scope exit.
class FileCloser {
  public:
    explicit FileCloser(FILE* file) : file_(file) {}
    ~FileCloser() {
        if (file_ != nullptr) std::fclose(file_);
    }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

  private:
    FILE* file_;
};
