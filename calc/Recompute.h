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
//
// A bestiary that cannot answer the lookup stops the pass like any other
// fault: every result empty, and the fault says what failed.

#include "FoeRecord.h"
#include "FoeSheet.h"
#include "ThreatCategory.h"

#include <functional>
#include <optional>
#include <string>
#include <variant>

// The bestiary could not be read: the file and what failed, in words.
struct BestiaryFailure {
    std::string reason;
};

// The first stored foe with the name, no foe (std::nullopt), or the failure.
using FoeLookupResult = std::variant<std::optional<FoeRecord>, BestiaryFailure>;
using FoeLookup = std::function<FoeLookupResult(const std::string& name)>;

void recomputeSheet(FoeSheet& sheet, ThreatCategory category, const FoeLookup& lookup);

// Ends a pass on a bestiary that could not be read, whichever of its
// questions failed: every result empties and the fault names the failure.
void stopOnBestiaryFailure(FoeSheet& sheet, const BestiaryFailure& failure);
