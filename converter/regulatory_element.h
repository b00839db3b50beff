// The transcriptional regulatory element (a promoter or an enhancer) that a regulator of a
// regulated transcription is bound to.
#pragma once

#include "equation_set.h"

// Results of findRegulatoryElement other than a player index.
enum RegulatoryElementSearch {
    REGULATORY_ELEMENT_NONE = -1,   // no promoter or enhancer in reach
    REGULATORY_ELEMENT_FAULT = -2,  // an element list cannot be followed (logged)
};

// True for the species classes that count as regulatory elements: DNA_promoter, DNA_enhancer.
bool isRegulatoryElementClass(int specieClass);

// Index of the first player of a regulatory-element class found depth-first from player
// `start`: the player itself, else each of its elements in list order, each searched through
// before the next. REGULATORY_ELEMENT_NONE when none is found; REGULATORY_ELEMENT_FAULT after
// logging an element that names no species or a nesting deeper than kMaxComplexNesting.
int findRegulatoryElement(const ConversionContext& context, int start);
