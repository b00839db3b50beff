#include "listing.h"

#include <gtest/gtest.h>

#include "test_support.h"
#include "vocabulary.h"

using namespace zymorax::testkit;

namespace {

Reaction reactionWith(int groupID, const std::string& text, int isConvertible = 0) {
    Reaction reaction;
    reaction.groupID = groupID;
    reaction.reactionType = REACTION_IRREVERSIBLE_CONVERSION;
    reaction.isConvertible = isConvertible;
    reaction.modifierReactionEquation = text;
    return reaction;
}

std::string writeToText(const ChemicalEqsListing& listing) {
    FILE* out = tmpfile();
    EXPECT_EQ(writeChemicalEqs(out, listing), 0);
    rewind(out);
    std::string text;
    int c;
    while ((c = fgetc(out)) != EOF) text += static_cast<char>(c);
    fclose(out);
    return text;
}

}  // namespace

TEST(ListingTest, EscapesTheFiveXmlCharactersOnly) {
    EXPECT_EQ(escapeXml("A&B <C> \"D\" 'E' \x01\xe9"), "A&amp;B &lt;C&gt; &quot;D&quot; &#39;E&#39; \x01\xe9");
    EXPECT_EQ(escapeXml(""), "");
}

TEST(ListingTest, GroupsByLayerSortsByGroupAndLeavesOutUnconvertible) {
    Model model;
    model.name = "Tom & \"Jerry\"";
    model.modelInfo = "memo <1>";
    ReactionLayer gene;
    gene.layer = LAYER_GENE_PROTEIN_1;
    gene.reaction = {reactionWith(3, "G -> R"), reactionWith(1, "R -> P"), reactionWith(2, "hidden", NOT_CONVERTIBLE),
                     reactionWith(1, "P -> ")};
    ReactionLayer empty;
    empty.layer = LAYER_METABOLIC;
    model.listOfReactions = {gene, empty};

    ChemicalEqsListing listing;
    buildChemicalEqs(listing, model);
    EXPECT_EQ(writeToText(listing),
              "<chemical_eqs>\n"
              "    <title>Tom &amp; &quot;Jerry&quot;</title>\n"
              "    <memo>memo &lt;1&gt;</memo>\n"
              "    <equations layer=\"Gene-Protein\">\n"
              "        <equation>\n            R -&gt; P\n        </equation>\n"
              "        <equation>\n            P -&gt; \n        </equation>\n"
              "        <equation>\n            G -&gt; R\n        </equation>\n"
              "    </equations>\n"
              "    <equations layer=\"Metabolic\">\n"
              "    </equations>\n"
              "</chemical_eqs>\n");
}

TEST(ListingTest, MergedTranscriptionTextKeepsItsLineBreak) {
    Model model;
    ReactionLayer layer;
    layer.layer = LAYER_GENE_PROTEIN_2;
    layer.reaction = {reactionWith(7, "g -> m</br>\n            g -> m")};
    model.listOfReactions = {layer};
    ChemicalEqsListing listing;
    buildChemicalEqs(listing, model);
    std::string text = writeToText(listing);
    EXPECT_NE(text.find("            g -&gt; m&lt;/br&gt;\n            g -&gt; m\n"), std::string::npos) << text;
}

TEST(ListingTest, UnknownLayerCodeKeepsTheDocumentWellFormed) {
    Model model;
    ReactionLayer layer;
    layer.layer = 9;
    layer.reaction = {reactionWith(1, "A -> B")};
    model.listOfReactions = {layer};
    ChemicalEqsListing listing;
    buildChemicalEqs(listing, model);
    std::string text = writeToText(listing);
    EXPECT_NE(text.find("    <equations layer=\"9\">\n        <equation>"), std::string::npos) << text;
}

TEST(ListingTest, AFailedWriteIsReported) {
    FILE* full = fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    ChemicalEqsListing listing;
    EXPECT_EQ(writeChemicalEqs(full, listing), -1);
    fclose(full);
}
