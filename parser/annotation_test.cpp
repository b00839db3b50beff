// Our annotation: values by name and by code, and every way of writing it wrong.
#include <gtest/gtest.h>

#include "reader_test_support.h"

namespace tk = zymorax::testkit;
using reader_test::dump_model;
using reader_test::errmsg_line;
using reader_test::has_line;
using reader_test::kZx;
using reader_test::model_text;
using reader_test::species_line;
using reader_test::testdata;

// Names in any case and codes give the same codes; layer 2 appears only when asked for, and
// layers are listed 1, 2, 3 whatever the reaction order.
TEST(AnnotationValues, NamesCodesLayersAndModifierComplexes) {
    std::string dump = dump_model(testdata("values.xml"));
    reader_test::expect_lines(dump, {
        "result 0",
        // class DNA_enhancer / 3, massBalance ON / 1, totalAmount OFF / 2, decomposition on / " 1 "
        "species 1 \"byName\" compartment 1 class 3 massBalance 1 totalAmount 2 decomposition 1 "
        "initial 1 \"1\"",
        "species 2 \"byCode\" compartment 1 class 3 massBalance 1 totalAmount 2 decomposition 1 "
        "initial 1 \"1\"",
        // "complex / modifier_complex", its alias in another case and 10; the annotation's
        // totalAmount wins over SBML's constant, SBML's boundaryCondition counts when none is
        // given.
        "species 3 \"fullName\" compartment 1 class 10 massBalance 2 totalAmount 1 decomposition 2 "
        "initial 1 \"0.25\"",
        "species 4 \"alias\" compartment 1 class 10 massBalance 2 totalAmount 2 decomposition 2 "
        "initial 2 \"\"",
        "species 5 \"code10\" compartment 1 class 10 massBalance 2 totalAmount 1 decomposition 2 "
        "initial 2 \"\"",
        "  reaction 2 group 2 type 11 convertible 2 text \"shown as given\"",
        "      complex 5 \"code10\" compartment 1 stoichiometry \"1.5\""});
    EXPECT_NE(dump.find("  reaction 1 group 1 type 11 convertible 2 text"), std::string::npos);
    const char* modifiers[] = {
        "        modifier 3 \"fullName\" compartment 1 stoichiometry \"1\" type 1 isTotal 1",
        "        modifier 4 \"alias\" compartment 1 stoichiometry \"1\" type 2 isTotal 0",
        "        modifier 5 \"code10\" compartment 1 stoichiometry \"1\" type 3 isTotal 0"};
    for (const char* modifier : modifiers) {  // each in both reactions
        size_t first = dump.find(std::string(modifier) + "\n");
        ASSERT_NE(first, std::string::npos) << modifier;
        EXPECT_NE(dump.find(std::string(modifier) + "\n", first + 1), std::string::npos)
            << modifier;
    }
    for (const char* layers :
         {"layers 3\nlayer 1\n  reactions 1\n"
          "  reaction 4 group 4 type 8 convertible 1 text \"(none) -> byCode\"\n",
          "layer 2\n  reactions 1\n"
          "  reaction 3 group 3 type 14 convertible 1 text \"byName -> (none)\"\n",
          "layer 3\n  reactions 2\n"}) {
        EXPECT_NE(dump.find(layers), std::string::npos) << layers;
    }
}

