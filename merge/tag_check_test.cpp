#include "tag_check.h"

#include <gtest/gtest.h>

#include "rows_test_support.h"
#include "test_support.h"

namespace valfuse {
namespace {

TEST(CheckTags, ReportsTheEarliestRowThatHasATwin) {
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::string log;  // empty when the tags pass
    } cases[] = {
        {"distinct tags; opaque rows play no part",
         {"Y_START ;   1;  1;  A\t#\n", "PARAM;k;1;1;;0;D;;;; B\t#\n", "# A\n",
          "PARAM_NAME ;A               #\n"},
         ""},
        {"rows without a tag identify nothing",
         {"PARAM;k;1;1;;0;D;;;; \t#\n", "PARAM;k;2;1;;0;D;;;; \t#\n"}, ""},
        {"a Y_START and a PARAM row clash",
         {"Y_START ;   1;  1;  A\t#\r\n", "# x\n", "PARAM;k;1;1;;0;D;;;;A \t# other\n"},
         "tag dupplication:\n\tY_START ;   1;  1;  A\t#\n\tPARAM;k;1;1;;0;D;;;;A \t# other\n"},
        {"the earliest row with a twin, and its first twin",
         {"PARAM;k;1;1;;0;D;;;; a\t#1\n", "PARAM;k;2;1;;0;D;;;; b\t#2\n",
          "PARAM;k;3;1;;0;D;;;; b\t#3\n", "PARAM;k;4;1;;0;D;;;; a\t#4\n",
          "PARAM;k;5;1;;0;D;;;; a\t#5\n"},
         "tag dupplication:\n\tPARAM;k;1;1;;0;D;;;; a\t#1\n\tPARAM;k;4;1;;0;D;;;; a\t#4\n"},
    };
    zymorax::testkit::LogCapture log;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(check_tags(rows_of(c.lines)), c.log.empty() ? 0 : -1);
        EXPECT_EQ(log.take(), c.log);
    }
}

}  // namespace
}  // namespace valfuse
