#pragma once

#include <QSettings>

// What the calculator remembers for its user, in one INI file in the
// desktop's configuration folder (~/.config/vorn-foe/vorn-foe.ini), the only
// file it writes unasked. Each subject keeps its own keys; a file that is
// missing, unreadable, unwritable or garbled counts as an empty one, since
// remembering is a convenience, never a reason to fail.
QSettings userSettings();
