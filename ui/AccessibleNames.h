#pragma once

#include "MainWindowControls.h"

// Names every control a game master reads or types in, in plain words, for
// screen readers: "Init tally", "Melee Atk", "Bow Dam", "Wound", "Foe",
// "Category: Superior". Results say that they are results.
void nameControlsForScreenReaders(MainWindowControls& controls);
