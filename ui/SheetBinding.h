#pragma once

#include "FoeSheet.h"
#include "MainWindowControls.h"

// The recomputation works on plain texts; these copy them between the boxes
// and a FoeSheet.

FoeSheet readSheet(const MainWindowControls& controls);

// Writes back only the texts that changed, so an unchanged box raises no
// change event and is not repainted. A tally the pass reset to "0" gets its
// whole text selected, so the next key typed replaces it.
void writeSheet(MainWindowControls& controls, const FoeSheet& sheet);
