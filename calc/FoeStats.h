#pragma once

#include "ThreatCategory.h"

#include <array>
#include <cstdint>
#include <string_view>

// Slots of a foe's statistics. Slots 0..6 are also the indexes of the tally
// and result boxes and name the columns of the foe table; Mix has no box in
// those rows and is shown in tenths.
enum StatSlot : int { Init, Atk, Dfn, Dam, Soak, HP, Res, Mix };

inline constexpr int kStatCount = 7;      // the statistics with tally and result boxes
inline constexpr int kFoeStatsSize = 8;   // ... plus Mix

inline constexpr std::array<std::string_view, kFoeStatsSize> kStatNames = {
    "Init", "Atk", "Dfn", "Dam", "Soak", "HP", "Res", "Mix",
};

using FoeStats = std::array<std::int16_t, kFoeStatsSize>;

// The fixed modifiers a category adds to every foe. Returned by value: each
// recomputation starts from a fresh copy and the table itself never changes.
FoeStats CategoryModifiers(ThreatCategory category);
