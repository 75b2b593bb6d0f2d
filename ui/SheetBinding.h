#pragma once

#include "FoeSheet.h"
#include "MainWindowControls.h"

// The window keeps its sheet as one FoeSheet value; the boxes only show it.
// A pass takes the game master's inputs from the boxes into the sheet,
// computes, and shows the sheet again. Showing raises no change event, so no
// pass ever starts inside another.

// The inputs: the foe box's text and the seven tallies.
void readInputs(const MainWindowControls& controls, FoeSheet& sheet);

// Writes every box whose text differs from the sheet, with its signals
// blocked, and shows or hides the ranged rows. An unchanged box is not
// touched, so it is not repainted. A tally the pass reset to "0" gets its
// whole text selected, so the next key typed replaces it. Each box written
// is fitted to its text (BoxFit.h).
void showSheet(MainWindowControls& controls, const FoeSheet& sheet);

// Fits every box to its text again, as after the zoom changed.
void fitSheetBoxes(const MainWindowControls& controls);
