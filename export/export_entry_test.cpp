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

// The non-empty fields of an entry (all but `line`) as "name=value", in declaration order.
std::string fields_of(const ExportEntry& e) {
    const std::pair<const char*, const std::string*> fields[] = {
        {"type", &e.type},     {"name", &e.name},           {"index", &e.index},
        {"value", &e.value},   {"valStart", &e.valStart},   {"numSurvey", &e.numSurvey},
        {"drs", &e.drs},       {"changeVal", &e.changeVal}, {"gaMin", &e.gaMin},
        {"gaMax", &e.gaMax},   {"tag", &e.tag},             {"comment", &e.comment},
        {"time", &e.time}};
    std::string text;
    for (const auto& [name, value] : fields) {
        if (!value->empty()) text += (text.empty() ? "" : ", ") + std::string(name) + "=" + *value;
    }
    if (e.eventNumber != 0) text += ", event=" + std::to_string(e.eventNumber);
    return text;
}

// Fields are trimmed; the last field splits at its first '#'; event rows are numbered in order
// and other rows do not count.
TEST(ParseExportEntry, RowsGiveTheirTrimmedFields) {
    struct Case {
        const char* line;
        const char* fields;
    } cases[] = {
        {"Y_START ;   1; 1.0000e+000;  A.cyt\t# first # more\r\n",
         "type=Y_START, index=1, value=1.0000e+000, tag=A.cyt, comment=first"},
        {"PARAM   ;ka            ;   2;  0.5 ; 0.1 ; 3 ; R ; 2 ; 0 ; 9 ; tagA\t# c\n",
         "type=PARAM, name=ka, index=2, value=0.5, valStart=0.1, numSurvey=3, drs=R, changeVal=2, "
         "gaMin=0, gaMax=9, tag=tagA, comment=c"},
        // a last field without '#' has an empty comment, also at the end of the file
        {"Y_START;1;2;  A", "type=Y_START, index=1, value=2, tag=A"},
        {"PARAM;k;1;;;0;D;;;; t\t#", "type=PARAM, name=k, index=1, numSurvey=0, drs=D, tag=t"},
        {"PARAM;k;1;;;0;D;;;; \t#\n", "type=PARAM, name=k, index=1, numSurvey=0, drs=D"},
        {"T_EVENT ; TIME_START ; 0 ; 10.5 ; 2 ; # start\n",
         "type=T_EVENT, name=TIME_START, index=0, value=2, time=10.5, event=1"},
        {"T_EVENT;e;1;2;3;\n", "type=T_EVENT, name=e, index=1, value=3, time=2, event=2"},
        // other lines are kept but carry no fields
        {"#Y_START ; index; initial_value; tag #comment\n", "type=#Y_START"},
        {"N_VAR   ;   2; # num of variables(all)\n", "type=N_VAR"},
        {"PARAM_NAME ;ka    #\n", "type=PARAM_NAME"},
        {";Y_START;1;2;A\n", ""},
        {"\n", ""},
        {"", ""},
    };
    int events = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ExportEntry entry;
        ASSERT_TRUE(parse_export_entry(c.line, events, entry));
        EXPECT_EQ(entry.line, c.line);
        EXPECT_EQ(fields_of(entry), c.fields);
    }
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

}  // namespace
}  // namespace valscribe
