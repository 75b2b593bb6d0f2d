#pragma once

// An encounter: the foes a game master has gathered for one fight. Each
// entry is a sheet as it stood when it was added (foe, category, tallies)
// with its creatures, each of which keeps its own current HP. Every number
// comes from the window's own pass:
//
//   entry (foe, category, tallies) + the bestiary's answer --> recomputeSheet --> StatBlock
//
// The bestiary may stop answering for an entry: the foe has left it, its
// category no longer offers it, the file fails, a stored value no longer
// fits. The entry then keeps its last numbers and says why; it is never
// dropped, so that a fight in progress loses nothing.

#include "Recompute.h"
#include "StatBlock.h"
#include "ThreatCategory.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The most creatures one entry holds: a horde is entered as a few entries.
inline constexpr int kMostCreatures = 99;

struct EncounterEntry {
    std::string foe{kGenericFoe};
    ThreatCategory category = kDefaultCategory;
    std::array<std::int16_t, kStatCount> tallies{};
    std::vector<int> hp;  // each creature's current HP; as many as the entry counts
    StatBlock block;      // the last numbers the bestiary gave
    std::string stale;    // why `block` may no longer be the bestiary's answer; "" when it is

    int count() const { return static_cast<int>(hp.size()); }
    bool operator==(const EncounterEntry&) const;
};

using Encounter = std::vector<EncounterEntry>;

// Asks the pass for the entry's numbers again. Fresh numbers replace the
// block, and each creature keeps the damage it has taken: a Bandit 7 below
// its 25 HP stays 7 below 30 once re-scaled. When the bestiary cannot
// answer, the block and HP stay and `stale` says why.
void refreshEntry(EncounterEntry& entry, const FoeLookupResult& foe);

// An entry for the sheet as it stands: nothing, with `why` saying so, when
// the sheet has no numbers to add (a fault, or a foe the bestiary does not
// hold). Its `count` creatures start at full HP.
std::optional<EncounterEntry> entryFromSheet(const FoeSheet& sheet, ThreatCategory category,
                                             const FoeLookupResult& foe, int count, std::string& why);

// Adds the entry's creatures to the entry of the same foe, category and
// tallies, when the encounter has one with room for them: a game master
// adding three Bandits in a row means one entry of three. Else appends it.
// Returns the index of the entry that holds them.
std::size_t addToEncounter(Encounter& encounter, const EncounterEntry& entry);

// The HP of a creature unhurt: the block's HP, 0 while it has none.
int fullHp(const EncounterEntry& entry);

// Sets the number of creatures: new ones arrive unhurt, the last ones leave.
void setCount(EncounterEntry& entry, int count);

// Adds `change` to the creature's HP: negative for damage, positive for
// healing, which stops at full HP. HP stays within -32768..32767.
void changeHp(EncounterEntry& entry, int creature, int change);

// "Bandit 2": creatures are numbered by foe across the encounter, in entry
// order; a foe with one creature in the whole encounter is named alone.
std::string creatureName(const Encounter& encounter, std::size_t entry, int creature);

// The entry's block as the encounter sheet and the command line show it:
// the foe counted ("3 × Bandit") when there are several, and numbers the
// bestiary no longer gives marked with the reason, where a block says why
// a pass stopped.
StatBlock shownBlock(const EncounterEntry& entry);

struct EncounterTotals {
    int creatures = 0;
    int standing = 0;  // above 0 HP
    int hp = 0;        // the standing creatures' current HP
    int fullHp = 0;    // every creature's full HP
    int might = 0;     // every creature's Might
};
EncounterTotals totalsOf(const Encounter& encounter);

// "Init 6 → 7, HP 25 → 30": the statistics, Move, Wound and Might that
// differ between two blocks of one foe, in the sheet's order; "" when none do.
std::string changedStatistics(const StatBlock& before, const StatBlock& after);
