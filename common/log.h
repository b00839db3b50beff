// System and debug logs shared by rxnconv, symcode and valfuse (library ZYMORAX_Common).
//
// The system log goes to standard error unless ZYMORAX_SYSLOG names a file, to which lines are
// appended. The debug log is discarded unless ZYMORAX_DBGLOG names a file. Every call reaches its
// destination at once, so programs that never finalise lose nothing. No "-d" switch changes
// anything; the switches are accepted so that callers can pass their whole argument vector.
#pragma once

#include <string.h>  // strsep: the C library's BSD function is the one the programs use.

#ifdef __cplusplus
extern "C" {
#endif

// Opens the system log; 0 when open, -1 when the file named by ZYMORAX_SYSLOG cannot be opened
// for appending. Calling it again reopens the log.
int log_sysinit(int argc, char** argv);

// Opens the debug log; 0 when open (or discarded), -1 when ZYMORAX_DBGLOG cannot be opened.
int log_dbginit(int argc, char** argv);

// Appends printf-formatted text to the system log (standard error before log_sysinit).
void log_sys(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Closes what the inits opened; harmless when nothing was opened.
void log_sysfinalize(void);
void log_dbgfinalize(void);

#ifdef __cplusplus
}

#include <string>

// Registers a function that may add a note after each complete line of the system log: it gets
// the line (without its line break) and returns the text to write after it, ending in a line
// break, or an empty string. nullptr removes it. rxnconv uses it to say which element of the
// model file a number in a message stands for.
void log_setnote(std::string (*note)(const std::string& line));
#endif