namespace {

struct BadAnnotation {
    const char* what;
    std::vector<std::string> species;
    std::vector<std::string> reactions;
    std::string detail;
};

// "species class=\"x\"" -> <zx:species xmlns:zx="..." class="x"/>
std::string zx(const std::string& element) {
    size_t blank = element.find(' ');
    std::string name = element.substr(0, blank);
    std::string attributes = blank == std::string::npos ? "" : element.substr(blank);
    return "<zx:" + name + " " + kZx + attributes + "/>";
}

// Species `id` whose annotation element holds `children`.
std::string species_with(const std::string& id, const std::string& children) {
    return species_line(id, std::string("<zx:species ") + kZx + ">" + children + "</zx:species>");
}

std::string reaction_line(const std::string& annotation, const std::string& modifier_annotation) {
    std::string line = "<reaction id=\"r\" reversible=\"false\">";
    if (!annotation.empty()) line += "<annotation>" + annotation + "</annotation>";
    line += "<listOfReactants><speciesReference species=\"A\"/></listOfReactants>";
    line += "<listOfModifiers><modifierSpeciesReference species=\"E\">";
    if (!modifier_annotation.empty()) line += "<annotation>" + modifier_annotation + "</annotation>";
    return line + "</modifierSpeciesReference></listOfModifiers></reaction>";
}

std::vector<BadAnnotation> bad_annotations() {
    const std::vector<std::string> ae = {species_line("A"), species_line("E")};
    return {
        {"unknown class", {species_line("A", zx("species class=\"proteinn\""))}, {},
         "line 6: species 'A': unknown class 'proteinn'"},
        {"class code out of range", {species_line("A", zx("species class=\"15\""))}, {},
         "line 6: species 'A': unknown class '15'"},
        {"unknown switch", {species_line("A", zx("species massBalance=\"yes\""))}, {},
         "line 6: species 'A': unknown massBalance 'yes'"},
        {"misspelt attribute", {species_line("A", zx("species clas=\"protein\""))}, {},
         "line 6: species 'A': unknown attribute 'clas' on annotation element 'species'"},
        {"element of another object", {species_line("A", zx("reaction type=\"binding\""))}, {},
         "line 6: species 'A': annotation element 'reaction' does not belong here (expected "
         "'species')"},
        {"two annotations",
         {species_line("A", zx("species class=\"RNA\"") + zx("species class=\"RNA\""))}, {},
         "line 6: There cannot be more than one top-level element using a given namespace inside "
         "a given annotation element. Reference: L2V4 Section 3.2.4 An SBML <species> element "
         "with id 'A' has an <annotation> child with multiple children with the same "
         "namespace."},
        {"unknown child", {species_with("A", "<zx:elements/>")}, {},
         "line 6: species 'A': unknown element 'elements' inside 'species'"},
        {"foreign child", {species_with("A", "<b:x xmlns:b=\"urn:other\"/>")}, {},
         "line 6: species 'A': unknown element 'x' inside 'species'"},
        {"element of an unknown species", {species_with("A", "<zx:element species=\"B\"/>")}, {},
         "line 6: species 'A': unknown species 'B'"},
        {"element without species", {species_with("A", "<zx:element/>")}, {},
         "line 6: species 'A': annotation element 'element' needs the attribute 'species'"},
        {"element stoichiometry not a number",
         {species_with("A", "<zx:element species=\"A\" stoichiometry=\"two\"/>")}, {},
         "line 6: species 'A': stoichiometry 'two' is not a positive number"},
        {"element stoichiometry zero",
         {species_with("A", "<zx:element species=\"A\" stoichiometry=\"0\"/>")}, {},
         "line 6: species 'A': stoichiometry '0' is not a positive number"},
        {"element stoichiometry infinite",
         {species_with("A", "<zx:element species=\"A\" stoichiometry=\"1e999\"/>")}, {},
         "line 6: species 'A': stoichiometry '1e999' is not a positive number"},
        {"complex of itself", {species_with("A", "<zx:element species=\"A\"/>")}, {},
         "line 6: species 'A' is an element of itself (through the element lists of its "
         "complexes)"},
        {"complexes in a ring",
         {species_with("A", "<zx:element species=\"B\"/>"),
          species_with("B", "<zx:element species=\"C\"/>"),
          species_with("C", "<zx:element species=\"A\"/>")},
         {}, "line 6: species 'A' is an element of itself (through the element lists of its "
             "complexes)"},
        {"unknown compartment", {"<species id=\"A\" compartment=\"nowhere\"/>"}, {},
         "line 6: species 'A': unknown compartment 'nowhere'"},
        {"species id twice", {species_line("A"), species_line("A")}, {},
         "line 7: the species id 'A' is already used at line 6"},
        {"unknown reaction type", ae, {reaction_line(zx("reaction type=\"conversion\""), "")},
         "line 10: reaction 'r': unknown type 'conversion'"},
        {"unknown layer", ae, {reaction_line(zx("reaction layer=\"Metabolism\""), "")},
         "line 10: reaction 'r': unknown layer 'Metabolism'"},
        {"layer code out of range", ae, {reaction_line(zx("reaction layer=\"4\""), "")},
         "line 10: reaction 'r': unknown layer '4'"},
        {"unknown convertible", ae, {reaction_line(zx("reaction convertible=\"maybe\""), "")},
         "line 10: reaction 'r': unknown convertible 'maybe'"},
        {"empty group", ae, {reaction_line(zx("reaction group=\" \""), "")},
         "line 10: reaction 'r': annotation element 'reaction' needs the attribute 'group'"},
        {"modifier complex of an unknown species", ae,
         {reaction_line(std::string("<zx:reaction ") + kZx +
                            "><zx:modifierComplex species=\"ES\"/></zx:reaction>",
                        "")},
         "line 10: reaction 'r': unknown species 'ES'"},
        {"unknown modifier type", ae, {reaction_line("", zx("modifier type=\"catalyst\""))},
         "line 10: modifier 'E' of reaction 'r': unknown type 'catalyst'"},
        {"unknown isTotal", ae, {reaction_line("", zx("modifier isTotal=\"2\""))},
         "line 10: modifier 'E' of reaction 'r': unknown isTotal '2'"},
        {"reaction of an unknown species", {species_line("E")}, {reaction_line("", "")},
         "line 9: reaction 'r': unknown species 'A'"},
    };
}

}  // namespace

// Every fault gives result 2 with the line and the object and value at fault.
TEST(AnnotationErrors, NameTheObjectAndTheValue) {
    tk::TempDir dir;
    std::vector<BadAnnotation> cases = bad_annotations();
    std::vector<std::string> paths;
    for (const BadAnnotation& bad : cases) {
        paths.push_back(dir.file("bad" + std::to_string(paths.size()) + ".xml"));
        tk::write_file(paths.back(), model_text(bad.species, bad.reactions));
    }
    std::vector<std::string> dumps = reader_test::dump_models(paths);
    for (size_t i = 0; i < cases.size(); i++) {
        SCOPED_TRACE(cases[i].what);
        reader_test::expect_lines(
            dumps[i], {"result 2", errmsg_line(paths[i], cases[i].detail), "species 0"});
    }
}

// A value of any length still gives a message that fits the converter's field, ending in a
// line break.
TEST(AnnotationErrors, LongMessagesAreCutToTheField) {
    tk::TempDir dir;
    std::string path = dir.file("long.xml");
    tk::write_file(path, model_text({species_line(
                             "A", zx("species class=\"" + std::string(3000, 'x') + "\""))}));
    std::string dump = dump_model(path);
    std::string prefix = "errmsg \"parseXML: " + path + ": line 6: species 'A': unknown class 'xx";
    size_t at = dump.find(prefix);
    ASSERT_NE(at, std::string::npos) << dump;
    size_t end = dump.find("\\n\"\n", at);
    ASSERT_NE(end, std::string::npos);
    // 1022 characters of message and the line break make the 1023 bytes before the terminator.
    EXPECT_EQ(end - (at + 8), 1022u);
}
