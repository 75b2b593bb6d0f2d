#pragma once

#include "MainWindowControls.h"

// Names every control a game master reads or types in, in plain words, for
// screen readers: "Init tally", "Melee Atk", "Bow Dam", "Wound", "Foe",
// "Superior" (in the group "Category"). Results say that they are results.
// Every caption is tied to the box it heads, so a screen reader can tell
// which caption labels which box.
void nameControlsForScreenReaders(MainWindowControls& controls);
