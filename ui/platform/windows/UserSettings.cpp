#include "UserSettings.h"

QSettings userSettings()
{
    return {QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("vorn-foe"), QStringLiteral("vorn-foe")};
}
