// Listing mode: the model's chemical equations as a small XML document, grouped by layer.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "model.h"

struct ListingEquation {
    int groupID = 0;
    int isConvertible = 0;
    std::string text;  // escaped display text
};

struct ListingLayer {
    int layer = 0;
    std::vector<ListingEquation> equations;
};

struct ChemicalEqsListing {
    std::string title;  // escaped model name
    std::string memo;   // escaped model information
    std::vector<ListingLayer> layers;
};

// The model text (MS932 bytes) as XML character data in ASCII: & < > " ' as their entities,
// other ASCII bytes unchanged, every other character as a character reference ("&#12354;"), and
// what XML cannot hold (control characters but tab, line feed and carriage return; bytes that
// encode no character) as the replacement character "&#65533;".
std::string escapeXml(const std::string& text);

// Fills the listing from the model; each layer's equations are sorted by groupID (stable).
void buildChemicalEqs(ChemicalEqsListing& listing, const Model& model);

// Writes the document; 0, or -1 when a write failed.
int writeChemicalEqs(FILE* out, const ChemicalEqsListing& listing);
