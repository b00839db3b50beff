// A reaction's species lists with each reference resolved to its player once, so that the
// conversions never look a specieID up twice and never follow one that matches no species.
#pragma once

#include <vector>

#include "equation_set.h"
#include "model.h"

struct PlayerRef {
    const SpecieRef* ref = nullptr;
    Player* player = nullptr;
};

using PlayerList = std::vector<PlayerRef>;

// The references of the first list of `lists` (a reaction uses only its first list of each
// sort); empty when there is none.
const std::vector<SpecieRef>& firstListRefs(const std::vector<SpecieRefList>& lists);

// Resolves the first list of `lists` into `out`. When a reference matches no species, logs
// "<operation>: species reference (specieID=<id>) matches no species.\n" and returns false.
bool resolveFirstList(ConversionContext& context, const std::vector<SpecieRefList>& lists,
                      PlayerList& out, const char* operation);

// The players of a resolved list sorted by name, byte-wise; equal names keep list order.
std::vector<const Player*> playersSortedByName(const PlayerList& list);
