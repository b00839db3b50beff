#include "reaction_lists.h"

#include <algorithm>

#include "log.h"

const std::vector<SpecieRef>& firstListRefs(const std::vector<SpecieRefList>& lists) {
    static const std::vector<SpecieRef> kNoRefs;
    return lists.empty() ? kNoRefs : lists.front().ref;
}

bool resolveFirstList(ConversionContext& context, const std::vector<SpecieRefList>& lists,
                      PlayerList& out, const char* operation) {
    out.clear();
    for (const SpecieRef& ref : firstListRefs(lists)) {
        Player* player = findPlayer(context, ref.specieID);
        if (player == nullptr) {
            log_sys("%s: species reference (specieID=%d) matches no species.\n", operation,
                    ref.specieID);
            return false;
        }
        out.push_back(PlayerRef{&ref, player});
    }
    return true;
}

std::vector<const Player*> playersSortedByName(const PlayerList& list) {
    std::vector<const Player*> players;
    players.reserve(list.size());
    for (const PlayerRef& entry : list) players.push_back(entry.player);
    // Byte-wise, like strcmp: std::string compares its chars as unsigned through char_traits.
    std::stable_sort(players.begin(), players.end(),
                     [](const Player* a, const Player* b) { return a->name < b->name; });
    return players;
}
