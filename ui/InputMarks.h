#pragma once

#include "FoeSheet.h"
#include "MainWindowControls.h"

#include <QString>

#include <optional>

// Shows the game master which input stopped the recomputation, without a
// dialog that would interrupt typing: the tally at fault turns red and says
// why in its tooltip; a stored value at fault puts the reason on the foe box.
// A sound pass clears every mark. A bestiary that failed while the calculator
// runs is reported on the foe box too, until a query succeeds again.
void markInputs(MainWindowControls& controls, const std::optional<InputFault>& fault,
                const QString& bestiaryTrouble);
