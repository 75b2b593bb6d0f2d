#pragma once

// The threat ladder: the foe on the sheet, with its tallies, at all seven
// categories at once, so that a game master can compare them before
// choosing one. Each rung is the window's own pass on a fresh sheet:
//
//   foe name, tallies --> recomputeSheet at category c --> statBlockOf --> rung c
//
// A category whose list would not hold the foe has no numbers to compare.

#include "Recompute.h"
#include "StatBlock.h"

#include <array>
#include <functional>

struct LadderRung {
    bool offered = true;  // false: the category does not offer this foe; `block` is then empty
    StatBlock block;      // the pass's stat block at this category
};
using ThreatLadder = std::array<LadderRung, kCategoryCount>;

// `inputs` is the sheet as the window holds it: only its foe name and
// tallies are read. `lookUp(category)` is the bestiary's answer for that
// name at the category (lookUpFoe). A bestiary that cannot answer leaves
// the rung offered, its block stopped on the failure.
ThreatLadder threatLadder(const FoeSheet& inputs, const std::function<FoeLookupResult(ThreatCategory)>& lookUp);
