#pragma once

#include <QString>
#include <QStringList>

// The bestiaries the calculator remembers for its user (UserSettings.h):
// the one last opened with File > Open Bestiary, and the last few opened
// that way. A recent file is forgotten only when the user clears the list,
// or when newer ones push it out.
namespace BestiarySettings {

inline constexpr int kRecentCount = 5;

// The file last opened, or "" when none is remembered.
QString lastOpened();

// The files opened most recently, newest first, at most kRecentCount.
QStringList recent();

// `file` becomes the last opened and the first of the recent ones.
void remember(const QString& file);

// `file` is no longer the one opened at start; it stays among the recent ones.
void forgetLastOpened(const QString& file);

// No file is recent any more.
void clearRecent();

}  // namespace BestiarySettings
