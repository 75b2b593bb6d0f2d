#include "AppIcon.h"

#include <QString>

namespace {

// Compiled in by qt_add_resources in this folder's CMakeLists.txt.
const QString kIconResource = QStringLiteral(":/vorn-foe/icons/vorn-foe-32.png");

}  // namespace

QIcon appIcon()
{
    return QIcon(kIconResource);
}

QPixmap appIconPixmap()
{
    return QPixmap(kIconResource);
}
