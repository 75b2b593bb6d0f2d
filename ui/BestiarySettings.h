#pragma once

#include <QString>
#include <QStringList>

// The bestiaries the calculator remembers for its user (UserSettings.h):
// the one last opened with File > Open Bestiary, and the last few opened
// that way.
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
