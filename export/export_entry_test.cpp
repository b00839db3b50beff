#include "export_entry.h"

#include <gtest/gtest.h>

namespace valscribe {
namespace {

using Fields = std::vector<std::string>;

TEST(SplitFields, EmptyPartsCountExceptAfterTheLastSeparator) {
    EXPECT_EQ(split_fields(";a;;b", ';'), (Fields{"", "a", "", "b"}));
    EXPECT_EQ(split_fields("a;b;", ';'), (Fields{"a", "b"}));
    EXPECT_EQ(split_fields("a;b;\n", ';'), (Fields{"a", "b", "\n"}));
    EXPECT_EQ(split_fields("abc", ';'), (Fields{"abc"}));
    EXPECT_EQ(split_fields("", ';'), Fields{});
    EXPECT_EQ(split_fields(";", ';'), (Fields{""}));
}

TEST(TrimField, RemovesBlanksTabsAndLineEnds) {
    EXPECT_EQ(trim_field(" \t x y \r\n"), "x y");
    EXPECT_EQ(trim_field(" \t\r\n"), "");
    EXPECT_EQ(trim_field(""), "");
}

TEST(ParseExportEntry, YStartRowGivesTrimmedFields) {
    ExportEntry entry;
    int events = 0;
    ASSERT_TRUE(parse_export_entry("Y_START ;   1; 1.0000e+000;  A.cyt\t# first # more\r\n", events,
                                   entry));
    EXPECT_EQ(entry.type, "Y_START");
    EXPECT_EQ(entry.index, "1");
    EXPECT_EQ(entry.value, "1.0000e+000");
    EXPECT_EQ(entry.tag, "A.cyt");
    EXPECT_EQ(entry.comment, "first");
    EXPECT_EQ(entry.line, "Y_START ;   1; 1.0000e+000;  A.cyt\t# first # more\r\n");
}

TEST(ParseExportEntry, ParamRowGivesAllElevenFields) {
    ExportEntry entry;
    int events = 0;
    ASSERT_TRUE(parse_export_entry(
        "PARAM   ;ka            ;   2;  0.5 ; 0.1 ; 3 ; R ; 2 ; 0 ; 9 ; tagA\t# c\n", events,
        entry));
    EXPECT_EQ(entry.name, "ka");
    EXPECT_EQ(entry.index, "2");
    EXPECT_EQ(entry.value, "0.5");
    EXPECT_EQ(entry.valStart, "0.1");
    EXPECT_EQ(entry.numSurvey, "3");
    EXPECT_EQ(entry.drs, "R");
    EXPECT_EQ(entry.changeVal, "2");
    EXPECT_EQ(entry.gaMin, "0");
    EXPECT_EQ(entry.gaMax, "9");
    EXPECT_EQ(entry.tag, "tagA");
    EXPECT_EQ(entry.comment, "c");
    EXPECT_EQ(events, 0);
}

TEST(ParseExportEntry, LastFieldWithoutHashHasAnEmptyComment) {
    ExportEntry entry;
    int events = 0;
    ASSERT_TRUE(parse_export_entry("Y_START;1;2;  A", events, entry));
    EXPECT_EQ(entry.tag, "A");
    EXPECT_EQ(entry.comment, "");
    ASSERT_TRUE(parse_export_entry("PARAM;k;1;;;0;D;;;; t\t#", events, entry));
    EXPECT_EQ(entry.tag, "t");
    EXPECT_EQ(entry.comment, "");
    ASSERT_TRUE(parse_export_entry("PARAM;k;1;;;0;D;;;; \t#\n", events, entry));
    EXPECT_EQ(entry.tag, "");
}

TEST(ParseExportEntry, EventRowsAreNumberedInOrder) {
    ExportEntry entry;
    int events = 0;
    ASSERT_TRUE(
        parse_export_entry("T_EVENT ; TIME_START ; 0 ; 10.5 ; 2 ; # start\n", events, entry));
    EXPECT_EQ(entry.name, "TIME_START");
    EXPECT_EQ(entry.index, "0");
    EXPECT_EQ(entry.time, "10.5");
    EXPECT_EQ(entry.value, "2");
    EXPECT_EQ(entry.eventNumber, 1);
    ASSERT_TRUE(parse_export_entry("T_EVENT;e;1;2;3;\n", events, entry));
    EXPECT_EQ(entry.eventNumber, 2);
    EXPECT_EQ(events, 2);
}

TEST(ParseExportEntry, RowsWithWrongFieldCountsOrAnEmptyLastFieldAreRejected) {
    int events = 0;
    ExportEntry entry;
    for (const char* line :
         {"Y_START;1;2\n", "Y_START;1;2;A\t#;x\n", "Y_START;1;2;   \r\n",
          "PARAM   ;k;   1;   1;;0;D;;;",  // ends with ';', no line end: 10 fields
          "PARAM;k;1;1;;0;D;;;;t\t#;\n", "PARAM;k;1;1;;0;D;;;; \n", "T_EVENT;e;1;2;3;",
          "T_EVENT;e;1;2;3;4;5\n"}) {
        EXPECT_FALSE(parse_export_entry(line, events, entry)) << line;
    }
}

TEST(ParseExportEntry, OtherLinesAreKeptButCarryNoFields) {
    int events = 0;
    ExportEntry entry;
    for (const char* line : {"#Y_START ; index; initial_value; tag #comment\n", "\n", "",
                             "N_VAR   ;   2; # num of variables(all)\n", "PARAM_NAME ;ka    #\n",
                             ";Y_START;1;2;A\n"}) {
        ASSERT_TRUE(parse_export_entry(line, events, entry)) << line;
        EXPECT_EQ(entry.line, line);
        EXPECT_EQ(entry.tag, "");
        EXPECT_EQ(entry.index, "");
    }
    parse_export_entry("#Y_START ; index\n", events, entry);
    EXPECT_EQ(entry.type, "#Y_START");
}

}  // namespace
}  // namespace valscribe
