#pragma once

class QComboBox;
class QCompleter;

// Shows `offers` under the foe box as a name is typed, pasted or deleted,
// and puts the offer the game master moves to or takes into the box. They
// are not installed on the box's edit field: Qt would then replace a typed
// name, when the focus leaves, by the first listed entry equal to it
// ignoring case, and so turn a stored "[generic]" into the built-in
// "[Generic]" (TypedFoeName.h says what becomes of a typed name instead).
//
// A screen reader hears the offers as they change: the foe box's
// description says how many there are and which comes first while they are
// shown, and the offer moved to is announced by the list itself.
void attachFoeOffers(QComboBox* foes, QCompleter* offers);
