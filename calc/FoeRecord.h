#pragma once

#include "FoeStats.h"

#include <array>
#include <string>

// One foe as the bestiary stores it. The database layer fills it: an empty
// cell arrives as 0, and a cell that holds something other than a number
// arrives as NaN, so that the recomputation can refuse it instead of showing
// a number that only looks right.
struct FoeRecord {
    std::array<double, kFoeStatsSize> stats{};  // Init..Res, then Mix in tenths
    std::string move;                            // shown exactly as stored
    double missile = 0;                          // 1 means the foe shoots
    // Whether the category asked about offers it (its Max_Threat exceeds the
    // category): a foe found by name may stand in no list at that category.
    bool offered = true;
};
