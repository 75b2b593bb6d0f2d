#pragma once

#include "FoeSheet.h"
#include "MainWindowControls.h"

#include <optional>

// Shows the game master which input stopped the recomputation, without a
// dialog that would interrupt typing: the tally at fault turns red and says
// why in its tooltip; a stored value at fault puts the reason on the foe box.
// A bestiary that cannot be read puts the file and the failure there too.
// A sound pass clears every mark.
void markInputs(MainWindowControls& controls, const std::optional<InputFault>& fault);
