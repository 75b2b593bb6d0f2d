#pragma once

// The recomputation. One pass turns the threat category, the foe box and the
// seven tallies of a FoeSheet into every result box:
//
//   category modifiers  --+
//   the named foe's row --+--> working record --+--> Init..Res --> ranged cells,
//                                               |                 floors, Wound
//   tallies ------------------------------------+--> Might
//
// The caller looks the foe box's name up in the bestiary once and hands the
// answer in, so the rules of the game never reach into a database.
// "[Generic]" takes no row: the foe is the bare modifiers. A name that finds
// no row also gives the bare modifiers, but leaves Mix, Move and the ranged
// rows' visibility as the last named foe set them. The pass keeps nothing
// between runs; whatever it needs again it reads from the sheet.
//
// A bestiary that could not answer stops the pass like any other fault:
// every result empty, and the fault says what failed.

#include "FoeRecord.h"
#include "FoeSheet.h"
#include "ThreatCategory.h"

#include <optional>
#include <string>
#include <variant>

// The bestiary could not be read: the file and what failed, in words.
struct BestiaryFailure {
    std::string reason;
};

// What the bestiary answered for the foe box's name at the category: the
// stored foe it means, no foe (std::nullopt; always so for "[Generic]"), or
// the failure.
using FoeLookupResult = std::variant<std::optional<FoeRecord>, BestiaryFailure>;

void recomputeSheet(FoeSheet& sheet, ThreatCategory category, const FoeLookupResult& foe);

// Ends a pass on a bestiary that could not be read, whichever of its
// questions failed: every result empties and the fault names the failure.
void stopOnBestiaryFailure(FoeSheet& sheet, const BestiaryFailure& failure);
