#include "SheetZoom.h"

#include "UserSettings.h"

#include <QSettings>
#include <QVariant>

#include <algorithm>

namespace {

const QString kZoomKey = QStringLiteral("view/zoom");

}  // namespace

int zoomedIn(int percent)
{
    const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return next == kZoomSteps.end() ? kZoomSteps.back() : *next;
}

int zoomedOut(int percent)
{
    const auto next = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), percent);
    return next == kZoomSteps.begin() ? kZoomSteps.front() : *(next - 1);
}

int rememberedZoom()
{
    bool isNumber = false;
    const int percent = userSettings().value(kZoomKey).toInt(&isNumber);
    const bool isStep = std::find(kZoomSteps.begin(), kZoomSteps.end(), percent) != kZoomSteps.end();
    return isNumber && isStep ? percent : kActualSize;
}

void rememberZoom(int percent)
{
    userSettings().setValue(kZoomKey, percent);
}
