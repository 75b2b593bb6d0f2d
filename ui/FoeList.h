#pragma once

// The foe box's list, which a large bestiary fills with 100,000 names or
// more at every category change. The names live in one string list model,
// replaced whole in one step (one reset, where adding them one by one makes
// an item and its signals per name), and the box never measures every name:
// its place is fixed, and its popup takes one row's height for all.

#include <QStringList>

class QComboBox;

// Gives `foes` the list model; before anything else looks at its model.
void holdFoeNamesInOneList(QComboBox* foes);

// Replaces the whole list by `names`.
void replaceFoeNames(QComboBox* foes, const QStringList& names);
