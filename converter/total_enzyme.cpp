// Total-enzyme expressions: an enzyme that acts through its total amount is written as the free
// enzyme plus every complex that holds it, weighted by how many units each holds.
#include <unordered_map>
#include <unordered_set>

#include "format.h"
#include "gma.h"
#include "log.h"
#include "methods.h"
#include "vocabulary.h"

namespace {

// Species classes that may be a reactant or product of a GMA/MM reaction.
bool allowedAsGmaReactant(int specieClass) {
    switch (specieClass) {
        case CLASS_METABOLITE:
        case CLASS_ENVIRONMENTAL_FACTOR:
        case CLASS_ION_SIGNAL:
        case CLASS_MODIFIED:
        case CLASS_SMALL_MOLECULE:
        case CLASS_TEXT_OPTION:
        case CLASS_OTHERS:
            return true;
        default:
            return false;
    }
}

bool needsTotalEnzyme(const ConversionContext& context, const Player& player) {
    return player.kind != PLAYER_DIFFERENTIAL_FLUX && player.totalModifier &&
           (context.geneProteinMethod == METHOD_CMA || player.massBalance != SWITCH_ON) &&
           player.totalEnzyme == nullptr;
}

// The specieIDs that enzymeMultiplicity can find in `complex`: its elements, and those of
// nested complexes of two or more elements.
void collectReachable(ConversionContext& context, const Player& complex,
                      std::unordered_set<int>& reached, std::unordered_set<const Player*>& seen) {
    if (!seen.insert(&complex).second) return;
    for (const SpecieRef& element : complex.elements) {
        reached.insert(element.specieID);
        const Player* inner = findPlayer(context, element.specieID);
        if (inner != nullptr && inner->elementCount >= 2)
            collectReachable(context, *inner, reached, seen);
    }
}

using Holders = std::vector<std::pair<const Player*, double>>;

// For each enzyme specieID in `enzymeIDs`, the players that hold it with their multiplicities,
// in player order. Built once so that each enzyme does not scan every player.
std::unordered_map<int, Holders> holdersByEnzyme(ConversionContext& context,
                                                 const std::unordered_set<int>& enzymeIDs) {
    std::unordered_map<int, Holders> holders;
    for (const Player& player : context.players) {
        // An unclassified complex is no variable of the model and has no symbol to add.
        if (player.elements.empty() || player.kind == PLAYER_UNCLASSIFIED) continue;
        std::unordered_set<int> reached;
        std::unordered_set<const Player*> seen;
        collectReachable(context, player, reached, seen);
        for (int specieID : reached) {
            if (enzymeIDs.count(specieID) == 0) continue;
            double multiplicity = enzymeMultiplicity(context, player, specieID);
            if (multiplicity != 0.0) holders[specieID].emplace_back(&player, multiplicity);
        }
    }
    return holders;  // each list is in player order: the players were visited in order
}

void buildTotalEnzymeEq(ConversionContext& context, Player& enzyme, const Holders& holders) {
    TotalEnzymeEq& equation = context.totalEnzymes.emplace_back();
    equation.name =
        zymorax::format("T_%s.%s", enzyme.name.c_str(), enzyme.compartmentShortName.c_str());
    equation.parts.push_back(ExpressionPart{std::string(), &enzyme, ""});
    for (const auto& [holder, multiplicity] : holders) {
        std::string joint = multiplicity != 1.0 ? zymorax::format(" + %g*", multiplicity) : " + ";
        equation.parts.push_back(ExpressionPart{joint, nullptr, ""});
        equation.parts.push_back(ExpressionPart{std::string(), holder, ""});
    }
    enzyme.totalEnzyme = &equation;
}

bool checkGmaReactantOrProduct(const Player& player) {
    if (player.massBalance == SWITCH_ON) {
        log_sys(
            "createTotalEnzymeEq: '%s.%s(specieID=%d)' must not be a reactant or product of "
            "'GMA/MM', because its massBalance is 'ON'.\n",
            player.name.c_str(), player.compartmentShortName.c_str(), player.specieID);
        return false;
    }
    if (!allowedAsGmaReactant(player.specieClass)) {
        log_sys(
            "createTotalEnzymeEq: '%s.%s(specieID=%d)' must not be a reactant or product of "
            "'GMA/MM', because its specieClass is %s.\n",
            player.name.c_str(), player.compartmentShortName.c_str(), player.specieID,
            specieClassName(player.specieClass));
        return false;
    }
    return true;
}

}  // namespace

double enzymeMultiplicity(ConversionContext& context, const Player& complex, int specieID) {
    for (const SpecieRef& element : complex.elements) {
        if (element.specieID == specieID && complex.kind != PLAYER_UNCLASSIFIED) {
            return element.stoichiometry;
        }
        const Player* inner = findPlayer(context, element.specieID);
        if (inner != nullptr && inner->elementCount >= 2) {
            double multiplicity = enzymeMultiplicity(context, *inner, specieID);
            if (multiplicity != 0.0) return multiplicity * element.stoichiometry;
        }
    }
    return 0.0;
}

int createTotalEnzymeEq(ConversionContext& context) {
    std::unordered_set<int> enzymeIDs;
    for (const Player& player : context.players) {
        if (needsTotalEnzyme(context, player)) enzymeIDs.insert(player.specieID);
    }
    const auto holders = enzymeIDs.empty() ? std::unordered_map<int, Holders>()
                                           : holdersByEnzyme(context, enzymeIDs);
    static const Holders kNone;
    for (Player& player : context.players) {
        if (player.reactantOrProduct && !checkGmaReactantOrProduct(player)) return -1;
        if (player.kind == PLAYER_DIFFERENTIAL_FLUX && !player.reactantOrProduct) {
            player.kind = PLAYER_CONSTANT;  // a species that only modifies GMA/MM reactions
            numberConstant(context, player);
        } else if (needsTotalEnzyme(context, player)) {
            auto found = holders.find(player.specieID);
            buildTotalEnzymeEq(context, player, found == holders.end() ? kNone : found->second);
        }
    }
    return 0;
}
