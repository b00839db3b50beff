#include "export_entry.h"

#include <gtest/gtest.h>

#include "matlab_text.h"

namespace valscribe {
namespace {

bool exportable(const std::string& line) {
    return is_exportable(ParamRow(line, 1));
}

// Field counts: an empty text after the last ';' is no field; a Y_START or PARAM row needs
// something in its last field. Other lines are never checked.
TEST(IsExportable, RowsNeedTheFieldCountOfTheirType) {
    for (const char* line :
         {"Y_START ;   1; 1.0000e+000;  A.cyt\t# first # more\r\n", "Y_START;1;2;  A",
          "Y_START;1;2;A;", "PARAM;k;1;;;0;D;;;; t\t#",
          "PARAM   ;ka;   2;  0.5 ; 0.1 ; 3 ; R ; 2 ; 0 ; 9 ; tagA\t# c\n",
          "T_EVENT ; TIME_START ; 0 ; 10.5 ; 2 ; # start\n", "T_EVENT;e;1;2;3;\n", "N_VAR;x",
          ";Y_START;1;2;A\n", "#Y_START;1;'", "\n"}) {
        EXPECT_TRUE(exportable(line)) << line;
    }
    for (const char* line :
         {"Y_START;1;2\n", "Y_START;1;2;A\t#;x\n", "Y_START;1;2;   \r\n",
          "PARAM   ;k;   1;   1;;0;D;;;",  // ends with ';', no line end: 10 fields
          "PARAM;k;1;1;;0;D;;;;t\t#;\n", "PARAM;k;1;1;;0;D;;;; \n", "T_EVENT;e;1;2;3;",
          "T_EVENT;e;1;2;3;4;5\n"}) {
        EXPECT_FALSE(exportable(line)) << line;
    }
}

// Every field that reaches a script must be safe there.
TEST(IsExportable, FieldsMustBeSafeInAScript) {
    for (const char* line : {"Y_START;1;;A\t#\n", "PARAM;k_2;1;;;;D;;;;t\t#\n",
                             "PARAM;k;1;-1.5E-3;+2;0;it's;;;;it's\t#\n", "T_EVENT;a 'b';0;;;\n"}) {
        EXPECT_TRUE(exportable(line)) << line;
    }
    for (const char* line :
         {"Y_START;0;1;A\t#\n", "Y_START;x;1;A\t#\n", "Y_START;1;system('echo x');A\t#\n",
          "Y_START;1;1;A\rB\t#\n", "PARAM;k x;1;1;;0;D;;;;t\t#\n", "PARAM;_k;1;1;;0;D;;;;t\t#\n",
          "PARAM;k;1.5;1;;0;D;;;;t\t#\n", "PARAM;k;1;1;1e;0;D;;;;t\t#\n",
          "PARAM;k;1;1;;0x1;D;;;;t\t#\n", "PARAM;k;1;1;;0;D\x01;;;;t\t#\n", "T_EVENT;e;-1;2;3;\n",
          "T_EVENT;e;1;5x;3;\n", "T_EVENT;e;1;5;.;\n"}) {
        EXPECT_FALSE(exportable(line)) << line;
    }
}

TEST(MatlabText, NumbersIdentifiersAndQuotes) {
    for (const char* text : {"1", "-2.5", ".5", "5.", "+1.0000e+000", "1E-7", "007"}) {
        EXPECT_TRUE(is_number_literal(text)) << text;
    }
    for (const char* text : {"", "-", ".", "1e", "1e+", "1.2.3", "1 2", "0x10", "inf", "1d5"}) {
        EXPECT_FALSE(is_number_literal(text)) << text;
    }
    EXPECT_TRUE(is_identifier("constantPlayer_2"));
    EXPECT_FALSE(is_identifier("2k"));
    EXPECT_FALSE(is_identifier(""));
    EXPECT_EQ(quoted("it's 'x'"), "it''s ''x''");
    EXPECT_EQ(value_or_empty(""), "[]");
    EXPECT_EQ(value_or_empty("0.5"), "0.5");
}

}  // namespace
}  // namespace valscribe
