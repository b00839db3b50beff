#include "log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// A log destination: an appended file when one was named, otherwise the fallback stream.
struct LogSink {
    FILE* file = nullptr;  // owned; null means "use the fallback"
    FILE* fallback = nullptr;
    bool initialised = false;

    FILE* stream() const { return file != nullptr ? file : fallback; }

    void close() {
        if (file != nullptr) fclose(file);
        file = nullptr;
    }

    // Opens the file named by the environment variable, if any; -1 when it cannot be opened.
    int open_from(const char* variable) {
        close();
        initialised = true;
        const char* path = getenv(variable);
        if (path == nullptr || *path == '\0') return 0;
        file = fopen(path, "a");
        return file != nullptr ? 0 : -1;
    }
};

LogSink system_log{nullptr, stderr};
LogSink debug_log{nullptr, nullptr};

// Before log_sysinit (rxnconv reports a JVM that cannot start that early) a message still goes
// to the file the user named, when it can be opened.
FILE* open_early_system_log() {
    if (system_log.initialised) return nullptr;
    const char* path = getenv("ZYMORAX_SYSLOG");
    return (path != nullptr && *path != '\0') ? fopen(path, "a") : nullptr;
}

}  // namespace

extern "C" int log_sysinit(int, char**) { return system_log.open_from("ZYMORAX_SYSLOG"); }

extern "C" int log_dbginit(int, char**) { return debug_log.open_from("ZYMORAX_DBGLOG"); }

extern "C" void log_sys(const char* format, ...) {
    FILE* early = open_early_system_log();
    FILE* out = early != nullptr ? early : system_log.stream();
    va_list args;
    va_start(args, format);
    vfprintf(out, format, args);
    va_end(args);
    if (early != nullptr) {
        fclose(early);
    } else {
        fflush(out);
    }
}

extern "C" void log_sysfinalize(void) { system_log.close(); }

extern "C" void log_dbgfinalize(void) { debug_log.close(); }
