#include "merge_rows.h"

#include <gtest/gtest.h>

#include "rows_test_support.h"
#include "test_support.h"

namespace valfuse {
namespace {

using zymorax::testkit::LogCapture;

// The new value goes in with three exponent digits ("%12.4e" for Y_START, "%12.4g" for PARAM);
// every other field, padding and line end included, stays as read.
TEST(RebuildRow, WritesTheValueInTheFormatOfItsTypeAndTheRestAsRead) {
    struct Case {
        const char* line;
        double value;
        const char* rebuilt;
    } cases[] = {
        {"Y_START ;   1; 1.0000e+000;  A.cyt\t#\n", 0.5, "Y_START ;   1; 5.0000e-001;  A.cyt\t#\n"},
        {"  Y_START\t;01;x;  B \r\n", -1.25e-7, "  Y_START\t;01;-1.2500e-007;  B \r\n"},
        {"PARAM   ;ka            ;   1;            ;;0;D;;;; tagA\t#\n", 2.5e-3,
         "PARAM   ;ka            ;   1;      0.0025;;0;D;;;; tagA\t#\n"},
        {"PARAM;k;2;1;7;0;R;c;0.1;10;t # Not Used!!\r\n", 1e-5,
         "PARAM;k;2;      1e-005;7;0;R;c;0.1;10;t # Not Used!!\r\n"},
        {"PARAM;k;3;1;;0;D;;;;t3", 123456789.0, "PARAM;k;3;  1.235e+008;;0;D;;;;t3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ParamRow row = rows_of({c.line})[0];
        rebuild_row(row, c.value);
        EXPECT_EQ(row.text(), c.rebuilt);
    }
}

TEST(MergeRows, CarriesValuesByTypeAndTag) {
    struct Case {
        const char* what;
        std::vector<std::string> target, reference;
        bool blanksOnly;
        size_t merged;
        std::vector<std::string> result;
        std::string log;
    } cases[] = {
        {"types must agree; unmatched rows on either side change nothing",
         {"# header\n", "Y_START ;   1; 1.0000e+000;  A\t#\n",
          "Y_START ;   2;            ;  B\t#\n",
          "PARAM   ;k             ;   1;            ;;0;D;;;; B\t#\n",
          "PARAM   ;k             ;   2;            ;;0;D;;;; new\t#\n"},
         {"PARAM;x;9;  3;;0;D;;;;A\t#\n", "Y_START ;   7; 2.0000e+000;  B\t#\n",
          "PARAM   ;k             ;   5;   0.5;;0;D;;;;  B\t# c\n",
          "PARAM;k;1;4;;0;D;;;;gone\t#\n"},
         false, 2,
         {"# header\n", "Y_START ;   1; 1.0000e+000;  A\t#\n",
          "Y_START ;   2; 2.0000e+000;  B\t#\n",
          "PARAM   ;k             ;   1;         0.5;;0;D;;;; B\t#\n",
          "PARAM   ;k             ;   2;            ;;0;D;;;; new\t#\n"},
         ""},
        {"blanks only fills only blank value fields",
         {"Y_START ;   1; 1.0000e+000;  A\t#\n", "Y_START ;   2;            ;  B\t#\n",
          "PARAM;k;1;;;0;D;;;; C\t#\n"},
         {"Y_START;1;9;A\t#\n", "Y_START;2;8;B\t#\n", "PARAM;k;1;7;;0;D;;;;C\t#\n"}, true, 2,
         {"Y_START ;   1; 1.0000e+000;  A\t#\n", "Y_START ;   2; 8.0000e+000;  B\t#\n",
          "PARAM;k;1;           7;;0;D;;;; C\t#\n"},
         ""},
        {"a reference value that is not a number leaves the row and says so",
         {"Y_START ;   1; 1.0000e+000;  A\t#\n", "PARAM;k;1;   2;;0;D;;;; C\t#\n"},
         {"Y_START;1; two ;A\t#\n", "PARAM;k;1;;;0;D;;;;C\t#\n"}, false, 0,
         {"Y_START ;   1; 1.0000e+000;  A\t#\n", "PARAM;k;1;   2;;0;D;;;; C\t#\n"},
         "Reference value \"two\" is not a number; Y_START A left unchanged.\n"
         "Reference value \"\" is not a number; PARAM C left unchanged.\n"},
        {"rows without a tag are neither filled nor used", {"PARAM;k;1;;;0;D;;;; \t#\n"},
         {"PARAM;k;1;5;;0;D;;;; \t#\n"}, false, 0, {"PARAM;k;1;;;0;D;;;; \t#\n"}, ""},
    };
    LogCapture log;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<ParamRow> target = rows_of(c.target);
        EXPECT_EQ(merge_rows(target, rows_of(c.reference), c.blanksOnly), c.merged);
        EXPECT_EQ(lines_of(target), c.result);
        EXPECT_EQ(log.take(), c.log);
    }
}

}  // namespace
}  // namespace valfuse
