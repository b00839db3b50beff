// What the reader infers when the annotation says nothing: classes, types, modifier types,
// layers, groups, stoichiometries, binding products and enzyme-substrate complexes.
#include <gtest/gtest.h>

#include "reader_test_support.h"

namespace tk = zymorax::testkit;
using reader_test::dump_model;
using reader_test::expect_lines;
using reader_test::plain_species;
using reader_test::testdata;

TEST(Inference, SpeciesClassesFromSboTermsAndConstancyFromSbmlFlags) {
    expect_lines(dump_model(testdata("inference.xml")),
                 {plain_species(1, "gene", 1, 2, "1"), plain_species(2, "dna", 4, 2, "1"),
                  plain_species(3, "rna", 5, 2, "1"), plain_species(4, "mrna", 5, 2, "1"),
                  plain_species(5, "protein", 6, 2, "1"), plain_species(6, "complex", 10, 2, "1"),
                  plain_species(7, "proteinComplex", 10, 2, "1"),
                  plain_species(8, "chemical", 7, 2, "1"), plain_species(9, "ion", 9, 2, "1"),
                  plain_species(10, "unknownTerm", 7, 2, "1"),
                  plain_species(11, "noTerm", 7, 2, "3"),  // initialConcentration
                  plain_species(12, "noValue", 7, 2, ""), plain_species(13, "constant", 7, 1, "1"),
                  plain_species(14, "boundary", 7, 1, "1")});
}

TEST(Inference, ReactionTypesModifierTypesAndLayers) {
    std::string dump = dump_model(testdata("inference.xml"));
    expect_lines(dump, {
        // binding, dissociation (reversible, irreversible), transcription, translation
        "  reaction 1 group 1 type 1 convertible 1 text \"protein <=> complex\"",
        "  reaction 2 group 2 type 9 convertible 1 text \"complex <=> protein\"",
        "  reaction 3 group 3 type 10 convertible 1 text \"complex -> protein\"",
        "  reaction 4 group 4 type 13 convertible 1 text \"gene -> mrna\"",
        "  reaction 5 group 5 type 14 convertible 1 text \"rna -> protein\"",
        // transport (two terms), degradation, the reversible flag, an outflow (a degradation)
        "  reaction 6 group 6 type 11 convertible 1 text \"chemical -> ion\"",
        "  reaction 7 group 7 type 11 convertible 1 text \"ion -> chemical\"",
        "  reaction 8 group 8 type 15 convertible 1 text \"dna -> (none)\"",
        "  reaction 9 group 9 type 7 convertible 1 text \"noTerm <=> unknownTerm [protein] "
        "[constant] [boundary] [proteinComplex]\"",
        "  reaction 10 group 10 type 15 convertible 1 text \"noValue -> (none) [ion]\"",
        "        modifier 5 \"protein\" compartment 1 stoichiometry \"1\" type 1 isTotal 0",
        "        modifier 13 \"constant\" compartment 1 stoichiometry \"1\" type 2 isTotal 0",
        "        modifier 14 \"boundary\" compartment 1 stoichiometry \"1\" type 3 isTotal 0",
        "        modifier 7 \"proteinComplex\" compartment 1 stoichiometry \"1\" type 3 isTotal 0",
        "        modifier 9 \"ion\" compartment 1 stoichiometry \"1\" type 1 isTotal 0"});
    // Gene-Protein: reactions with a DNA, RNA, protein or complex reactant or product; the
    // protein modifier of reaction 9 does not count.
    EXPECT_NE(dump.find("layer 1\n  reactions 6\n  reaction 1 "), std::string::npos);
    EXPECT_NE(dump.find("layer 3\n  reactions 4\n  reaction 6 "), std::string::npos);
}

