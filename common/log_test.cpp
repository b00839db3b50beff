#include "log.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "test_support.h"

using namespace zymorax::testkit;

TEST(LogTest, AppendsToTheNamedFileAtOnce) {
    TempDir dir;
    std::string path = dir.file("sys.log");
    write_file(path, "earlier\n");
    setenv("ZYMORAX_SYSLOG", path.c_str(), 1);
    ASSERT_EQ(log_sysinit(0, nullptr), 0);
    log_sys("ParseXML failed.\n");
    log_sys("%s[%d]\n", "x", 3);
    // Readable before any finalise: symcode and valfuse never call one.
    EXPECT_EQ(read_file(path), "earlier\nParseXML failed.\nx[3]\n");
    log_sysfinalize();
    unsetenv("ZYMORAX_SYSLOG");
}

TEST(LogTest, FailsWhenTheFileCannotBeOpened) {
    setenv("ZYMORAX_SYSLOG", "/nonexistent-folder/sys.log", 1);
    EXPECT_LT(log_sysinit(0, nullptr), 0);
    setenv("ZYMORAX_DBGLOG", "/nonexistent-folder/dbg.log", 1);
    EXPECT_LT(log_dbginit(0, nullptr), 0);
    unsetenv("ZYMORAX_SYSLOG");
    unsetenv("ZYMORAX_DBGLOG");
    log_sysfinalize();
    log_dbgfinalize();
}

TEST(LogTest, FinalisingWithoutInitAndLoggingBeforeInitDoNoHarm) {
    log_sysfinalize();
    log_dbgfinalize();
    EXPECT_EQ(log_dbginit(0, nullptr), 0);  // discarded without ZYMORAX_DBGLOG
    log_dbgfinalize();
}

// A note follows the line it belongs to, also when the line is written in pieces or several
// lines come in one call.
TEST(LogTest, NotesFollowTheLinesTheyBelongTo) {
    TempDir dir;
    std::string path = dir.file("sys.log");
    setenv("ZYMORAX_SYSLOG", path.c_str(), 1);
    ASSERT_EQ(log_sysinit(0, nullptr), 0);
    log_setnote([](const std::string& line) {
        return line.find('7') != std::string::npos ? "  (" + line + ")\n" : std::string();
    });
    log_sys("first 7\nsecond\nthird ");
    log_sys("%d", 7);
    log_sys("\n");
    log_setnote(nullptr);
    log_sys("fourth 7\n");
    EXPECT_EQ(read_file(path), "first 7\n  (first 7)\nsecond\nthird 7\n  (third 7)\nfourth 7\n");
    log_sysfinalize();
    unsetenv("ZYMORAX_SYSLOG");
}
