// Stoichiometric balance of binding steps: the species bound on the left must make up the complex
// on the right, either directly or once the complexes on the left are taken apart.
#include <unordered_map>

#include "cma.h"
#include "log.h"
#include "vocabulary.h"

namespace {

// Species with summed stoichiometries, in order of first appearance.
class SpeciesTally {
  public:
    void add(int specieID, double stoichiometry) {
        auto found = index_.find(specieID);
        if (found != index_.end()) {
            entries_[found->second].second += stoichiometry;
            return;
        }
        index_.emplace(specieID, entries_.size());
        entries_.emplace_back(specieID, stoichiometry);
    }

    // The summed stoichiometry of a species, or null when it never occurred.
    const double* find(int specieID) const {
        auto found = index_.find(specieID);
        return found == index_.end() ? nullptr : &entries_[found->second].second;
    }

    int size() const { return static_cast<int>(entries_.size()); }
    const std::vector<std::pair<int, double>>& entries() const { return entries_; }

  private:
    std::vector<std::pair<int, double>> entries_;
    std::unordered_map<int, size_t> index_;
};

SpeciesTally mergeLeftSide(const PlayerList& l1, const PlayerList* l2) {
    SpeciesTally merged;
    for (const PlayerRef& entry : l1) merged.add(entry.ref->specieID, entry.ref->stoichiometry);
    if (l2 != nullptr) {
        for (const PlayerRef& entry : *l2)
            merged.add(entry.ref->specieID, entry.ref->stoichiometry);
    }
    return merged;
}

// Adds a species, or the monomers of a complex, each counted with its own element stoichiometry.
void addMonomers(ConversionContext& context, SpeciesTally& monomers, int specieID,
                 double stoichiometry) {
    const Player* player = findPlayer(context, specieID);
    if (player == nullptr || player->specieClass != CLASS_COMPLEX) {
        monomers.add(specieID, stoichiometry);
        return;
    }
    for (const SpecieRef& element : player->elements) {
        addMonomers(context, monomers, element.specieID, element.stoichiometry);
    }
}

void logUnmatchedElement(ConversionContext& context, const SpecieRef& element) {
    const Player* player = findPlayer(context, element.specieID);
    const std::string& name = player != nullptr ? player->name : element.name;
    const std::string shortName = player != nullptr ? player->compartmentShortName : "";
    log_sys(
        "checkStoichiometricDiscordance2: '%s.%s(specieID=%d)', element of rightpart complex "
        "matches for no leftpart monomerized players.\n",
        name.c_str(), shortName.c_str(), element.specieID);
}

}  // namespace

int checkStoichiometricDiscordance(ConversionContext&, const PlayerList& l1, const PlayerList* l2,
                                   const PlayerList* right) {
    SpeciesTally merged = mergeLeftSide(l1, l2);
    if (right == nullptr || right->size() != 1) {
        log_sys(
            "checkStoichiometricDiscordance: No products and modifierComplex: rightpart of "
            "binding reaction must include modifierComplex or one product.\n");
        return -2;
    }
    const PlayerRef& product = right->front();
    const Player& complex = *product.player;
    if (merged.size() != complex.elementCount) return -1;
    for (const SpecieRef& element : complex.elements) {
        const double* sum = merged.find(element.specieID);
        if (sum == nullptr || *sum != product.ref->stoichiometry * element.stoichiometry) return -1;
    }
    return 0;
}

int checkStoichiometricDiscordance2(ConversionContext& context, const PlayerList& l1,
                                    const PlayerList* l2, const PlayerList& right) {
    SpeciesTally merged = mergeLeftSide(l1, l2);
    SpeciesTally monomers;
    for (const auto& [specieID, stoichiometry] : merged.entries()) {
        addMonomers(context, monomers, specieID, stoichiometry);
    }
    const Player& complex = *right.front().player;
    if (complex.elementCount != monomers.size()) {
        log_sys(
            "checkStoichiometricDiscordance2: rightpart has %d elements of complex, but "
            "leftpart has %d monomerized players.)\n",
            complex.elementCount, monomers.size());
        return -1;
    }
    for (const SpecieRef& element : complex.elements) {
        const double* sum = monomers.find(element.specieID);
        if (sum == nullptr || *sum != element.stoichiometry) {
            logUnmatchedElement(context, element);
            return -1;
        }
    }
    return 0;
}