// A reaction with an enzyme and no named complex gets "<modifiers>:<reactants>" in the first
// enzyme's compartment; a taken name gets "_2", "_3", ... An inflow first gets its source.
TEST(ReaderMadeComplexes, NamedByTheirElementsAndUnique) {
    std::string dump = dump_model(testdata("reader_complex.xml"));
    EXPECT_TRUE(reader_test::has_line(dump, "species 12"));
    std::string made =
        "species 9 \"E:S_2\" compartment 2 class 10 massBalance 2 totalAmount 2 decomposition 2 "
        "initial 1 \"0\"\n"
        "  element lists 1\n"
        "    elements 2\n"
        "      element 1 \"E\" compartment 2 stoichiometry \"1\"\n"
        "      element 2 \"S\" compartment 1 stoichiometry \"2\"\n"
        "species 10 \"E:S_3\" compartment 2 class 10 massBalance 2 totalAmount 2 decomposition 2 "
        "initial 1 \"0\"\n"
        "  element lists 1\n"
        "    elements 2\n"
        "      element 1 \"E\" compartment 2 stoichiometry \"1\"\n"
        "      element 2 \"S\" compartment 1 stoichiometry \"1\"\n"
        "species 11 \"E:source\" compartment 2 class 10 massBalance 2 totalAmount 2 decomposition 2 "
        "initial 1 \"0\"\n"
        "  element lists 1\n"
        "    elements 2\n"
        "      element 1 \"E\" compartment 2 stoichiometry \"1\"\n"
        "      element 8 \"source\" compartment 1 stoichiometry \"1\"\n"
        "species 12 \"A:E:S\" compartment 2 class 10 massBalance 2 totalAmount 2 decomposition 2 "
        "initial 1 \"0\"\n"
        "  element lists 1\n"
        "    elements 3\n"
        "      element 6 \"A\" compartment 1 stoichiometry \"2\"\n"
        "      element 1 \"E\" compartment 2 stoichiometry \"1\"\n"
        "      element 2 \"S\" compartment 1 stoichiometry \"1\"\n";
    EXPECT_NE(dump.find(made), std::string::npos) << dump;
    EXPECT_NE(dump.find("    modifier lists 1\n      modifiers 1\n        modifier 1 \"E\" "
                        "compartment 2 stoichiometry \"1\" type 1 isTotal 0\n    complexes 1\n"
                        "      complex 9 \"E:S_2\" compartment 2 stoichiometry \"1\"\n"),
              std::string::npos);
    // the named complex stays; no complex for an inhibitor alone
    expect_lines(dump, {"      complex 10 \"E:S_3\" compartment 2 stoichiometry \"1\"",
                        "      complex 12 \"A:E:S\" compartment 2 stoichiometry \"1\"",
                        "      complex 7 \"ES\" compartment 1 stoichiometry \"1\""});
    EXPECT_NE(dump.find("type 3 isTotal 0\n    complexes 0\n"), std::string::npos);
    EXPECT_NE(dump.find("text \"(none) -> P(cytosol) [E(membrane)]\"\n    reactant lists 1\n"
                        "      reactants 1\n        reactant 8 \"source\" compartment 1 "
                        "stoichiometry \"1\"\n    product lists 1\n"),
              std::string::npos);
    expect_lines(dump, {"      complex 11 \"E:source\" compartment 2 stoichiometry \"1\"",
                        "species 8 \"source\" compartment 1 class 14 massBalance 2 totalAmount 1 "
                        "decomposition 2 initial 1 \"1\""});
}

