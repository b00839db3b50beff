#include "context_builder.h"

#include <algorithm>
#include <unordered_map>

#include "log.h"

namespace {

// Short name of each compartmentID; when several compartments share an ID the last one counts.
std::unordered_map<int, std::string> shortNamesByID(const CompartmentList& compartments) {
    std::unordered_map<int, std::string> names;
    for (const Compartment& compartment : compartments.compartment) {
        names[compartment.compartmentID] = compartment.shortName;
    }
    return names;
}

Player playerOf(const Specie& species, const std::unordered_map<int, std::string>& shortNames) {
    Player player;
    player.kind = PLAYER_UNCLASSIFIED;
    player.specieID = species.specieID;
    player.name = species.name;
    player.compartmentID = species.compartment;
    auto shortName = shortNames.find(species.compartment);
    if (shortName != shortNames.end()) player.compartmentShortName = shortName->second;
    player.specieClass = species.specieClass;
    player.massBalance = species.massBalance;
    player.totalAmount = species.totalAmount;
    player.decomposition = species.decomposition;
    player.initialAmountValid = species.initialAmount_isValid;
    player.initialAmount = species.initialAmount;
    // Only a species with exactly one element list is treated as a complex.
    if (species.listOfElements.size() == 1) {
        player.elements = species.listOfElements.front().ref;
        player.elementCount = static_cast<int>(player.elements.size());
    }
    return player;
}

// Depth-first walk over the element lists, with each player's nesting height memoised. The
// recursion is bounded: it stops as soon as a path grows beyond kMaxComplexNesting.
class ElementGraphCheck {
  public:
    explicit ElementGraphCheck(ConversionContext& context)
        : context_(context),
          state_(context.players.size(), kUnvisited),
          height_(context.players.size(), 0) {}

    bool visit(int index, int depth) {
        const Player& complex = context_.players[index];
        if (state_[index] == kDone) return true;
        if (state_[index] == kOnPath) return containsItself(complex);
        if (depth > kMaxComplexNesting) return nestedTooDeeply(complex);
        state_[index] = kOnPath;
        int height = 0;
        for (const SpecieRef& element : complex.elements) {
            int child = findPlayerIndex(context_, element.specieID);
            if (child < 0) return elementMissing(complex, element);
            if (!visit(child, depth + 1)) return false;
            height = std::max(height, height_[child] + 1);
        }
        if (height > kMaxComplexNesting) return nestedTooDeeply(complex);
        height_[index] = height;
        state_[index] = kDone;
        return true;
    }

  private:
    enum State { kUnvisited, kOnPath, kDone };

    static bool containsItself(const Player& complex) {
        log_sys(
            "checkComplexElements: complex '%s.%s(specieID=%d)' contains itself through its "
            "elements.\n",
            complex.name.c_str(), complex.compartmentShortName.c_str(), complex.specieID);
        return false;
    }

    static bool nestedTooDeeply(const Player& complex) {
        log_sys(
            "checkComplexElements: complex '%s.%s(specieID=%d)' is nested deeper than %d "
            "levels.\n",
            complex.name.c_str(), complex.compartmentShortName.c_str(), complex.specieID,
            kMaxComplexNesting);
        return false;
    }

    static bool elementMissing(const Player& complex, const SpecieRef& element) {
        log_sys(
            "checkComplexElements: element (specieID=%d) of complex '%s.%s(specieID=%d)' "
            "matches no species.\n",
            element.specieID, complex.name.c_str(), complex.compartmentShortName.c_str(),
            complex.specieID);
        return false;
    }

    ConversionContext& context_;
    std::vector<State> state_;
    std::vector<int> height_;
};

}  // namespace

std::unique_ptr<ConversionContext> createConversionContext(const Model& model,
                                                           int geneProteinMethod,
                                                           int metabolicMethod) {
    auto context = std::make_unique<ConversionContext>();
    context->geneProteinMethod = geneProteinMethod;
    context->metabolicMethod = metabolicMethod;
    context->speciesList = &model.listOfSpecies;
    context->compartmentList = &model.listOfCompartments;
    const int count = model.listOfSpecies.numberOfSpecies();
    context->playerCount = count;
    context->players.reserve(count);
    context->totalPlayers.reserve(count);
    const auto shortNames = shortNamesByID(model.listOfCompartments);
    for (const Specie& species : model.listOfSpecies.specie) {
        context->players.push_back(playerOf(species, shortNames));
        Player twin = context->players.back();
        twin.kind = PLAYER_NONE;
        twin.initialAmountValid = 2;
        context->totalPlayers.push_back(std::move(twin));
    }
    context->equations.resize(count);
    context->totalEquations.resize(count);
    for (int i = 0; i < count; ++i) {
        context->playerIndexBySpecieID.emplace(context->players[i].specieID, i);  // first wins
        context->equations[i].player = &context->players[i];
        context->totalEquations[i].player = &context->totalPlayers[i];
    }
    return context;
}

int checkComplexElements(ConversionContext& context) {
    ElementGraphCheck check(context);
    for (int i = 0; i < context.playerCount; ++i) {
        if (!check.visit(i, 0)) return -1;
    }
    return 0;
}
