#include "parameter_label.h"

#include "format.h"

namespace {

void appendSortedPlayers(std::string& label, const PlayerList& list) {
    for (const Player* player : playersSortedByName(list)) {
        label +=
            zymorax::format("_%s.%s", player->name.c_str(), player->compartmentShortName.c_str());
    }
}

bool isPerPlayerKind(int kind) {
    return kind == PARAM_F || kind == PARAM_KMICH;
}

}  // namespace

std::string cmaParameterLabel(const PlayerList& modifiers, const PlayerList& reactants) {
    std::string label;
    appendSortedPlayers(label, modifiers);
    appendSortedPlayers(label, reactants);
    return label;
}

std::string parameterLabel(int kind, const Player* subject, const PlayerList& modifiers,
                           const PlayerList& reactants) {
    std::string label;
    if (isPerPlayerKind(kind) && subject != nullptr) {
        label = zymorax::format("(%s.%s)", subject->name.c_str(),
                                subject->compartmentShortName.c_str());
    }
    appendSortedPlayers(label, modifiers);
    appendSortedPlayers(label, reactants);
    label += (kind == PARAM_Q || kind == PARAM_KMICH) ? "_MM" : "_GMA";
    return label;
}

std::string speciesParameterLabel(const Player& species) {
    return zymorax::format("_%s.%s", species.name.c_str(), species.compartmentShortName.c_str());
}
