#pragma once

#include <QSettings>

// What the calculator remembers for its user, where the system keeps a
// program's settings (ui/platform/): on Linux one INI file in the desktop's
// configuration folder (~/.config/vorn-foe/vorn-foe.ini), the only file it
// writes unasked; on Windows the registry,
// HKEY_CURRENT_USER\Software\vorn-foe\vorn-foe. Each subject keeps its own
// keys; settings that are missing, unreadable, unwritable or garbled count
// as empty ones, since remembering is a convenience, never a reason to fail.
QSettings userSettings();
