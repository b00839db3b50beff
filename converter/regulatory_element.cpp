#include "regulatory_element.h"

#include <unordered_set>

#include "context_builder.h"
#include "log.h"
#include "vocabulary.h"

namespace {

class DepthFirstSearch {
  public:
    explicit DepthFirstSearch(const ConversionContext& context) : context_(context) {}

    int from(int index, int depth) {
        const Player& player = context_.players[index];
        if (isRegulatoryElementClass(player.specieClass)) return index;
        // A player searched before holds no element (or is on the current path): shared
        // sub-complexes are searched once, so the search stays linear in the element lists.
        if (!searched_.insert(index).second) return REGULATORY_ELEMENT_NONE;
        if (depth > kMaxComplexNesting) return nestedTooDeeply(player);
        for (const SpecieRef& element : player.elements) {
            int child = findPlayerIndex(context_, element.specieID);
            if (child < 0) return elementMissing(player, element);
            int found = from(child, depth + 1);
            if (found != REGULATORY_ELEMENT_NONE) return found;
        }
        return REGULATORY_ELEMENT_NONE;
    }

  private:
    static int elementMissing(const Player& complex, const SpecieRef& element) {
        log_sys(
            "convertReaction_CMA_gene1: element (specieID=%d) of complex '%s.%s(specieID=%d)' "
            "matches no species.\n",
            element.specieID, complex.name.c_str(), complex.compartmentShortName.c_str(),
            complex.specieID);
        return REGULATORY_ELEMENT_FAULT;
    }

    static int nestedTooDeeply(const Player& complex) {
        log_sys(
            "convertReaction_CMA_gene1: complex '%s.%s(specieID=%d)' is nested deeper than %d "
            "levels.\n",
            complex.name.c_str(), complex.compartmentShortName.c_str(), complex.specieID,
            kMaxComplexNesting);
        return REGULATORY_ELEMENT_FAULT;
    }

    const ConversionContext& context_;
    std::unordered_set<int> searched_;
};

}  // namespace

bool isRegulatoryElementClass(int specieClass) {
    return specieClass == CLASS_DNA_PROMOTER || specieClass == CLASS_DNA_ENHANCER;
}

int findRegulatoryElement(const ConversionContext& context, int start) {
    if (start < 0 || start >= context.playerCount) return REGULATORY_ELEMENT_NONE;
    return DepthFirstSearch(context).from(start, 0);
}
