#include "BestiarySettings.h"

#include "UserSettings.h"

#include <QVariant>

namespace {

const QString kLastKey = QStringLiteral("bestiary/last");
const QString kRecentKey = QStringLiteral("bestiary/recent");

// A garbled file may hold anything under a key: only texts that could name a
// file are taken.
QStringList namesIn(const QVariant& value)
{
    QStringList names;
    for (const QString& name : value.toStringList()) {
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

}  // namespace

namespace BestiarySettings {

QString lastOpened()
{
    return userSettings().value(kLastKey).toString();
}

QStringList recent()
{
    return namesIn(userSettings().value(kRecentKey)).mid(0, kRecentCount);
}

void remember(const QString& file)
{
    QStringList files = recent();
    files.removeAll(file);
    files.prepend(file);
    QSettings settings = userSettings();
    settings.setValue(kLastKey, file);
    settings.setValue(kRecentKey, files.mid(0, kRecentCount));
}

void forgetLastOpened(const QString& file)
{
    QSettings settings = userSettings();
    if (settings.value(kLastKey).toString() == file)
        settings.remove(kLastKey);
}

void clearRecent()
{
    userSettings().remove(kRecentKey);
}

}  // namespace BestiarySettings
