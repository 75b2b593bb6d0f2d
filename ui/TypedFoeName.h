#pragma once

class FoeListModel;
class QComboBox;

// What becomes of a typed foe name when the focus leaves the foe box, or
// Return is pressed: it takes its listed spelling (FoeNameOrder.h), as the
// command line's answers do; the bestiary looks names up ignoring case, so
// the foe stays the same. "[Generic]", the one name the calculator itself
// matches exactly, is never given: "[generic]" may be a stored foe of its
// own.
void giveTypedFoeNamesTheirListedSpelling(QComboBox* foes, const FoeListModel* list);