TEST(BindingProducts, TakeTheReactantsAsElements) {
    std::string dump = dump_model(testdata("binding_product.xml"));
    const std::string one_list = "\n  element lists 1\n";
    const std::string none = "\n  element lists 0\n";
    const char* expected[] = {
        // A + B -> AB (class chosen by nothing: becomes a complex), 2 M -> M2, A + B -> 2 C
        "species 3 \"AB\" compartment 1 class 10 massBalance 2 totalAmount 2 decomposition 2 "
        "initial 1 \"0\"\n  element lists 1\n    elements 2\n"
        "      element 1 \"A\" compartment 1 stoichiometry \"1\"\n"
        "      element 2 \"B\" compartment 1 stoichiometry \"1\"\n",
        "species 5 \"M2\" compartment 1 class 10 massBalance 2 totalAmount 2 decomposition 2 "
        "initial 1 \"0\"\n  element lists 1\n    elements 1\n"
        "      element 4 \"M\" compartment 1 stoichiometry \"2\"\n",
        "      element 1 \"A\" compartment 1 stoichiometry \"0.5\"\n"
        "      element 2 \"B\" compartment 1 stoichiometry \"0.5\"\n"};
    for (const char* block : expected) EXPECT_NE(dump.find(block), std::string::npos) << block;
    // A class from an SBO term stays; an element list of the annotation stays; two products,
    // a product that is a reactant or lies inside one, and a later second binding get nothing;
    // binding_with_stoichiometric_changes counts as binding.
    for (const std::string& block :
         {plain_species(7, "Chem", 7, 2, "0") + one_list,
          plain_species(10, "Given", 10, 2, "0") + one_list + "    elements 1\n",
          plain_species(8, "D", 7, 2, "0") + none, plain_species(1, "A", 7, 2, "1") + none,
          plain_species(12, "X", 7, 2, "1") + none,
          plain_species(14, "XY", 10, 2, "0") + one_list + "    elements 2\n",
          plain_species(11, "Late", 10, 2, "0") + one_list + "    elements 2\n"}) {
        EXPECT_NE(dump.find(block), std::string::npos) << block;
    }
}

// Reactions with one group label share the number of the first of them; the others keep their
// own number, so a label that looks like a number does not join another reaction.
TEST(Groups, LabelsGiveTheNumberOfTheirFirstReaction) {
    expect_lines(dump_model(testdata("transcription_groups.xml")), {
        "  reaction 1 group 1 type 13 convertible 1 text \"G -> M\"",
        "  reaction 2 group 2 type 13 convertible 1 text \"G -> M [T1:P1]\"",
        "  reaction 3 group 3 type 13 convertible 1 text \"G -> M\"",
        "  reaction 4 group 2 type 13 convertible 1 text \"G -> M [T2:P2]\"",
        "  reaction 5 group 5 type 13 convertible 1 text \"G -> M\"",
        "  reaction 6 group 3 type 13 convertible 1 text \"G -> M\"",
        "        modifier 7 \"T1:P1\" compartment 1 stoichiometry \"1\" type 2 isTotal 0",
        "        modifier 8 \"T2:P2\" compartment 1 stoichiometry \"1\" type 3 isTotal 0"});
}

TEST(Stoichiometry, MissingOrGivenByMath) {
    expect_lines(dump_model(testdata("stoichiometry_l3.xml")), {
        "  reaction 1 group 1 type 8 convertible 1 text \"A + 6 B -> 0.25 C + 0.1 A\"",
        "        reactant 1 \"A\" compartment 1 stoichiometry \"1\"",
        "        reactant 2 \"B\" compartment 1 stoichiometry \"6\"",
        "        product 3 \"C\" compartment 1 stoichiometry \"0.25\"",
        "compartment 1 \"c\" volume \"\""});
    expect_lines(dump_model(testdata("stoichiometry_l2.xml")), {
        "        reactant 1 \"A\" compartment 1 stoichiometry \"4\"",
        "        product 2 \"B\" compartment 1 stoichiometry \"3\"",
        "  reaction 2 group 2 type 8 convertible 1 text \"9 A -> 4 B + 3 A\""});
    expect_lines(dump_model(testdata("level1.xml")), {
        "model \"level_one\"", "compartment 1 \"cell\" volume \"2\"",
        "        reactant 1 \"X\" compartment 1 stoichiometry \"1.5\"",
        plain_species(2, "Y", 7, 1, "0")});
}

