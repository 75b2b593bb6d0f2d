#pragma once

class QComboBox;

// As a name is typed, pasted or deleted, offers the listed names that
// contain it, ignoring letter case, in a popup under the foe box the game
// master may take or ignore; typing itself still computes exactly what was
// typed, and the offer moved to or taken is put into the box. The offers
// are not installed on the box's edit field: Qt would then replace a typed
// name, when the focus leaves, by the first listed entry equal to it
// ignoring case, and so turn a stored "[generic]" into the built-in
// "[Generic]" (TypedFoeName.h says what becomes of a typed name instead).
//
// A screen reader hears the offers as they change: the foe box's
// description says how many there are and which comes first while they are
// shown, and the offer moved to is announced by the list itself.
void offerMatchingFoeNames(QComboBox* foes);
