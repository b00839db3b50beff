#include "param_row.h"

#include <gtest/gtest.h>

#include <random>

namespace zymorax {
namespace {

// The type name and the non-empty named fields of a row, trimmed, then the tag text and the
// comment as read.
std::string named_fields(const ParamRow& row) {
    const std::pair<const char*, RowField> names[] = {
        {"name", RowField::Name},           {"index", RowField::Index},
        {"value", RowField::Value},         {"valStart", RowField::ValStart},
        {"numSurvey", RowField::NumSurvey}, {"drs", RowField::Drs},
        {"changeVal", RowField::ChangeVal}, {"gaMin", RowField::GaMin},
        {"gaMax", RowField::GaMax},         {"time", RowField::Time},
        {"count", RowField::Count}};
    std::string text = row.type_name();
    for (const auto& [name, which] : names) {
        if (!row.trimmed(which).empty()) text += " " + std::string(name) + "=" + row.trimmed(which);
    }
    return text + " tag=[" + row.tag_text() +
           "] comment=" + (row.comment() ? "[" + *row.comment() + "]" : "none");
}

TEST(ParamRow, NamesTheFieldsOfEachRowType) {
    struct Case {
        const char* line;
        RowType type;
        const char* fields;
    } cases[] = {
        {"Y_START ;   1; 1.0000e+000;  A.cyt\t# first\n", RowType::YStart,
         "Y_START index=1 value=1.0000e+000 tag=[  A.cyt\t] comment=[ first\n]"},
        {"PARAM   ;ka            ;   2;   1;7;0;R;x;1;9; tagA\t# Not Used!! #2\r\n", RowType::Param,
         "PARAM name=ka index=2 value=1 valStart=7 numSurvey=0 drs=R changeVal=x gaMin=1 gaMax=9 "
         "tag=[ tagA\t] comment=[ Not Used!! #2\r\n]"},
        {"T_EVENT ; dose ; 2 ; 50 ; 2.0 ; # add B\n", RowType::TEvent,
         "T_EVENT name=dose index=2 value=2.0 time=50 tag=[ ] comment=[ add B\n]"},
        {"PARAM_NAME ;ka              #\n", RowType::ParamName,
         "PARAM_NAME tag=[ka              ] comment=[\n]"},
        {"N_VAR   ;   2; # num of variables(all)\n", RowType::NVar,
         "N_VAR count=2 tag=[ ] comment=[ num of variables(all)\n]"},
        // without '#' there is no comment and the line end stays in the tag text
        {"Y_START;1;2;  B \r\n", RowType::YStart,
         "Y_START index=1 value=2 tag=[  B \r\n] comment=none"},
        // a row cut short has its first fields only
        {" \tY_START \t;7", RowType::YStart, "Y_START index=7 tag=[] comment=none"},
        {"#Y_START ; 9; 1.0;  A\t#\n", RowType::Comment, "#Y_START tag=[] comment=none"},
        {"  \t\r\n", RowType::Blank, " tag=[] comment=none"},
        {"Y_STARTX;1;2;3\n", RowType::Other, "Y_STARTX tag=[] comment=none"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ParamRow row(c.line, 4);
        EXPECT_EQ(row.text(), c.line);
        EXPECT_EQ(row.line_number(), 4);
        EXPECT_EQ(row.type(), c.type);
        EXPECT_EQ(named_fields(row), c.fields);
    }
    EXPECT_EQ(ParamRow("PARAM_NAME ;ka  #\n", 1).tag(), "ka");
}

// A random line over an alphabet rich in separators, blanks and line-end bytes.
std::string random_line(std::mt19937& random) {
    static const std::string kTypes[] = {"Y_START ", "PARAM   ", "T_EVENT", " N_VAR", "#", ""};
    static const char kBytes[] = ";;;##  \t\r\0xy1.-'";
    std::string line = kTypes[random() % 6];
    for (size_t n = random() % 40; n > 0; --n) line += kBytes[random() % (sizeof kBytes - 1)];
    if (random() % 2) line += random() % 2 ? "\r\n" : "\n";
    return line;
}

// The fields joined are the line, and a new value changes those bytes and nothing else.
TEST(ParamRow, KeepsEveryByteAndReplacesOnlyTheValue) {
    std::mt19937 random(20240611);
    for (int trial = 0; trial < 20000; ++trial) {
        std::string line = random_line(random);
        ParamRow row(line, 1);
        std::string joined = row.field(0);
        for (size_t i = 1; i < row.field_count(); ++i) joined += ";" + row.field(i);
        ASSERT_EQ(joined, line);
        size_t at = row.position(RowField::Value);
        if (!row.set(RowField::Value, "1.25")) {
            EXPECT_TRUE(at == 0 || at >= row.field_count()) << line;
            EXPECT_EQ(row.text(), line);
            continue;
        }
        ParamRow again(row.text(), 1);
        ASSERT_EQ(again.field_count(), row.field_count()) << line;
        for (size_t i = 0; i < again.field_count(); ++i) {
            EXPECT_EQ(again.field(i), i == at ? "1.25" : ParamRow(line, 1).field(i)) << line;
        }
    }
}

}  // namespace
}  // namespace zymorax
