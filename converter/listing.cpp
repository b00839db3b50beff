#include "listing.h"

#include <algorithm>

#include "format.h"
#include "ms932_text.h"
#include "vocabulary.h"

namespace {

// A character as the document writes it: the five markup characters as entities, other
// characters outside ASCII as character references (the document declares no encoding, so its
// bytes must stay ASCII), and what XML cannot hold at all as the replacement character.
void appendEscaped(std::string& escaped, long character) {
    switch (character) {
        case '&': escaped += "&amp;"; return;
        case '<': escaped += "&lt;"; return;
        case '>': escaped += "&gt;"; return;
        case '"': escaped += "&quot;"; return;
        case '\'': escaped += "&#39;"; return;
        default: break;
    }
    bool allowedControl = character == '\t' || character == '\n' || character == '\r';
    if (character < 0 || (character < 0x20 && !allowedControl)) {
        escaped += "&#65533;";
    } else if (character >= 0x80) {
        escaped += zymorax::format("&#%ld;", character);
    } else {
        escaped += static_cast<char>(character);
    }
}

}  // namespace

std::string escapeXml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (size_t position = 0; position < text.size();) {
        appendEscaped(escaped, decodeMs932(text, position));
    }
    return escaped;
}

void buildChemicalEqs(ChemicalEqsListing& listing, const Model& model) {
    listing.title = escapeXml(model.name);
    listing.memo = escapeXml(model.modelInfo);
    listing.layers.clear();
    for (const ReactionLayer& source : model.listOfReactions) {
        ListingLayer layer;
        layer.layer = source.layer;
        for (const Reaction& reaction : source.reaction) {
            layer.equations.push_back(
                {reaction.groupID, reaction.isConvertible, escapeXml(reaction.modifierReactionEquation)});
        }
        std::stable_sort(layer.equations.begin(), layer.equations.end(),
                         [](const ListingEquation& a, const ListingEquation& b) { return a.groupID < b.groupID; });
        listing.layers.push_back(std::move(layer));
    }
}

namespace {

// The opening tag of a layer; a code outside the known layers is written as its number so that
// the document stays well-formed.
std::string layerOpening(int layer) {
    if (layer == LAYER_GENE_PROTEIN_1 || layer == LAYER_GENE_PROTEIN_2) {
        return "    <equations layer=\"Gene-Protein\">\n";
    }
    if (layer == LAYER_METABOLIC) return "    <equations layer=\"Metabolic\">\n";
    return zymorax::format("    <equations layer=\"%d\">\n", layer);
}

bool writeLayer(FILE* out, const ListingLayer& layer) {
    bool ok = zymorax::print(out, "%s", layerOpening(layer.layer).c_str());
    for (const ListingEquation& equation : layer.equations) {
        if (equation.isConvertible == NOT_CONVERTIBLE) continue;
        ok = ok && zymorax::print(out, "        <equation>\n") &&
             zymorax::print(out, "            %s\n", equation.text.c_str()) &&
             zymorax::print(out, "        </equation>\n");
    }
    return ok && zymorax::print(out, "    </equations>\n");
}

}  // namespace

int writeChemicalEqs(FILE* out, const ChemicalEqsListing& listing) {
    bool ok = zymorax::print(out, "<chemical_eqs>\n") &&
              zymorax::print(out, "    <title>%s</title>\n", listing.title.c_str()) &&
              zymorax::print(out, "    <memo>%s</memo>\n", listing.memo.c_str());
    for (const ListingLayer& layer : listing.layers) ok = ok && writeLayer(out, layer);
    ok = ok && zymorax::print(out, "</chemical_eqs>\n") && fflush(out) == 0;
    return ok ? 0 : -1;
}
