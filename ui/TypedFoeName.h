#pragma once

class QComboBox;

// What becomes of a typed foe name when the focus leaves the foe box, or
// Return is pressed. A name equal to a listed entry stays exactly as typed.
// A name that equals listed entries of one spelling only when letter case
// is set aside takes that spelling ("oRC" becomes "Orc"); the bestiary looks
// names up ignoring case, so the foe stays the same. "[Generic]", the one
// name the calculator itself matches exactly, is never given: "[generic]"
// may be a stored foe of its own. Any other text stays as typed.
void giveTypedFoeNamesTheirListedSpelling(QComboBox* foes);
