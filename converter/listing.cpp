#include "listing.h"

#include <algorithm>

#include "format.h"
#include "vocabulary.h"

std::string escapeXml(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&#39;"; break;
            default: escaped += c;
        }
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
