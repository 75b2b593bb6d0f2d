#pragma once

// The recomputation. One pass turns the threat category, the foe box and the
// seven tallies of a FoeSheet into every result box:
//
//   category modifiers  --+
//   foe row (by name) ----+--> working record --+--> Init..Res --> ranged cells,
//                                               |                 floors, Wound
//   tallies ------------------------------------+--> Might
//
// "[Generic]" takes no row: the foe is the bare modifiers. A name that finds
// no row also gives the bare modifiers, but leaves Mix, Move and the ranged
// rows' visibility as the last named foe set them. The pass keeps nothing
// between runs; whatever it needs again it reads from the sheet.

#include "FoeRecord.h"
#include "FoeSheet.h"
#include "ThreatCategory.h"

#include <functional>
#include <optional>
#include <string>

// Finds the first stored foe with this name (the window passes its database).
using FoeLookup = std::function<std::optional<FoeRecord>(const std::string& name)>;

void MakeFoe(FoeSheet& sheet, ThreatCategory category, const FoeLookup& lookup);
