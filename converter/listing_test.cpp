#include "listing.h"

#include <gtest/gtest.h>

#include "vocabulary.h"

namespace {

Reaction reactionWith(int groupID, const std::string& text, int isConvertible = 0) {
    Reaction reaction;
    reaction.groupID = groupID;
    reaction.reactionType = REACTION_IRREVERSIBLE_CONVERSION;
    reaction.isConvertible = isConvertible;
    reaction.modifierReactionEquation = text;
    return reaction;
}

ReactionLayer layer(int code, const std::vector<Reaction>& reactions) {
    ReactionLayer made;
    made.layer = code;
    made.reaction = reactions;
    return made;
}

}  // namespace

// MS932 characters become references; a control character and a double-byte character cut
// after its first byte have no place in XML.
TEST(ListingTest, EscapesMarkupAndWritesOtherCharactersAsReferences) {
    EXPECT_EQ(escapeXml("A&B <C> \"D\" 'E'\t\x01 \x83\x5c\xb1\x81\x60\xe9"),
              "A&amp;B &lt;C&gt; &quot;D&quot; &#39;E&#39;\t&#65533; "
              "&#12477;&#65393;&#65374;&#65533;");
    EXPECT_EQ(escapeXml(""), "");
}

// Layers in model order, each sorted by group and without its unconvertible reactions; a
// merged transcription keeps its line break; an unknown layer code is written as a number.
TEST(ListingTest, GroupsByLayerSortsByGroupAndLeavesOutUnconvertible) {
    Model model;
    model.name = "Tom & \"Jerry\"";
    model.modelInfo = "memo <1>";
    model.listOfReactions = {
        layer(LAYER_GENE_PROTEIN_1,
              {reactionWith(3, "G -> R"), reactionWith(1, "R -> P"),
               reactionWith(2, "hidden", NOT_CONVERTIBLE), reactionWith(1, "P -> ")}),
        layer(LAYER_METABOLIC, {}),
        layer(LAYER_GENE_PROTEIN_2, {reactionWith(7, "g -> m</br>\n            g -> m")}),
        layer(9, {reactionWith(1, "A -> B")})};
    ChemicalEqsListing listing;
    buildChemicalEqs(listing, model);
    FILE* out = tmpfile();
    ASSERT_EQ(writeChemicalEqs(out, listing), 0);
    rewind(out);
    std::string text;
    for (int c; (c = fgetc(out)) != EOF;) text += static_cast<char>(c);
    fclose(out);
    EXPECT_EQ(text,
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
              "    <equations layer=\"Gene-Protein\">\n"
              "        <equation>\n"
              "            g -&gt; m&lt;/br&gt;\n            g -&gt; m\n"
              "        </equation>\n"
              "    </equations>\n"
              "    <equations layer=\"9\">\n"
              "        <equation>\n            A -&gt; B\n        </equation>\n"
              "    </equations>\n"
              "</chemical_eqs>\n");
}

TEST(ListingTest, AFailedWriteIsReported) {
    FILE* full = fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    ChemicalEqsListing listing;
    EXPECT_EQ(writeChemicalEqs(full, listing), -1);
    fclose(full);
}
