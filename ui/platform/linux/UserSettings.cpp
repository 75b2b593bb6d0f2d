#include "UserSettings.h"

QSettings userSettings()
{
    return {QSettings::IniFormat, QSettings::UserScope, QStringLiteral("vorn-foe"), QStringLiteral("vorn-foe")};
}
