#pragma once

#include "FoeStats.h"

#include <array>
#include <optional>
#include <string>

inline constexpr int kRangedColumns = 4;  // Init, Atk, Dfn, Dam
inline constexpr std::string_view kGenericFoe = "[Generic]";

// A value that would leave -32768..32767 stops the recomputation, and so does
// a bestiary that cannot be read. This says which input the game master has
// to fix.
struct InputFault {
    enum class Input { Tally, Foe, Bestiary };
    Input input = Input::Tally;
    int slot = 0;        // the statistic, in FoeStats slot order (Init for the bestiary)
    std::string reason;  // one sentence, for a tooltip
    bool operator==(const InputFault&) const = default;
};

// The texts of the main window's boxes, as the recomputation reads and writes
// them. The window copies its boxes in, runs the pass and copies them out.
struct FoeSheet {
    std::string foeName;                                // cboFoes
    std::array<std::string, kStatCount> tally;          // txtTally(0..6)
    std::array<std::string, kStatCount> foe;            // txtFoe(0..6)
    std::array<std::string, kRangedColumns> bow;        // txtBow(0..3)
    std::array<std::string, kRangedColumns> xbow;       // txtXBow(0..3)
    std::string mix, move, wound, might;                // txtMix, txtMove, txtWT, txtMight
    bool rangedVisible = true;                          // lblBow, lblXBow and both rows

    // Written by each pass: tallies it reset to "0" (the window selects
    // their whole text), and the input at fault when the pass had to stop.
    std::array<bool, kStatCount> tallyReset{};
    std::optional<InputFault> fault;
};
