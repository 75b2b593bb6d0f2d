#pragma once

#include <QString>
#include <QStringList>

// What the calculator remembers for its user: the bestiary last opened with
// File > Open Bestiary, and the last few opened that way. It is kept with
// QSettings in the desktop's configuration folder
// (~/.config/vorn-foe/vorn-foe.ini), the only file the calculator writes unasked.
// A settings file that is missing, unreadable, unwritable or garbled counts
// as an empty one: remembering is a convenience, never a reason to fail.
namespace BestiarySettings {

inline constexpr int kRecentCount = 5;

// The file last opened, or "" when none is remembered.
QString lastOpened();

// The files opened most recently, newest first, at most kRecentCount.
QStringList recent();

// `file` becomes the last opened and the first of the recent ones.
void remember(const QString& file);

// `file` is no longer remembered, neither as the last opened nor as recent.
void forget(const QString& file);

}  // namespace BestiarySettings
