// Texts handed to the converter: names, model information, display texts and numbers.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "reader_test_support.h"

namespace tk = zymorax::testkit;
using reader_test::dump_model;
using reader_test::has_line;
using reader_test::kZx;
using reader_test::lines_of;
using reader_test::plain_species;
using reader_test::run_java;
using reader_test::testdata;

namespace {

std::string species_name(const std::string& dump, int number) {
    std::string prefix = "species " + std::to_string(number) + " \"";
    for (const std::string& line : lines_of(dump)) {
        if (line.rfind(prefix, 0) == 0) {
            return line.substr(prefix.size(), line.find("\" compartment") - prefix.size());
        }
    }
    return "<species " + std::to_string(number) + " not found>";
}

}  // namespace

// A species keeps its SBML name when the equation files can carry it, else it is shown by its
// id; display texts use the names and show compartments only when there are several.
TEST(Names, TheSbmlNameOrTheIdInNamesDisplayTextsAndNotes) {
    std::string dump = dump_model(testdata("names.xml"));
    EXPECT_TRUE(has_line(dump, "model \"Model & \\\"names\\\" <test>\""));
    EXPECT_EQ(species_name(dump, 1), "A&B");
    EXPECT_EQ(species_name(dump, 2), "x<y>z");
    EXPECT_EQ(species_name(dump, 3), "\\\"q\\\"'s");
    EXPECT_EQ(species_name(dump, 12), "\xCE\xB1.actinin");  // a Greek alpha exists in MS932
    EXPECT_EQ(species_name(dump, 15), std::string(255, 'n'));
    // '[', ';', '=', '#', a blank, a tab, an ideographic blank, no name, a letter MS932 lacks,
    // operator characters (flux names built from the name stand in expressions), and a name
    // longer than the 255-byte field
    int numbers[] = {4, 5, 6, 7, 8, 9, 10, 11, 13, 14, 16};
    const char* ids[] = {"bracket", "semicolon", "equals", "hash", "blank", "tab",
                         "ideographic", "noname", "umlaut", "ops", "long256"};
    for (size_t i = 0; i < std::size(numbers); i++) {
        EXPECT_EQ(species_name(dump, numbers[i]), ids[i]);
    }
    reader_test::expect_lines(
        dump, {"compartment 2 \"c2\" volume \"\"",  // name "outer space"
               "  reaction 1 group 1 type 8 convertible 1 text \"A&B + 2 x<y>z -> \\\"q\\\"'s\"",
               "  reaction 2 group 2 type 7 convertible 1 text "
               "\"A&B(cytosol) <=> ops(c2) [blank(cytosol)]\"",
               // notes become one line of plain text
               "info \"First paragraph & more text. Second one.\""});
}

// Texts longer than the converter's fields are cut between characters, counted in MS932 bytes:
// a name falls back to the id, the title keeps 255 bytes, notes and display texts 1023.
TEST(ModelInformation, LongTextsAreCutToTheFields) {
    tk::TempDir dir;
    std::string hiragana;  // U+3042, two bytes in MS932
    for (int i = 0; i < 600; i++) hiragana += "\xE3\x81\x82";
    std::string species = "<species id=\"huge\" name=\"" + std::string(100000, 'n') +
                          "\" compartment=\"c\"/>";
    std::string reaction = "<reaction id=\"r\"><annotation><zx:reaction " + std::string(kZx) +
                           " text=\"" + std::string(2000, 't') + "\"/></annotation>" +
                           "<listOfReactants><speciesReference species=\"huge\"/>" +
                           "</listOfReactants></reaction>";
    std::string model = reader_test::model_text({species}, {reaction});
    model.replace(model.find("<model id=\"m\">"), 14,
                  "<model id=\"m\" name=\"" + std::string(1000, 'T') + "\"><notes><p xmlns=\"" +
                      "http://www.w3.org/1999/xhtml\">" + hiragana + "</p></notes>");
    tk::write_file(dir.file("long.xml"), model);
    std::string dump = dump_model(dir.file("long.xml"));
    EXPECT_TRUE(has_line(dump, "model \"" + std::string(255, 'T') + "\""));
    EXPECT_TRUE(has_line(dump, "info \"" + hiragana.substr(0, 511 * 3) + "\""));
    EXPECT_EQ(species_name(dump, 1), "huge");
    EXPECT_TRUE(has_line(dump, "  reaction 1 group 1 type 15 convertible 1 text \"" +
                                   std::string(1023, 't') + "\""));
}

// Every number text reads back with "%lE" to exactly the same double and fits 31 characters.
TEST(Numbers, TextsReadBackExactly) {
    tk::RunResult run = run_java({"NumberTexts", "20000"});
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.err, "");
    size_t checked = 0;
    for (const std::string& line : lines_of(run.out)) {
        uint64_t bits = 0;
        char text[64] = {0};
        ASSERT_EQ(std::sscanf(line.c_str(), "%" SCNx64 " %63s", &bits, text), 2) << line;
        EXPECT_LE(std::strlen(text), 31u) << line;
        double value = 0.0;
        ASSERT_EQ(std::sscanf(text, "%lE", &value), 1) << line;
        uint64_t read_bits = 0;
        std::memcpy(&read_bits, &value, sizeof value);
        EXPECT_EQ(read_bits, bits) << line;
        checked++;
    }
    EXPECT_GE(checked, 20000u);
}

TEST(Numbers, ShortestFormsAndValuesThatAreNotNumbers) {
    std::string dump = dump_model(testdata("numbers.xml"));
    const char* expected[] = {"0.1", "1E-300", "1.23456789123E8", "0.3333333333333333", "-0",
                              "1E21", "2.2250738585072014E-308", "1.7976931348623157E308",
                              "2.5E-7", "100", "1.2345678901234567E19",
                              "-2.2250738585072014E-308"};
    for (size_t i = 0; i < std::size(expected); i++) {
        std::string name = "s" + std::to_string(i + 1);
        EXPECT_TRUE(has_line(dump, plain_species(int(i) + 1, name, 7, 2, expected[i]))) << name;
    }
    // NaN and INF as initial amounts count as no value; an infinite size as no size.
    EXPECT_TRUE(has_line(dump, plain_species(13, "s13", 7, 2, "")));
    EXPECT_TRUE(has_line(dump, plain_species(14, "s14", 7, 2, "")));
    EXPECT_TRUE(has_line(dump, "compartment 1 \"c\" volume \"1E-14\""));
    EXPECT_TRUE(has_line(dump, "compartment 2 \"d\" volume \"\""));
}

// Names should be unique per compartment (the converter prints name.shortName); species that
// repeat one, also through the id fallback, are named by their ids.
TEST(Names, RepeatedNamesFallBackToIds) {
    tk::TempDir dir;
    std::string path = dir.file("twice.xml");
    tk::write_file(path, reader_test::model_text(
                             {"<species id=\"a\" name=\"X\" compartment=\"c\"/>",
                              "<species id=\"b\" name=\"X\" compartment=\"c\"/>",
                              "<species id=\"X\" name=\"not usable\" compartment=\"c\"/>"}));
    std::string dump = dump_model(path);
    EXPECT_TRUE(has_line(dump, "result 0"));
    EXPECT_EQ(species_name(dump, 1), "a");
    EXPECT_EQ(species_name(dump, 2), "b");
    EXPECT_EQ(species_name(dump, 3), "X");
}
