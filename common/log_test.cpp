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
