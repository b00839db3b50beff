#include "log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

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

std::string (*line_note)(const std::string&) = nullptr;
std::string pending_line;  // the start of the unfinished last line, while a note is registered

// Before log_sysinit (rxnconv reports a JVM that cannot start that early) a message still goes
// to the file the user named, when it can be opened.
FILE* open_early_system_log() {
    if (system_log.initialised) return nullptr;
    const char* path = getenv("ZYMORAX_SYSLOG");
    return (path != nullptr && *path != '\0') ? fopen(path, "a") : nullptr;
}

// Writes the text, and after each line it completes the note for that line.
void write_with_notes(FILE* out, const std::string& text) {
    size_t start = 0;
    for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
        fwrite(text.data() + start, 1, end + 1 - start, out);
        pending_line.append(text, start, end - start);
        std::string note = line_note(pending_line);
        fwrite(note.data(), 1, note.size(), out);
        pending_line.clear();
        start = end + 1;
    }
    fwrite(text.data() + start, 1, text.size() - start, out);
    pending_line.append(text, start, std::string::npos);
}

// The printf-formatted text as a string.
std::string formatted(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int size = vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size <= 0) return std::string();
    std::string text(static_cast<size_t>(size) + 1, '\0');
    vsnprintf(&text[0], text.size(), format, args);
    text.resize(static_cast<size_t>(size));
    return text;
}

}  // namespace

extern "C" int log_sysinit(int, char**) { return system_log.open_from("ZYMORAX_SYSLOG"); }

extern "C" int log_dbginit(int, char**) { return debug_log.open_from("ZYMORAX_DBGLOG"); }

extern "C" void log_sys(const char* format, ...) {
    FILE* early = open_early_system_log();
    FILE* out = early != nullptr ? early : system_log.stream();
    va_list args;
    va_start(args, format);
    if (line_note != nullptr) {
        write_with_notes(out, formatted(format, args));
    } else {
        vfprintf(out, format, args);
    }
    va_end(args);
    if (early != nullptr) {
        fclose(early);
    } else {
        fflush(out);
    }
}

void log_setnote(std::string (*note)(const std::string& line)) {
    line_note = note;
    pending_line.clear();
}

extern "C" void log_sysfinalize(void) { system_log.close(); }

extern "C" void log_dbgfinalize(void) { debug_log.close(); }