// Math naming nothing with a value, an assignment that leads back to itself, or a function
// beyond the simple ones gives no stoichiometry: an error, never a made-up 1.
TEST(Stoichiometry, MathWithoutAValueIsAnError) {
    tk::TempDir dir;
    const char* maths[] = {
        "<ci>undefinedSymbol</ci>",
        "<ci>selfish</ci>",
        "<apply><sin/><cn>1</cn></apply>",
    };
    std::vector<std::string> paths;
    for (const char* math : maths) {
        std::string reaction =
            "<reaction id=\"r\"><listOfReactants><speciesReference species=\"A\">"
            "<stoichiometryMath><math xmlns=\"http://www.w3.org/1998/Math/MathML\">" +
            std::string(math) + "</math></stoichiometryMath></speciesReference></listOfReactants>"
            "</reaction>";
        std::string model = reader_test::model_text({reader_test::species_line("A")}, {reaction});
        model.replace(model.find("<listOfReactions>"), 17,
                      "<listOfParameters><parameter id=\"selfish\" constant=\"false\"/>"
                      "</listOfParameters><listOfRules><assignmentRule variable=\"selfish\"><math "
                      "xmlns=\"http://www.w3.org/1998/Math/MathML\"><apply><plus/><ci>selfish</ci>"
                      "<cn>1</cn></apply></math></assignmentRule></listOfRules><listOfReactions>");
        paths.push_back(dir.file("math" + std::to_string(paths.size()) + ".xml"));
        tk::write_file(paths.back(), model);
    }
    std::vector<std::string> dumps = reader_test::dump_models(paths);
    for (size_t i = 0; i < paths.size(); i++) {
        SCOPED_TRACE(maths[i]);
        expect_lines(dumps[i], {"result 2", reader_test::errmsg_line(
                                                paths[i], "line 9: reaction 'r': the stoichiometry "
                                                          "of species 'A' is given by math without "
                                                          "a computable value")});
    }
}

// Plain SBML writes "-> protein" with the mRNA as a modifier; the converter wants the template
// as the reactant. Other modifiers, and reactions that have reactants, are left as they are.
TEST(Inference, TemplateModifiersOfTranscriptionAndTranslationBecomeReactants) {
    tk::TempDir dir;
    std::vector<std::string> species = {
        "<species id=\"g\" compartment=\"c\" initialAmount=\"1\" sboTerm=\"SBO:0000243\"/>",
        "<species id=\"m\" compartment=\"c\" initialAmount=\"0\" sboTerm=\"SBO:0000250\"/>",
        "<species id=\"p\" compartment=\"c\" initialAmount=\"0\" sboTerm=\"SBO:0000252\"/>"};
    auto reaction = [](const std::string& id, const std::string& sbo, const std::string& reactants,
                       const std::string& product, const std::vector<std::string>& modifiers) {
        std::string text =
            "<reaction id=\"" + id + "\" reversible=\"false\" sboTerm=\"SBO:" + sbo + "\">";
        if (!reactants.empty()) text += "<listOfReactants>" + reactants + "</listOfReactants>";
        text += "<listOfProducts><speciesReference species=\"" + product + "\"/></listOfProducts>";
        text += "<listOfModifiers>";
        for (const std::string& m : modifiers)
            text += "<modifierSpeciesReference species=\"" + m + "\"/>";
        return text + "</listOfModifiers></reaction>";
    };
    std::vector<std::string> reactions = {
        reaction("tl", "0000184", "", "p", {"p", "m"}),
        reaction("tx", "0000183", "", "m", {"g", "p"}),
        reaction("kept", "0000184", "<speciesReference species=\"g\"/>", "p", {"m"})};
    tk::write_file(dir.file("templates.xml"), reader_test::model_text(species, reactions));
    expect_lines(dump_model(dir.file("templates.xml")),
                 {"  reaction 1 group 1 type 14 convertible 1 text \"m -> p [p]\"",
                  "  reaction 2 group 2 type 13 convertible 1 text \"g -> m [p]\"",
                  "  reaction 3 group 3 type 14 convertible 1 text \"g -> p [m]\""});
}
